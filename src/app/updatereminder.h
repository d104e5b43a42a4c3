// The start-up reminder that suggests, at most every fifteen days, looking
// for a newer version on the download page.
#pragma once

#include <QDate>

namespace modHelp {

// Records the date on the first start; on a start 15 or more days away from
// the recorded date (either way) asks whether to check for an update, renews
// the date and, on Yes, opens the download page. today is the system's date
// in the program; tests pass their own.
void CheckForUpdate(const QDate &today = QDate::currentDate());

}  // namespace modHelp
