// Ends the program with one clear sentence and status 1 when no graphical
// display can be had, instead of Qt's abort and its page of plugin advice.
#pragma once

namespace DisplayCheck {

// False, after saying why on stderr, when the environment names no display.
bool displayNamed();

// Between these two calls, while the application object opens the display, a
// fatal message from Qt ends the process with status 1 and one sentence;
// Qt's other messages of that time are held back and passed on once the
// display is open.
void watchOpening();
void openingDone();

}  // namespace DisplayCheck
