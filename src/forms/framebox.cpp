#include "framebox.h"

#include <QPainter>
#include <QStyle>

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    // The border runs through the middle of the caption's line.
    const int borderTop = title().isEmpty() ? 0 : metrics.height() / 2;
    const QRect border = rect().adjusted(0, borderTop, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.adjusted(1, 1, 0, 0));

    if (title().isEmpty())
        return;
    const int padding = 2;
    const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 2 * padding, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}
