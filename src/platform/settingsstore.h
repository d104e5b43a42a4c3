// The per-user store of the program's few persistent text values, each
// addressed by application name, section and key.
#pragma once

#include <QString>

#include <optional>

namespace SettingsStore {

// The folder (or registry branch) that holds every application name's values.
inline constexpr char kOrganization[] = "Orvel";
// The program's only section and its only key.
inline constexpr char kSection[] = "Settings";
inline constexpr char kDurationKey[] = "Duration";

// The application name the program stores its values under: the executable's
// base name, so that a renamed copy starts afresh.
QString ApplicationName();

// The stored text, or defaultText when the key was never written; nothing
// when the store cannot be read. A hand-written value that the store would
// read as a list or another kind of value comes as the text written.
std::optional<QString> GetSetting(const QString &appName, const QString &section, const QString &key,
                                  const QString &defaultText);

// Creates or replaces the value and writes it out; false when the store
// could not be written.
bool SaveSetting(const QString &appName, const QString &section, const QString &key, const QString &text);

}  // namespace SettingsStore
