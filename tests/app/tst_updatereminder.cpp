// The update reminder: the first start only records the date; the question
// comes 15 or more days away from it, in either direction; each answer renews
// the date; a stored text that is not a date is never asked about.
#include "modhelp.h"
#include "recorders.h"
#include "settingsstore.h"
#include "tempuserfolders.h"
#include "updatereminder.h"

#include <QSettings>
#include <QTest>

#include <optional>

namespace {

// After February 29th, so that the window spans a leap day.
const QDate kToday(2024, 3, 1);

const QString kDurationPath = QStringLiteral("Settings/Duration");

void setStored(const std::optional<QString> &text)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QLatin1StringView(SettingsStore::kOrganization),
                       SettingsStore::ApplicationName());
    if (text)
        settings.setValue(kDurationPath, *text);
    else
        settings.remove(kDurationPath);
}

QString stored()
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QLatin1StringView(SettingsStore::kOrganization),
                       SettingsStore::ApplicationName());
    return settings.contains(kDurationPath) ? settings.value(kDurationPath).toString() : QStringLiteral("<absent>");
}

}  // namespace

class TestUpdateReminder : public QObject
{
    Q_OBJECT
private slots:
    void shouldAskOnlyOutsideTheQuietDays_data();
    void shouldAskOnlyOutsideTheQuietDays();
    void shouldAskWithAnInformationBoxDefaultingToYes();
    void shouldCountTheNextPeriodFromTheLastQuestion();
};

void TestUpdateReminder::shouldAskOnlyOutsideTheQuietDays_data()
{
    QTest::addColumn<bool>("hasStored");
    QTest::addColumn<QString>("storedText");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<bool>("downloadOpened");

    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    QTest::newRow("first start records today") << false << QString() << yes << false << "2024-03-01" << false;
    QTest::newRow("empty text counts as first start") << true << QString() << yes << false << "2024-03-01" << false;
    QTest::newRow("same day") << true << "2024-03-01" << yes << false << "2024-03-01" << false;
    QTest::newRow("14 days back") << true << "2024-02-16" << yes << false << "2024-02-16" << false;
    QTest::newRow("15 days back, over the leap day, yes")
        << true << "2024-02-15" << yes << true << "2024-03-01" << true;
    QTest::newRow("15 days back, no") << true << "2024-02-15" << no << true << "2024-03-01" << false;
    QTest::newRow("14 days ahead") << true << "2024-03-15" << yes << false << "2024-03-15" << false;
    QTest::newRow("15 days ahead") << true << "2024-03-16" << no << true << "2024-03-01" << false;
    QTest::newRow("years back") << true << "2019-07-04" << no << true << "2024-03-01" << false;
    QTest::newRow("not a date") << true << "next Tuesday" << yes << false << "next Tuesday" << false;
    QTest::newRow("impossible day") << true << "2023-02-29" << yes << false << "2023-02-29" << false;
    QTest::newRow("other date form") << true << "15/02/2024" << yes << false << "15/02/2024" << false;
    QTest::newRow("date with trailing text") << true << "2024-02-15x" << yes << false << "2024-02-15x" << false;
}

void TestUpdateReminder::shouldAskOnlyOutsideTheQuietDays()
{
    QFETCH(bool, hasStored);
    QFETCH(QString, storedText);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(QString, storedAfter);
    QFETCH(bool, downloadOpened);
    setStored(hasStored ? std::optional<QString>(storedText) : std::nullopt);
    MessageRecorder boxes(static_cast<QMessageBox::StandardButton>(answer));
    BrowserRecorder browser;

    modHelp::CheckForUpdate(kToday);

    QCOMPARE(boxes.boxes.size(), asked ? 1 : 0);
    QCOMPARE(stored(), storedAfter);
    QCOMPARE(browser.addresses, downloadOpened ? QStringList{modHelp::DownloadPage()} : QStringList());
}

void TestUpdateReminder::shouldAskWithAnInformationBoxDefaultingToYes()
{
    setStored(QStringLiteral("2024-02-01"));
    MessageRecorder boxes(QMessageBox::No);

    modHelp::CheckForUpdate(kToday);

    QCOMPARE(boxes.boxes.size(), 1);
    const MsgBox::Request &box = boxes.boxes.first();
    QCOMPARE(box.text, QStringLiteral("There maybe an update to this software available\r"
                                      "Do you want to check for an update?"));
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.defaultButton, QMessageBox::Yes);
    QCOMPARE(box.parent, nullptr);
}

void TestUpdateReminder::shouldCountTheNextPeriodFromTheLastQuestion()
{
    setStored(QStringLiteral("2024-01-01"));
    MessageRecorder boxes(QMessageBox::No);

    modHelp::CheckForUpdate(kToday);
    modHelp::CheckForUpdate(kToday.addDays(14));
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(stored(), QStringLiteral("2024-03-01"));

    modHelp::CheckForUpdate(kToday.addDays(15));
    QCOMPARE(boxes.boxes.size(), 2);
    QCOMPARE(stored(), QStringLiteral("2024-03-16"));
}

ORVEL_TEST_MAIN_IN_TEMP_FOLDERS(TestUpdateReminder)
#include "tst_updatereminder.moc"
