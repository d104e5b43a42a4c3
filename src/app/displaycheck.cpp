#include "displaycheck.h"

#include "translations.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QList>
#include <QString>
#include <QTranslator>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace DisplayCheck {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QByteArray file;
    QByteArray function;
    int line;
    QString text;
};

const char *const kNoDisplay = QT_TRANSLATE_NOOP(
    "DisplayCheck", "No graphical display is available: start Orvel Biblical Numerology from a desktop session.");
const char *const kNotOpened = QT_TRANSLATE_NOOP(
    "DisplayCheck",
    "The graphical display could not be opened: start Orvel Biblical Numerology from a desktop session.");

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;

// Said before the translators are installed, so the program's own translation
// is looked up here; it needs the application object, which exists by then.
void say(const char *sentence)
{
    QString text = QString::fromUtf8(sentence);
    QTranslator own;
    if (Translations::loadOwn(own)) {
        const QString translated = own.translate("DisplayCheck", sentence);
        if (!translated.isEmpty())
            text = translated;
    }
    std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
    std::fflush(stderr);
}

void holdOrEnd(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        say(kNotOpened);
        // Nothing is open yet that could need an orderly end.
        std::_Exit(1);
    }
    heldMessages.append({type, context.category, context.file, context.function, context.line, text});
}

}  // namespace

bool displayNamed(int &argc, char **argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        // An application object without a display, only to find the translation.
        const QCoreApplication app(argc, argv);
        say(kNoDisplay);
        return false;
    }
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#endif
    return true;
}

void watchOpening()
{
    previousHandler = qInstallMessageHandler(holdOrEnd);
}

bool openingDone()
{
    // The framebuffer platform opens without a screen when it finds no
    // framebuffer, and Qt would abort at the first window. Qt's messages of
    // the opening stay held back: the sentence says it all.
    if (!QGuiApplication::primaryScreen()) {
        heldMessages.clear();
        say(kNotOpened);
        return false;
    }
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &message : std::as_const(heldMessages)) {
        const QMessageLogContext context(message.file.constData(), message.line, message.function.constData(),
                                         message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
    return true;
}

}  // namespace DisplayCheck
