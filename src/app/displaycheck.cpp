#include "displaycheck.h"

#include <QList>
#include <QString>
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

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;

void say(const char *sentence)
{
    std::fputs(sentence, stderr);
    std::fflush(stderr);
}

void holdOrEnd(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        say("The graphical display could not be opened: start Orvel Biblical Numerology from a desktop session.\n");
        // Nothing is open yet that could need an orderly end.
        std::_Exit(1);
    }
    heldMessages.append({type, context.category, context.file, context.function, context.line, text});
}

}  // namespace

bool displayNamed()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        say("No graphical display is available: start Orvel Biblical Numerology from a desktop session.\n");
        return false;
    }
#endif
    return true;
}

void watchOpening()
{
    previousHandler = qInstallMessageHandler(holdOrEnd);
}

void openingDone()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &message : std::as_const(heldMessages)) {
        const QMessageLogContext context(message.file.constData(), message.line, message.function.constData(),
                                         message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
}

}  // namespace DisplayCheck
