#include "updatereminder.h"

#include "messagebox.h"
#include "modhelp.h"
#include "settingsstore.h"

#include <QCoreApplication>

#include <optional>

namespace modHelp {
namespace {

// Days on either side of the recorded date on which nothing is asked.
constexpr qint64 kQuietDays = 14;

// The recorded date is kept as ISO text, which reads back as the same day
// whatever the user's locale.
QString dateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

// Anything but exactly the form dateText writes is not a date: Qt's own ISO
// reading would also take "2024/01/05" or trailing text.
std::optional<QDate> readDate(const QString &text)
{
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid() || dateText(date) != text)
        return std::nullopt;
    return date;
}

bool recordDate(const QDate &today)
{
    return SettingsStore::SaveSetting(SettingsStore::ApplicationName(), QLatin1StringView(SettingsStore::kSection),
                                      QLatin1StringView(SettingsStore::kDurationKey), dateText(today));
}

}  // namespace

void CheckForUpdate(const QDate &today)
{
    const std::optional<QString> stored = SettingsStore::GetSetting(
        SettingsStore::ApplicationName(), QLatin1StringView(SettingsStore::kSection),
        QLatin1StringView(SettingsStore::kDurationKey), QString());
    if (!stored)
        return;
    if (stored->isEmpty()) {
        recordDate(today);
        return;
    }
    // A value the program did not write is left alone and never asked about.
    const std::optional<QDate> recorded = readDate(*stored);
    if (!recorded)
        return;
    const qint64 days = today.daysTo(*recorded);
    if (days >= -kQuietDays && days <= kQuietDays)
        return;

    // No window of the program is up yet, so the box has no owner.
    const QMessageBox::StandardButton answer = MsgBox::show(
        {nullptr,
         QCoreApplication::translate("UpdateReminder", "There maybe an update to this software available")
             + QLatin1Char('\r') + QCoreApplication::translate("UpdateReminder", "Do you want to check for an update?"),
         QMessageBox::Information, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes});
    // A store that cannot take the new date ends the reminder here.
    if (!recordDate(today))
        return;
    if (answer == QMessageBox::Yes)
        OpenDownloadPage();
}

}  // namespace modHelp
