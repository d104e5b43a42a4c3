// The program's start: refuse a second copy, seed the random generator, give
// the update reminder its chance, show the main window and pick which of its
// two promotion labels is seen.
#pragma once

class frmMain;

namespace modHelp {

// Runs once, before any window is shown. A refused copy ends through
// EndApplication before this returns.
void StartApplication();

// 6 × r + 1 rounded to the nearest integer, an exact half to the even one:
// 1 to 7 for a draw r in [0, 1).
int CoBrandPick(float r);

// Brings lblFullBrand to the front for 2, 4 and 6 and lblCobrand for 1, 3
// and 5; 7 keeps the layout's order. The first form draws r itself.
void CoBrand_Randomize(frmMain &form);
void CoBrand_Randomize(frmMain &form, float r);

}  // namespace modHelp
