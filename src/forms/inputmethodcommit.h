// Text that an input method commits reaches a box's key filter one character
// at a time, each judged as if it had been typed alone.
#pragma once

class QInputMethodEvent;
class QObject;

namespace InputMethodCommit {

// Sends a commit of several characters to the box again as one event per
// character, in order, so that its filters judge each alone; the first keeps
// the commit's replacement, the last what is still being composed. Returns
// false, sending nothing, for a commit of one character or none.
bool splitIntoCharacters(QObject *box, const QInputMethodEvent &event);

// Ends the composition of a refused commit without entering anything.
void dropCommit(QObject *box, const QInputMethodEvent &event);

}  // namespace InputMethodCommit
