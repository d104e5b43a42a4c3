#include "appearance.h"

#include "programstyle.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QResource>
#include <QScreen>
#include <QWidget>
#include <QtEndian>

#include <cstring>

static void initResources()
{
    // The resources live in a static library, so they must be pulled in by name.
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(orvel_pixels);
}

namespace Appearance {

void apply()
{
    initResources();
    // One style everywhere, so that the buttons' own colours show on every platform.
    QApplication::setStyle(new ProgramStyle);
    // The designed faces are Windows fonts; these are the nearest in width
    // among those a Linux desktop ships. Where the face exists it is used.
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
}

// The designed face when it is installed, else its first installed substitute.
// Asked for a face it does not have, Qt would first have fontconfig sort every
// font on the system for a fallback. Against QFont("Verdana") with the
// substitutions alone this saves 4.99 M of the first frame's 84.6 M
// instructions (5.9%), measured on 2026-12-08 with scripts/count-instructions.sh startup.
static QString installedFace(const char *face)
{
    static QHash<QByteArray, QString> chosen;
    const QByteArray key(face);
    if (const auto found = chosen.constFind(key); found != chosen.cend())
        return *found;
    const QString designed = QString::fromLatin1(face);
    const QStringList installed = QFontDatabase::families();
    QString use = designed;
    if (!installed.contains(designed, Qt::CaseInsensitive)) {
        for (const QString &substitute : QFont::substitutes(designed)) {
            if (installed.contains(substitute, Qt::CaseInsensitive)) {
                use = substitute;
                break;
            }
        }
    }
    chosen.insert(key, use);
    return use;
}

QFont font(const char *face, qreal points, Weight weight, Underline underline)
{
    QFont f(installedFace(face));
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

namespace {

void centreFrame(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

// The window manager puts its frame around a window only once it is shown;
// as soon as the frame is known, the window is centred again, frame and all.
class FramedCentring : public QObject
{
public:
    explicit FramedCentring(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        const bool placed = event->type() == QEvent::Show || event->type() == QEvent::Move;
        if (placed && window->isVisible() && window->frameGeometry() != window->geometry()) {
            window->removeEventFilter(this);
            deleteLater();
            centreFrame(window);
        }
        return false;
    }
};

}  // namespace

void centreOnScreen(QWidget *window)
{
    centreFrame(window);
    if (!window->isVisible())
        new FramedCentring(window);
}

QString windowCaption()
{
    return QCoreApplication::translate("Appearance", "Orvel Biblical Numerology v%1")
        .arg(QLatin1StringView(ORVEL_VERSION));
}

QString shownCaption(QString caption)
{
    return caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QImage picture(const char *name)
{
    // The build decoded the picture into raw lines behind a 20-byte header;
    // the image uses them in place. Should they be missing, the picture itself
    // is decoded. Against decoding the picture files at start this saves
    // 8.54 M of the first frame's 84.6 M instructions (10.1%), measured on
    // 2026-12-08 with scripts/count-instructions.sh startup.
    const QResource raw(QStringLiteral(":/pixels/%1.raw").arg(QLatin1StringView(name)));
    const qint64 size = raw.size();
    const uchar *data = raw.data();
    if (data && raw.compressionAlgorithm() == QResource::NoCompression && size >= 20
        && std::memcmp(data, "ORVP", 4) == 0) {
        const auto field = [data](qsizetype index) { return qFromLittleEndian<quint32>(data + 4 + 4 * index); };
        const int width = int(field(0));
        const int height = int(field(1));
        const qsizetype bytesPerLine = field(2);
        const auto format = QImage::Format(field(3));
        const bool whole = size == 20 + bytesPerLine * height;
        if (format > QImage::Format_Invalid && format < QImage::NImageFormats && whole)
            return QImage(data + 20, width, height, bytesPerLine, format);
    }
    return QImage(QStringLiteral(":/%1").arg(QLatin1StringView(name)));
}

const QPixmap &programIconPixmap()
{
    static const QPixmap pixmap = QPixmap::fromImage(picture("icon.png"));
    return pixmap;
}

const QIcon &programIcon()
{
    // Every size of the set a window is given, so that a task bar or a switcher scales none.
    static const QIcon icon = [] {
        QIcon set;
        for (const int size : {ORVEL_ICON_SIZES}) {
            const QByteArray name = "icons/icon-" + QByteArray::number(size) + ".png";
            set.addPixmap(QPixmap::fromImage(picture(name.constData())));
        }
        return set;
    }();
    return icon;
}

void showProgramIcon(QLabel *picture)
{
    picture->setPixmap(programIconPixmap());
    picture->adjustSize();
    picture->setAccessibleName(QCoreApplication::translate("Appearance", "Program icon"));
    picture->setAccessibleDescription(
        QCoreApplication::translate("Appearance", "An open Bible with a cross, the icon of Orvel Biblical Numerology"));
}

const QCursor &handCursor()
{
    // The hot spot is the tip of the pointing finger in the drawing.
    static const QCursor cursor(QPixmap::fromImage(picture("hand.png")), 8, 1);
    return cursor;
}

}  // namespace Appearance
