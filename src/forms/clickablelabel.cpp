#include "clickablelabel.h"

#include "appearance.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include <cmath>

namespace {

struct TextSize {
    qreal width = 0;  // the document's: at least the width it was given
    qreal height = 0;
    qreal widestLine = 0;
};

// Lays the text out as the text document of a QLabel does: one paragraph,
// each line as tall as its font with its leading, stacked from the top; a
// line whose text does not fit is made as wide as that text. A width below
// zero leaves the lines unbroken.
TextSize layOut(QTextLayout &layout, qreal width, Qt::Alignment alignment, bool wordWrap)
{
    const Qt::LayoutDirection direction = layout.text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (!horizontal)
        horizontal = Qt::AlignLeft;
    if (!(horizontal & Qt::AlignAbsolute) && (horizontal & (Qt::AlignLeft | Qt::AlignRight))) {
        if (direction == Qt::RightToLeft)
            horizontal ^= Qt::AlignLeft | Qt::AlignRight;
        horizontal |= Qt::AlignAbsolute;
    }
    QTextOption option;
    option.setTabStopDistance(80);
    option.setTextDirection(direction);
    option.setAlignment(horizontal | (alignment & Qt::AlignVertical_Mask));
    option.setWrapMode(wordWrap && width >= 0 ? QTextOption::WordWrap : QTextOption::ManualWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);

    const qreal lineWidth = width < 0 ? qreal(1 << 23) : width;
    TextSize size;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(lineWidth);
        if (line.naturalTextWidth() > lineWidth)
            line.setLineWidth(qMax(line.naturalTextWidth(), lineWidth));
        line.setPosition(QPointF(0, size.height));
        size.height += line.height();
        size.widestLine = qMax(size.widestLine, line.naturalTextWidth());
    }
    layout.endLayout();
    size.width = width < 0 ? size.widestLine : qMax(width, size.widestLine);
    return size;
}

// The size a QTextDocument gives itself when asked to adjust its size: a
// width near the golden section of its text, at most 80 x's wide.
TextSize naturalWrappedSize(QTextLayout &layout, const QFont &font, Qt::Alignment alignment)
{
    const int widest = QFontMetrics(font).horizontalAdvance(QLatin1Char('x')) * 80;
    const auto intSqrt = [](qreal value) { return int(std::sqrt(double(uint(value)))); };
    TextSize size = layOut(layout, widest, alignment, true);
    if (size.width != 0) {
        int width = intSqrt(5 * size.height * size.width / 3);
        size = layOut(layout, qMin(width, widest), alignment, true);
        if (width * 3 < 5 * size.height) {
            width = intSqrt(2 * size.height * size.width);
            size = layOut(layout, qMin(width, widest), alignment, true);
        }
    }
    return layOut(layout, size.widestLine, alignment, true);
}

}  // namespace

ClickableLabel::ClickableLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Appearance::handCursor());
    // A link is a command too: Tab reaches it, and Space follows it as on a
    // button, Enter as on a link anywhere else.
    setFocusPolicy(Qt::TabFocus);
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (!event->isAutoRepeat())
            emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent *)
{
    // Laid out again only when what the lines depend on has changed.
    const int width = contentsRect().width() - 2 * margin();
    const int align = int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    if (m_laidOut.text != text() || m_laidOut.font != font() || m_laidOut.width != width
        || m_laidOut.alignment != align) {
        m_layout.setText(text());
        m_layout.setFont(font());
        m_laidOut = {text(), font(), width, align, layOut(m_layout, width, alignment(), wordWrap()).height};
    }
    {
        QPainter painter(this);
        drawFrame(&painter);
        QStyleOption option;
        option.initFrom(this);
        const QColor colour = foregroundRole() != QPalette::Text && isEnabled() ? option.palette.color(foregroundRole())
                                                                                : option.palette.color(QPalette::Text);
        const QRect area = textArea();
        painter.translate(area.topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), area.size()));
        painter.setPen(colour);
        m_layout.draw(&painter, QPointF(0, 0));
    }
    if (!hasFocus())
        return;
    // A dotted frame in the text's own colour shows on every background the links sit on.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(foregroundRole()), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void ClickableLabel::setText(const QString &text)
{
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::NoFocus);
    QLabel::setText(text);
    setFocusPolicy(policy);
}

bool ClickableLabel::event(QEvent *event)
{
    // QLabel makes its text document when it is polished; QFrame does the rest.
    if (event->type() == QEvent::Polish)
        return QFrame::event(event);  // NOLINT(bugprone-parent-virtual-call): skips only QLabel's own
    return QLabel::event(event);
}

void ClickableLabel::focusInEvent(QFocusEvent *event)
{
    // QLabel would make its text document here too.
    QFrame::focusInEvent(event);  // NOLINT(bugprone-parent-virtual-call): skips only QLabel's own
}

QSize ClickableLabel::sizeForWidth(int width) const
{
    if (minimumWidth() > 0)
        width = qMax(width, minimumWidth());
    const QMargins margins = contentsMargins();
    const QSize extra(2 * margin() + margins.left() + margins.right(), 2 * margin() + margins.top() + margins.bottom());
    QTextLayout layout(text(), font());
    TextSize size;
    if (!wordWrap())
        size = layOut(layout, -1, alignment(), false);
    else if (width >= 0)
        size = layOut(layout, qMax(width - extra.width(), 0), alignment(), true);
    else
        size = naturalWrappedSize(layout, font(), alignment());
    return (QSize(qCeil(size.width), qCeil(size.height)) + extra).expandedTo(minimumSize());
}

QSize ClickableLabel::sizeHint() const
{
    ensurePolished();
    return sizeForWidth(-1);
}

QSize ClickableLabel::minimumSizeHint() const
{
    ensurePolished();
    const QSize natural = sizeForWidth(-1);
    // As wide as its widest word, and as tall as its text on one line.
    return {sizeForWidth(0).width(), qMin(natural.height(), sizeForWidth(QWIDGETSIZE_MAX).height())};
}

int ClickableLabel::heightForWidth(int width) const
{
    return sizeForWidth(width).height();
}

// Where the lines are drawn: the contents less the margin, the text block
// placed in it by the vertical alignment.
QRect ClickableLabel::textArea() const
{
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    qreal top = area.top();
    if (alignment() & Qt::AlignVCenter)
        top += qMax((area.height() - m_laidOut.height) / 2, qreal(0));
    else if (alignment() & Qt::AlignBottom)
        top += qMax(area.height() - m_laidOut.height, qreal(0));
    return QRectF(area.left(), top, area.width(), area.height()).toAlignedRect();
}
