// Ends the program with one clear sentence and status 1 when no graphical
// display can be had, instead of Qt's abort and its page of plugin advice.
#pragma once

namespace DisplayCheck {

// False, after saying why on stderr, when the environment names no display.
bool displayNamed(int &argc, char **argv);

// Between these two calls, while the application object opens the display, a
// fatal message from Qt ends the process with status 1 and one sentence;
// Qt's other messages of that time are held back and passed on once the
// display is open. openingDone is false, after saying why, when the display
// opened without a screen, where no window could ever be made: the caller
// ends with status 1.
void watchOpening();
bool openingDone();

}  // namespace DisplayCheck
