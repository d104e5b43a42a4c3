#include "commandbutton.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

CommandButton::CommandButton(QWidget *parent)
    : QPushButton(parent)
{
}

void CommandButton::setFace(const QColor &face)
{
    m_face = face;
    // Kept in the palette too, for whatever else reads the button's colour.
    QPalette colours = palette();
    colours.setColor(QPalette::Button, face);
    setPalette(colours);
    update();
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

void CommandButton::paintEvent(QPaintEvent *event)
{
    if (!m_face.isValid()) {
        QPushButton::paintEvent(event);
        return;
    }
    // The style shades a button's colour into a lighter gradient; the edge and
    // the focus mark stay the style's, the face inside them is filled flat.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const int edge = 2;
    painter.fillRect(rect().adjusted(edge, edge, -edge, -edge), isDown() ? m_face.darker(110) : m_face);
    QStyleOptionButton label = option;
    label.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawControl(QStyle::CE_PushButtonLabel, label);
}
