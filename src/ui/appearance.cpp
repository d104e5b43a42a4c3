#include "ui/appearance.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

static void initResources()
{
    // The resources live in a static library, so they must be pulled in by name.
    Q_INIT_RESOURCE(resources);
}

namespace Appearance {

void apply()
{
    initResources();
    // One style everywhere, so that the buttons' own colours show on every platform.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The designed faces are Windows fonts; these are the nearest in width
    // among those a Linux desktop ships. Where the face exists it is used.
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
}

QFont font(const char *face, qreal points, Weight weight, Underline underline)
{
    QFont f(QString::fromLatin1(face));
    f.setPointSizeF(points);
    f.setWeight(weight == Weight::Bold ? QFont::Bold : QFont::Normal);
    f.setUnderline(underline == Underline::Yes);
    return f;
}

static void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void paintBackground(QWidget *widget, const QColor &background)
{
    setColour(widget, QPalette::Window, background);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget *widget, const QColor &text)
{
    setColour(widget, QPalette::WindowText, text);
}

void setBoxColours(QWidget *box, const QColor &base, const QColor &text)
{
    setColour(box, QPalette::Base, base);
    setColour(box, QPalette::Text, text);
}

void setButtonFace(QWidget *button, const QColor &face)
{
    setColour(button, QPalette::Button, face);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QString shownCaption(QString caption)
{
    return caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

const QPixmap &programIconPixmap()
{
    static const QPixmap pixmap(QStringLiteral(":/icon.png"));
    return pixmap;
}

const QIcon &programIcon()
{
    static const QIcon icon(programIconPixmap());
    return icon;
}

const QCursor &handCursor()
{
    // The hot spot is the tip of the pointing finger in the drawing.
    static const QCursor cursor(QPixmap(QStringLiteral(":/hand.png")), 8, 1);
    return cursor;
}

}  // namespace Appearance
