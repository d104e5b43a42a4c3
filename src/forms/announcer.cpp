#include "announcer.h"

#include "accessibility.h"

Announcer::Announcer(QWidget *window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    hide();
    // Orca reads a notification when it shows, without moving the focus; Qt
    // drops alerts and the name changes of unfocused objects go unread.
    Accessibility::setRole(this, QAccessible::Notification);
}

void Announcer::announce(const QString &sentence, const QString &details)
{
    hide();
    setAccessibleName(sentence);
    setAccessibleDescription(details);
    show();
}
