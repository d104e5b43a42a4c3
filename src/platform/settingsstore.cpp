#include "settingsstore.h"

#include "executable.h"

#include <QSettings>

namespace SettingsStore {
namespace {

QString path(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

}  // namespace

QString ApplicationName()
{
    return Executable::baseName();
}

std::optional<QString> GetSetting(const QString &appName, const QString &section, const QString &key,
                                  const QString &defaultText)
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                             QLatin1StringView(kOrganization), appName);
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    return settings.value(path(section, key), defaultText).toString();
}

bool SaveSetting(const QString &appName, const QString &section, const QString &key, const QString &text)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QLatin1StringView(kOrganization),
                       appName);
    settings.setValue(path(section, key), text);
    // Written out now, so that a failure is seen here and the value survives
    // however the process ends.
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace SettingsStore
