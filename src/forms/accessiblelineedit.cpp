#include "accessiblelineedit.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>

namespace {

// Offsets that a screen reader passes for a place rather than a character:
// the end of the text, and wherever the cursor is.
constexpr int kEndOfText = -1;
constexpr int kAtCursor = -2;

// Entering a box by the keyboard selects its text, and Qt tells of that
// selection before it tells that the box has the focus. The box takes the
// focus as by any other means instead, and selects its text once the focus
// has been told, so that the selection is no news.
class FocusBeforeSelection : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FocusIn)
            return QObject::eventFilter(watched, event);
        auto *box = static_cast<QLineEdit *>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool selectsAll = (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                                 || reason == Qt::ShortcutFocusReason)
                                && box->inputMask().isEmpty() && !box->hasSelectedText();
        if (!selectsAll)
            return QObject::eventFilter(watched, event);
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(box, &plain);
        QMetaObject::invokeMethod(
            box,
            [box] {
                if (box->hasFocus() && !box->hasSelectedText())
                    box->selectAll();
            },
            Qt::QueuedConnection);
        return true;
    }
};

}  // namespace

AccessibleLineEdit::AccessibleLineEdit(QLineEdit *box)
    : QAccessibleWidget(box, QAccessible::EditableText)
{
    box->installEventFilter(new FocusBeforeSelection(box));
}

QLineEdit *AccessibleLineEdit::box() const
{
    return static_cast<QLineEdit *>(widget());
}

QString AccessibleLineEdit::shownText() const
{
    switch (box()->echoMode()) {
    case QLineEdit::Normal:
        return box()->text();
    case QLineEdit::NoEcho:
        return {};
    default:
        return box()->displayText();
    }
}

QString AccessibleLineEdit::text(QAccessible::Text t) const
{
    QString text = t == QAccessible::Value ? shownText() : QString();
    if (text.isEmpty())
        text = QAccessibleWidget::text(t);
    if (text.isEmpty() && t == QAccessible::Description && !box()->placeholderText().isEmpty())
        text = QLatin1Char('(') + box()->placeholderText() + QLatin1Char(')');
    return text;
}

void AccessibleLineEdit::setText(QAccessible::Text t, const QString &text)
{
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    if (!box()->isReadOnly())
        box()->setText(text);
}

QAccessible::State AccessibleLineEdit::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = box()->isReadOnly();
    state.editable = !box()->isReadOnly();
    state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
    state.selectableText = true;
    return state;
}

void *AccessibleLineEdit::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

void AccessibleLineEdit::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !box()->hasSelectedText())
        return;
    *startOffset = box()->selectionStart();
    *endOffset = box()->selectionEnd();
}

int AccessibleLineEdit::selectionCount() const
{
    return box()->hasSelectedText() ? 1 : 0;
}

void AccessibleLineEdit::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleLineEdit::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        box()->deselect();
}

void AccessibleLineEdit::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        box()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleLineEdit::cursorPosition() const
{
    return box()->cursorPosition();
}

void AccessibleLineEdit::setCursorPosition(int position)
{
    box()->setCursorPosition(position);
}

QString AccessibleLineEdit::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return {};
    return shownText().mid(startOffset, endOffset - startOffset);
}

int AccessibleLineEdit::characterCount() const
{
    return static_cast<int>(shownText().size());
}

QRect AccessibleLineEdit::characterRect(int offset) const
{
    const QString shown = shownText();
    if (offset < 0 || offset >= shown.size())
        return {};
    // The box tells where it draws its cursor; a character lies as far from
    // there as the text between them is wide.
    const QFontMetrics metrics(box()->font());
    const QRect cursor = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = cursor.center().x() + metrics.horizontalAdvance(shown.left(offset))
                  - metrics.horizontalAdvance(shown.left(box()->cursorPosition()));
    const QRect local(x, cursor.top(), metrics.horizontalAdvance(shown.at(offset)), cursor.height());
    return QRect(box()->mapToGlobal(local.topLeft()), local.size());
}

int AccessibleLineEdit::offsetAtPoint(const QPoint &point) const
{
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void AccessibleLineEdit::scrollToSubstring(int startIndex, int endIndex)
{
    box()->setCursorPosition(endIndex);
    box()->setCursorPosition(startIndex);
}

// The box has one font and colour throughout: one run covers all its text.
QString AccessibleLineEdit::attributes(int offset, int *startOffset, int *endOffset) const
{
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

// Qt's own search for a word or sentence runs on for ever from the end of
// the text; there is nothing there to find.
bool AccessibleLineEdit::pastTheEnd(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                    int *endOffset) const
{
    const int count = characterCount();
    const bool searched = boundaryType == QAccessible::CharBoundary || boundaryType == QAccessible::WordBoundary
                          || boundaryType == QAccessible::SentenceBoundary;
    if (!searched || (offset != kEndOfText && offset < count))
        return false;
    *startOffset = *endOffset = count;
    return true;
}

QString AccessibleLineEdit::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                         int *endOffset) const
{
    if (offset == kAtCursor)
        offset = cursorPosition();
    if (pastTheEnd(offset, boundaryType, startOffset, endOffset))
        return {};
    return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
}

QString AccessibleLineEdit::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                            int *endOffset) const
{
    if (offset == kAtCursor)
        offset = cursorPosition();
    if (pastTheEnd(offset, boundaryType, startOffset, endOffset))
        return {};
    return QAccessibleTextInterface::textAfterOffset(offset, boundaryType, startOffset, endOffset);
}

void AccessibleLineEdit::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void AccessibleLineEdit::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void AccessibleLineEdit::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (box()->isReadOnly() || startOffset > endOffset)
        return;
    box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
}
