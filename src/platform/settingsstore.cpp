#include "settingsstore.h"

#include "executable.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace SettingsStore {
namespace {

QString path(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

// The value of key in section exactly as it stands in the store's file, the
// last line that gives it winning as it does for QSettings; nothing where the
// store is not a file of such lines (the Windows registry) or the key is not
// found there.
std::optional<QString> textInFile(const QString &fileName, const QString &section, const QString &key)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString header = QLatin1Char('[') + section + QLatin1Char(']');
    std::optional<QString> text;
    bool inSection = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line == header;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inSection && equals > 0 && QStringView(line).left(equals).trimmed() == key)
            text = line.mid(equals + 1).trimmed();
    }
    return text;
}

// The store of appName's values. On Linux that is one file, read only when it
// is a plain file, a link to one, or not there yet: a FIFO there would hang
// the read for ever, and a folder, device, socket or dangling link is no
// store either. Such a thing counts as no store (null) and is left alone.
// Only that file is read, not the organisation's or the system's files that
// QSettings would read besides, each of which could be such a thing too.
std::unique_ptr<QSettings> openStore(const QString &appName)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/')
                         + QLatin1StringView(kOrganization) + QLatin1Char('/') + appName + QStringLiteral(".conf");
    const QFileInfo info(file);
    if ((info.exists() || info.isSymLink()) && !info.isFile())
        return nullptr;
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QLatin1StringView(kOrganization),
                                       appName);
#endif
}

}  // namespace

QString ApplicationName()
{
    return Executable::baseName();
}

std::optional<QString> GetSetting(const QString &appName, const QString &section, const QString &key,
                                  const QString &defaultText)
{
    const std::unique_ptr<const QSettings> store = openStore(appName);
    if (!store)
        return defaultText;
    const QSettings &settings = *store;
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    const QString where = path(section, key);
    if (!settings.contains(where))
        return defaultText;
    const QVariant value = settings.value(where);
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    // QSettings takes some hand-written texts for other kinds of values:
    // "a, b" for a list, "@Invalid()" for no value at all. The stored text is
    // what stands in the file, not a value rebuilt from those.
    return textInFile(settings.fileName(), section, key);
}

bool SaveSetting(const QString &appName, const QString &section, const QString &key, const QString &text)
{
    const std::unique_ptr<QSettings> settings = openStore(appName);
    if (!settings)
        return false;
    settings->setValue(path(section, key), text);
    // Written out now, so that a failure is seen here and the value survives
    // however the process ends.
    settings->sync();
    return settings->status() == QSettings::NoError;
}

}  // namespace SettingsStore
