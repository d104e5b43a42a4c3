#include "framebox.h"

#include <QPainter>
#include <QStyle>

namespace {

// A one-pixel outline just inside the rectangle, filled rather than stroked:
// the same pixels as drawRect with a one-pixel pen. Against drawRect this
// saves 0.36 M of a first reading's 8.8 M instructions (4%) and of a later
// one's 4.8 M (7.5%), measured on 2026-12-08 with scripts/count-instructions.sh reading.
void drawOutline(QPainter &painter, const QRect &rect, const QColor &colour)
{
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), colour);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

}  // namespace

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    // The border runs through the middle of the caption's line.
    const int borderTop = title().isEmpty() ? 0 : metrics.height() / 2;
    const QRect border = rect().adjusted(0, borderTop, -1, -1);
    drawOutline(painter, border, palette().color(QPalette::Dark));
    drawOutline(painter, border.translated(1, 1), palette().color(QPalette::Light));

    if (title().isEmpty())
        return;
    const int padding = 2;
    const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 2 * padding, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(), QPalette::WindowText);
}
