// Loads Qt's own translation for the user's language, so standard buttons such
// as "OK", "Yes" and "No" speak it, and the program's translation where one is installed.
#pragma once

class QTranslator;

namespace Translations {

// Installs the translators on the running application; a missing file is silently skipped.
void install();

// Loads the program's own translation for the user's language into the
// translator without installing it, for a text said before install() runs;
// false for English or where no file is found. Needs the application object.
bool loadOwn(QTranslator &translator);

}  // namespace Translations
