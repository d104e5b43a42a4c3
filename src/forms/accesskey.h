// Gives a button's access key precedence over a menu-bar title that uses the
// same letter, so that the key presses the button from anywhere in its window.
#pragma once

#include <QObject>

class QAbstractButton;

class AccessKeyClaim : public QObject
{
    Q_OBJECT
public:
    // Lives as long as the button; the key is the button's own access key.
    explicit AccessKeyClaim(QAbstractButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractButton *m_button;
};
