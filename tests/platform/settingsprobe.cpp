// Reads or writes the program's date key in a process of its own, so that
// tests see what survives to the next run. Values travel as hexadecimal UTF-8.
//   settingsprobe write HEX   settingsprobe read
#include "settingsstore.h"

#include <QCoreApplication>

#include <cstdio>
#include <optional>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString appName = SettingsStore::ApplicationName();
    const QString section = QLatin1StringView(SettingsStore::kSection);
    const QString key = QLatin1StringView(SettingsStore::kDurationKey);

    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("write")) {
        const QString text = QString::fromUtf8(QByteArray::fromHex(arguments.at(2).toLatin1()));
        return SettingsStore::SaveSetting(appName, section, key, text) ? 0 : 2;
    }
    if (arguments.size() == 2 && arguments.at(1) == QLatin1String("read")) {
        const std::optional<QString> text = SettingsStore::GetSetting(appName, section, key, QString());
        if (!text)
            return 2;
        std::printf("%s\n", text->toUtf8().toHex().constData());
        return 0;
    }
    std::fputs("usage: settingsprobe write HEX | read\n", stderr);
    return 1;
}
