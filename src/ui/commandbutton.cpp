#include "ui/commandbutton.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget *parent)
    : QPushButton(parent)
{
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    // Qt leaves Enter to default buttons only; a focused command button takes it itself.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}
