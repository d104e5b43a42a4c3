// The program's windows in their order: the main window, then, once it
// closes, the exit screen, whose closing or Exit ends the program. The forms
// only say what happened; what follows is decided here.
#pragma once

class frmMain;
class frmNagScreen2;

namespace WindowFlow {

// Creates and shows the main window, which hands over to a new exit screen
// when it closes.
frmMain *ShowMainWindow();

// Creates and shows the exit screen, which ends the program through
// EndApplication when it closes or its Exit is pressed.
frmNagScreen2 *ShowExitScreen();

}  // namespace WindowFlow
