// Loads Qt's own translation for the user's language, so standard buttons such
// as "OK", "Yes" and "No" speak it, and the program's translation where one is installed.
#pragma once

namespace Translations {

// Installs the translators on the running application; a missing file is silently skipped.
void install();

}  // namespace Translations
