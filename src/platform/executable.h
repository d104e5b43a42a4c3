// The name the program runs under, which keys both its settings and its
// single-copy lock, so that a renamed copy is a program of its own.
#pragma once

#include <QString>

namespace Executable {

// The file name of the running executable without its extension, read at run
// time ("OrvelFreeBiblicalNumerology"). Needs the application object.
QString baseName();

}  // namespace Executable
