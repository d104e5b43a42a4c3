// Start-up within one process: the update question comes before the main
// window; the promotion-label pick rounds half to even, raises the drawn
// label and comes out in the stated proportions.
#include "clickablelabel.h"
#include "controls.h"
#include "frmmain.h"
#include "modhelp.h"
#include "recorders.h"
#include "rnd.h"
#include "settingsstore.h"
#include "startapplication.h"
#include "tempuserfolders.h"

#include <QApplication>
#include <QSettings>
#include <QTest>

#include <array>
#include <memory>

namespace {

const QString kDurationPath = QStringLiteral("Settings/Duration");

void setStored(const QString &text)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QLatin1StringView(SettingsStore::kOrganization),
                       SettingsStore::ApplicationName());
    if (text.isNull())
        settings.remove(kDurationPath);
    else
        settings.setValue(kDurationPath, text);
}

QString stored()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                             QLatin1StringView(SettingsStore::kOrganization), SettingsStore::ApplicationName());
    return settings.value(kDurationPath).toString();
}

QList<frmMain *> mainWindows()
{
    QList<frmMain *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *form = qobject_cast<frmMain *>(window))
            found.append(form);
    }
    return found;
}

bool mainWindowVisible()
{
    for (const frmMain *form : mainWindows()) {
        if (form->isVisible())
            return true;
    }
    return false;
}

// The label the user sees where the two promotion labels overlap.
QString frontLabel(const frmMain &form)
{
    const QWidget *strip = control<ClickableLabel>(&form, "lblCobrand")->parentWidget();
    const QWidget *front = strip->childAt(control<ClickableLabel>(&form, "lblCobrand")->geometry().center());
    return front ? front->objectName() : QString();
}

}  // namespace

class TestStartApplication : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void shouldShowTheMainWindowWithoutAQuestionOnTheFirstStart();
    void shouldAskBeforeTheMainWindowAppears_data();
    void shouldAskBeforeTheMainWindowAppears();

    void shouldPickByRoundingHalfToEven_data();
    void shouldPickByRoundingHalfToEven();
    void shouldBringTheDrawnLabelToTheFront_data();
    void shouldBringTheDrawnLabelToTheFront();
    void shouldRaiseEachLabelInTheStatedShareOfStarts();
};

void TestStartApplication::cleanup()
{
    // Deleted, not closed: closing the main window would start the way out.
    qDeleteAll(mainWindows());
    setStored(QString());
}

void TestStartApplication::shouldShowTheMainWindowWithoutAQuestionOnTheFirstStart()
{
    MessageRecorder boxes;
    BrowserRecorder browser;
    const QDate before = QDate::currentDate();

    modHelp::StartApplication();

    QCOMPARE(boxes.boxes.size(), 0);
    QCOMPARE(browser.addresses, QStringList());
    QCOMPARE(mainWindows().size(), 1);
    QVERIFY(mainWindowVisible());
    const QStringList today{before.toString(Qt::ISODate), QDate::currentDate().toString(Qt::ISODate)};
    QVERIFY2(today.contains(stored()), qPrintable(stored()));
}

void TestStartApplication::shouldAskBeforeTheMainWindowAppears_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("downloadOpened");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
}

void TestStartApplication::shouldAskBeforeTheMainWindowAppears()
{
    QFETCH(int, answer);
    QFETCH(bool, downloadOpened);
    setStored(QDate::currentDate().addDays(-15).toString(Qt::ISODate));
    QStringList events;
    MsgBox::setHandler([&events, answer](const MsgBox::Request &request) {
        events.append(request.text.left(9) + (mainWindowVisible() ? QStringLiteral(" over the window") : QString()));
        return static_cast<QMessageBox::StandardButton>(answer);
    });
    Browser::setLauncher([&events](const QString &address) {
        events.append(address + (mainWindowVisible() ? QStringLiteral(" over the window") : QString()));
    });

    modHelp::StartApplication();
    MsgBox::setHandler({});
    Browser::setLauncher({});

    QStringList expected{QStringLiteral("There may")};
    if (downloadOpened)
        expected.append(modHelp::DownloadPage());
    QCOMPARE(events, expected);
    QVERIFY(mainWindowVisible());
}

