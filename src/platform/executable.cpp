#include "executable.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Executable {

QString baseName()
{
    // Only the last suffix is an extension: "Orvel.Numerology.exe" keeps "Orvel.Numerology".
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

}  // namespace Executable
