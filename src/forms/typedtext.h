// What is typed into a box, by a key or committed by an input method, judged
// before the box takes it in. A commit reaches the judge one character at a
// time, each as if it had been typed alone.
#pragma once

#include <functional>

class QEvent;
class QObject;
class QString;

namespace TypedText {

// Character codes as a box's KeyPress handler sees them.
inline constexpr int kNul = 0;
inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kDelete = 127;
// What a KeyPress handler sets the code to so that the box takes nothing in.
inline constexpr int kRefused = 0;

// Whether the text that one key or one commit brings is refused; byKey tells
// which of the two brought it.
using Judge = std::function<bool(const QString &typed, bool byKey)>;

// For a box's event filter: hands the text of a key press or of an input
// method's commit to refuses. A commit of several characters is sent to the
// box again as one event per character, in order, so that the judge sees each
// alone; a refused commit ends its composition without entering anything.
// Returns true when the event must not reach the box.
bool filter(QObject *box, QEvent *event, const Judge &refuses);

}  // namespace TypedText
