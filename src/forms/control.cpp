#include "control.h"

#include <QtGlobal>

QWidget *containerOf(QWidget *root, const ControlPlace &row)
{
    const QLatin1StringView name(row.container);
    QWidget *container = root->objectName() == name ? root : root->findChild<QWidget *>(name);
    if (!container)
        qFatal("%s: no container %s in %s", row.name, row.container, qPrintable(root->objectName()));
    return container;
}