void TestStartApplication::shouldPickByRoundingHalfToEven_data()
{
    // The floats nearest each edge k/12, where 6r + 1 crosses a half.
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("pick");
    QTest::newRow("zero") << 0.0f << 1;
    QTest::newRow("below 1/12") << 0x1.555554p-4f << 1;
    QTest::newRow("above 1/12") << 0x1.555556p-4f << 2;
    QTest::newRow("below 1/4") << 0x1.fffffep-3f << 2;
    QTest::newRow("exactly 1/4: 2.5 to even 2") << 0.25f << 2;
    QTest::newRow("above 1/4") << 0x1.000002p-2f << 3;
    QTest::newRow("below 5/12") << 0x1.aaaaaap-2f << 3;
    QTest::newRow("above 5/12") << 0x1.aaaaacp-2f << 4;
    QTest::newRow("below 7/12") << 0x1.2aaaaap-1f << 4;
    QTest::newRow("above 7/12") << 0x1.2aaaacp-1f << 5;
    QTest::newRow("below 3/4") << 0x1.7ffffep-1f << 5;
    QTest::newRow("exactly 3/4: 5.5 to even 6") << 0.75f << 6;
    QTest::newRow("below 11/12") << 0x1.d55554p-1f << 6;
    QTest::newRow("above 11/12") << 0x1.d55556p-1f << 7;
    QTest::newRow("largest draw") << 0x1.fffffep-1f << 7;
}

void TestStartApplication::shouldPickByRoundingHalfToEven()
{
    QFETCH(float, r);
    QFETCH(int, pick);
    QCOMPARE(modHelp::CoBrandPick(r), pick);
}

void TestStartApplication::shouldBringTheDrawnLabelToTheFront_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("front");
    const QString full = QStringLiteral("lblFullBrand");
    const QString cobrand = QStringLiteral("lblCobrand");
    QTest::newRow("1") << 0.0f << cobrand;
    QTest::newRow("2") << 0.1f << full;
    QTest::newRow("3") << 0.3f << cobrand;
    QTest::newRow("4") << 0.5f << full;
    QTest::newRow("5") << 0.6f << cobrand;
    QTest::newRow("6") << 0.8f << full;
    // 7 moves neither: the layout's order stands, the co-brand offer in front.
    QTest::newRow("7") << 0.95f << cobrand;
}

void TestStartApplication::shouldBringTheDrawnLabelToTheFront()
{
    QFETCH(float, r);
    QFETCH(QString, front);
    const auto form = std::make_unique<frmMain>();
    QCOMPARE(control<ClickableLabel>(form, "lblCobrand")->geometry(),
             control<ClickableLabel>(form, "lblFullBrand")->geometry());

    modHelp::CoBrand_Randomize(*form, r);

    QCOMPARE(frontLabel(*form), front);
}

void TestStartApplication::shouldRaiseEachLabelInTheStatedShareOfStarts()
{
    // A fixed seed makes the count the same on every run; the tolerance is
    // many standard deviations wide.
    Rnd::Randomize(20240301u);
    constexpr int kDraws = 120000;
    std::array<int, 8> counts{};
    for (int i = 0; i < kDraws; ++i) {
        const int pick = modHelp::CoBrandPick(Rnd::Next());
        QVERIFY2(pick >= 1 && pick <= 7, qPrintable(QString::number(pick)));
        ++counts.at(pick);
    }

    const auto share = [](int count) { return double(count) / kDraws; };
    const double full = share(counts[2] + counts[4] + counts[6]);
    const double cobrand = share(counts[1] + counts[3] + counts[5]);
    const double neither = share(counts[7]);
    QVERIFY2(qAbs(full - 6.0 / 12) < 0.01, qPrintable(QString::number(full)));
    QVERIFY2(qAbs(cobrand - 5.0 / 12) < 0.01, qPrintable(QString::number(cobrand)));
    QVERIFY2(qAbs(neither - 1.0 / 12) < 0.01, qPrintable(QString::number(neither)));
    for (int pick = 1; pick <= 7; ++pick) {
        const double expected = (pick == 1 || pick == 7) ? 1.0 / 12 : 1.0 / 6;
        QVERIFY2(qAbs(share(counts.at(pick)) - expected) < 0.01, qPrintable(QString::number(pick)));
    }
}

ORVEL_TEST_MAIN_IN_TEMP_FOLDERS(TestStartApplication)
#include "tst_startapplication.moc"
