// The look that every window shares: fonts, colours, the program icon and the
// hand pointer, and the application-wide settings made once at start.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QtGlobal>

class QCursor;
class QIcon;
class QImage;
class QLabel;
class QPixmap;
class QWidget;

namespace Appearance {

// The caption of every window of the program, with the version the build gives it.
QString windowCaption();

// Style, font substitutes and compiled-in resources; call once after the
// QApplication exists and before any window is made.
void apply();

enum class Weight { Regular, Bold };
enum class Underline { No, Yes };

QFont font(const char *face, qreal points, Weight weight = Weight::Regular, Underline underline = Underline::No);
inline QFont verdana(qreal points, Weight weight = Weight::Regular, Underline underline = Underline::No)
{
    return font("Verdana", points, weight, underline);
}

// A widget that fills its background with this colour (an opaque label, a frame).
void paintBackground(QWidget *widget, const QColor &background);
// The colour of a label's text or of a frame's caption.
void setTextColour(QWidget *widget, const QColor &text);
// The field and text colours of a text box.
void setBoxColours(QWidget *box, const QColor &base, const QColor &text);

// Places a top-level window, its frame included, in the middle of its screen.
void centreOnScreen(QWidget *window);

// A design caption as shown: "&&" stands for one "&".
QString shownCaption(QString caption);

// One of the program's pictures by its file name ("bible.jpg"), as decoded at build time.
QImage picture(const char *name);

const QIcon &programIcon();
const QPixmap &programIconPixmap();
const QCursor &handCursor();

// A picture box that shows the program icon at its own size, with the words a screen reader says for it.
void showProgramIcon(QLabel *picture);

}  // namespace Appearance
