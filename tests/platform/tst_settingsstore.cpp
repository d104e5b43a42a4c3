// The per-user settings store: defaults, replacing one key among others, and
// values that survive to the next process and stay behind when renamed.
#include "settingsstore.h"
#include "tempuserfolders.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString kSection = QStringLiteral("Settings");

struct ProbeResult {
    int exitCode = -1;
    QByteArray output;
};

ProbeResult runProbe(const QString &program, const QStringList &arguments)
{
    QProcess probe;
    probe.start(program, arguments);
    if (!probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit)
        return {};
    return {probe.exitCode(), probe.readAllStandardOutput().trimmed()};
}

QString stored(const QString &app, const QString &section, const QString &key)
{
    return SettingsStore::GetSetting(app, section, key, QString()).value_or(QStringLiteral("<store failed>"));
}

}  // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void shouldReadTheDefaultForAKeyNeverWritten_data();
    void shouldReadTheDefaultForAKeyNeverWritten();
    void shouldReplaceAKeyAndLeaveTheOthersAlone();
    void shouldReadBackTheSameTextInTheNextProcess_data();
    void shouldReadBackTheSameTextInTheNextProcess();
    void shouldStartAfreshUnderAnotherExecutableName();
};

void TestSettingsStore::shouldReadTheDefaultForAKeyNeverWritten_data()
{
    QTest::addColumn<QString>("defaultText");
    QTest::newRow("empty default") << QString();
    QTest::newRow("other default") << QStringLiteral("fallback");
}

void TestSettingsStore::shouldReadTheDefaultForAKeyNeverWritten()
{
    QFETCH(QString, defaultText);
    SettingsStore::SaveSetting(QStringLiteral("NeverWritten"), kSection, QStringLiteral("Other"), QStringLiteral("x"));
    const std::optional<QString> read = SettingsStore::GetSetting(QStringLiteral("NeverWritten"), kSection,
                                                                  QStringLiteral("Duration"), defaultText);
    QVERIFY(read.has_value());
    QCOMPARE(*read, defaultText);
}

void TestSettingsStore::shouldReplaceAKeyAndLeaveTheOthersAlone()
{
    const QString app = QStringLiteral("Replacing");
    QVERIFY(SettingsStore::SaveSetting(app, kSection, QStringLiteral("Duration"), QStringLiteral("2024-01-01")));
    QVERIFY(SettingsStore::SaveSetting(app, kSection, QStringLiteral("Other"), QStringLiteral("kept")));
    QVERIFY(SettingsStore::SaveSetting(app, QStringLiteral("Elsewhere"), QStringLiteral("Duration"),
                                       QStringLiteral("also kept")));

    QVERIFY(SettingsStore::SaveSetting(app, kSection, QStringLiteral("Duration"), QStringLiteral("2024-02-02")));

    QCOMPARE(stored(app, kSection, QStringLiteral("Duration")), QStringLiteral("2024-02-02"));
    QCOMPARE(stored(app, kSection, QStringLiteral("Other")), QStringLiteral("kept"));
    QCOMPARE(stored(app, QStringLiteral("Elsewhere"), QStringLiteral("Duration")), QStringLiteral("also kept"));
}

void TestSettingsStore::shouldReadBackTheSameTextInTheNextProcess_data()
{
    // Texts that a settings file must quote or escape to keep them intact.
    QTest::addColumn<QString>("text");
    QTest::newRow("iso date") << QStringLiteral("2024-03-01");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces around") << QStringLiteral("  spaced  ");
    QTest::newRow("separators") << QStringLiteral("a;b=c,d#e [f]");
    QTest::newRow("quotes and backslash") << QStringLiteral("\"quoted\" \\path\\");
    QTest::newRow("line breaks") << QStringLiteral("one\r\ntwo\rthree");
    QTest::newRow("beyond latin-1") << QStringLiteral("Zo\u00eb \u65e5\u672c \U0001F600");
}

void TestSettingsStore::shouldReadBackTheSameTextInTheNextProcess()
{
    QFETCH(QString, text);
    const QString probe = QStringLiteral(ORVEL_SETTINGS_PROBE);
    QCOMPARE(runProbe(probe, {QStringLiteral("write"), QString::fromLatin1(text.toUtf8().toHex())}).exitCode, 0);
    const ProbeResult read = runProbe(probe, {QStringLiteral("read")});
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(QString::fromUtf8(QByteArray::fromHex(read.output)), text);
}

void TestSettingsStore::shouldStartAfreshUnderAnotherExecutableName()
{
    const QString probe = QStringLiteral(ORVEL_SETTINGS_PROBE);
    QTemporaryDir folder;
    const QString renamed = folder.filePath(QStringLiteral("RenamedNumerology"));
    QVERIFY(QFile::copy(probe, renamed));

    QCOMPARE(runProbe(probe, {QStringLiteral("write"), QString::fromLatin1(QByteArray("2024-03-01").toHex())}).exitCode,
             0);
    const ProbeResult underNewName = runProbe(renamed, {QStringLiteral("read")});
    QCOMPARE(underNewName.exitCode, 0);
    QCOMPARE(underNewName.output, QByteArray());

    const ProbeResult underOldName = runProbe(probe, {QStringLiteral("read")});
    QCOMPARE(QByteArray::fromHex(underOldName.output), QByteArray("2024-03-01"));
}

ORVEL_TEST_MAIN_IN_TEMP_FOLDERS(TestSettingsStore)
#include "tst_settingsstore.moc"
