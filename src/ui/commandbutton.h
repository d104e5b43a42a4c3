// A command button: pressed by the mouse, by its access key, and while it has
// the focus by Space, Enter and keypad Enter alike.
#pragma once

#include <QPushButton>

class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CommandButton(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
