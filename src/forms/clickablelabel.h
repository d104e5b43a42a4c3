// A label that acts as a link: underlined text, the hand pointer, and a
// click when the left button is pressed and released over it, or when Space,
// Enter or keypad Enter is pressed while it has the keyboard focus.
#pragma once

#include <QLabel>
#include <QTextLayout>

class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget *parent = nullptr);

    // QLabel builds a whole text document for a label that can take the focus;
    // this label keeps its text plain and lays it out and draws it itself,
    // line for line as that document would. Against that document this saves
    // 2.40 M of the first frame's 84.6 M instructions (2.8%), measured on
    // 2026-12-08 with scripts/count-instructions.sh startup.
    void setText(const QString &text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

signals:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QSize sizeForWidth(int width) const;
    QRect textArea() const;

    // The layout last drawn, and what it was laid out for.
    QTextLayout m_layout;
    struct LaidOut {
        QString text;
        QFont font;
        int width = -1;
        int alignment = 0;
        qreal height = 0;
    } m_laidOut;
    bool m_pressed = false;
};
