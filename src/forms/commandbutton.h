// A command button: while it has the focus Space, Enter and keypad Enter all
// press it; a graphical one shows its face in exactly its own colour.
#pragma once

#include <QColor>
#include <QPushButton>

class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CommandButton(QWidget *parent = nullptr);

    // Makes it a graphical button whose whole face is this colour.
    void setFace(const QColor &face);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_face;
};
