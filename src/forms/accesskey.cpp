#include "accesskey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>

AccessKeyClaim::AccessKeyClaim(QAbstractButton *button)
    : QObject(button)
    , m_button(button)
{
    // Shortcut resolution starts at the focus widget with a ShortcutOverride
    // event, before the menu bar's own shortcut is looked at; claiming the key
    // there delivers it as a plain key press, which this filter then turns
    // into the button's click.
    qApp->installEventFilter(this);
}

bool AccessKeyClaim::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    if (!watched->isWidgetType() || qobject_cast<QMenuBar *>(watched))
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_button->window() || !m_button->isEnabled())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence accessKey = QKeySequence::mnemonic(m_button->text());
    if (accessKey.isEmpty() || QKeySequence(key->keyCombination()) != accessKey)
        return false;
    if (event->type() == QEvent::ShortcutOverride)
        event->accept();
    else
        m_button->click();
    return true;
}
