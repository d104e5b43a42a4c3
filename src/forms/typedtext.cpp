#include "typedtext.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QStringView>

namespace TypedText {
namespace {

// Sends a commit of several characters to the box again as one event per
// character; the first keeps the commit's replacement, the last what is still
// being composed. Returns false, sending nothing, for a commit of one
// character or none.
bool splitIntoCharacters(QObject *box, const QInputMethodEvent &event)
{
    const QString &commit = event.commitString();
    // A character beyond the basic plane is two code units and stays whole.
    QList<QStringView> characters;
    for (qsizetype at = 0; at < commit.size();) {
        const bool pair = commit.at(at).isHighSurrogate() && at + 1 < commit.size()
                          && commit.at(at + 1).isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        characters.append(QStringView(commit).mid(at, length));
        at += length;
    }
    if (characters.size() < 2)
        return false;

    // A refused character brings a modal message, under which the box may go.
    const QPointer<QObject> target(box);
    for (qsizetype index = 0; index < characters.size() && target; ++index) {
        const bool first = index == 0;
        const bool last = index + 1 == characters.size();
        QInputMethodEvent one = last ? QInputMethodEvent(event.preeditString(), event.attributes())
                                     : QInputMethodEvent();
        one.setCommitString(characters.at(index).toString(), first ? event.replacementStart() : 0,
                            first ? event.replacementLength() : 0);
        QCoreApplication::sendEvent(target, &one);
    }
    return true;
}

void dropCommit(QObject *box, const QInputMethodEvent &event)
{
    QInputMethodEvent nothing(event.preeditString(), event.attributes());
    QCoreApplication::sendEvent(box, &nothing);
}

}  // namespace

bool filter(QObject *box, QEvent *event, const Judge &refuses)
{
    if (event->type() == QEvent::KeyPress)
        return refuses(static_cast<QKeyEvent *>(event)->text(), true);
    if (event->type() != QEvent::InputMethod)
        return false;
    const auto &input = *static_cast<QInputMethodEvent *>(event);
    if (splitIntoCharacters(box, input))
        return true;
    if (!refuses(input.commitString(), false))
        return false;
    dropCommit(box, input);
    return true;
}

}  // namespace TypedText
