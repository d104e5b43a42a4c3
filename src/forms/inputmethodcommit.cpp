#include "inputmethodcommit.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QList>
#include <QPointer>
#include <QStringView>

namespace InputMethodCommit {

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

}  // namespace InputMethodCommit
