// The exit screen as a whole: its message draw, its look and tab order, the
// links, the spring-back check box, and closing that ends the program once.
#include "appearance.h"
#include "clickablelabel.h"
#include "controls.h"
#include "endapplication.h"
#include "frmnagscreen2.h"
#include "modhelp.h"
#include "recorders.h"
#include "windowflow.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const std::array<QString, 4> kMessages = {
    QStringLiteral("Gleamware, such as this can be created and maintained only with your support. The "
                   "best way to support Quillmoor is to visit Quillmoor regularly and take part in the "
                   "discussions and other activities on the board."),
    QStringLiteral("Visit Quillmoor regularly. Support Quillmoor by taking part in the discussions and "
                   "other activities. These softwares cannot be supported and maintained, without you "
                   "regularly visiting Quillmoor"),
    QStringLiteral("Quillmoor is a FREE online discussion forum for all things mystic. To help "
                   "Quillmoor develop and maintain this software visit Quillmoor regularly."),
    QStringLiteral("Quillmoor needs your help. All you need to do is visit Quillmoor regularly and take "
                   "part in the various discussions and activites to help us maintain and develop more "
                   "Gleamware."),
};

}  // namespace

class TestExitScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void shouldPickTheMessageFromTheDraw_data();
    void shouldPickTheMessageFromTheDraw();
    void shouldShowTheDrawnMessageInFull_data();
    void shouldShowTheDrawnMessageInFull();
    void shouldDrawEachMessageAboutAQuarterOfTheTime();

    void shouldOpenAsAFixedTopmostWindowWithExitFocused();
    void shouldTabInTabIndexOrder();
    void shouldShowTheSuiteTextInFull();

    void shouldOpenTheHomePageOncePerPressAndSpringBack_data();
    void shouldOpenTheHomePageOncePerPressAndSpringBack();
    void shouldOpenTheSuitePageFromItsLink();

    void shouldEndTheProgramOnceHoweverClosed_data();
    void shouldEndTheProgramOnceHoweverClosed();

private:
    void showScreen(float r = 0.0f);

    QPointer<frmNagScreen2> m_screen;
    QList<int> m_ends;
};

void TestExitScreen::initTestCase()
{
    Appearance::apply();
    modHelp::setProcessEnd([this](int status) { m_ends.append(status); });
}

void TestExitScreen::init()
{
    m_ends.clear();
}

void TestExitScreen::cleanup()
{
    delete m_screen;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

void TestExitScreen::showScreen(float r)
{
    m_screen = new frmNagScreen2([r] { return r; });
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
}

void TestExitScreen::shouldPickTheMessageFromTheDraw_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("k");

    QTest::newRow("0") << 0.0f << 0;
    QTest::newRow("just below 1/4") << 0.2499999f << 0;
    QTest::newRow("1/4") << 0.25f << 1;
    QTest::newRow("just below 1/2") << std::nextafter(0.5f, 0.0f) << 1;
    QTest::newRow("1/2") << 0.5f << 2;
    QTest::newRow("just below 3/4") << std::nextafter(0.75f, 0.0f) << 2;
    QTest::newRow("3/4") << 0.75f << 3;
    QTest::newRow("largest below 1") << std::nextafter(1.0f, 0.0f) << 3;
}

void TestExitScreen::shouldPickTheMessageFromTheDraw()
{
    QFETCH(float, r);
    QFETCH(int, k);
    QCOMPARE(frmNagScreen2::MessageIndex(r), k);
}

void TestExitScreen::shouldShowTheDrawnMessageInFull_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("k");

    QTest::newRow("message 0") << 0.1f << 0;
    QTest::newRow("message 1") << 0.3f << 1;
    QTest::newRow("message 2") << 0.6f << 2;
    QTest::newRow("message 3") << 0.9f << 3;
}

void TestExitScreen::shouldShowTheDrawnMessageInFull()
{
    QFETCH(float, r);
    QFETCH(int, k);
    int draws = 0;
    frmNagScreen2 screen([&] {
        ++draws;
        return r;
    });

    QCOMPARE(draws, 1);
    QCOMPARE(control<QLabel>(&screen, "Label2")->text(), kMessages[k]);
    QVERIFY(control<QLabel>(&screen, "Label2")->wordWrap());
    QVERIFY(control<QLabel>(&screen, "Label2")->heightForWidth(control<QLabel>(&screen, "Label2")->width())
            <= control<QLabel>(&screen, "Label2")->height());

    // A label draws its text from its top edge, however few lines the message takes.
    const QImage drawn = control<QLabel>(&screen, "Label2")->grab().toImage();
    int firstInked = -1;
    for (int y = 0; y < drawn.height() && firstInked < 0; ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (qGray(drawn.pixel(x, y)) < 128) {
                firstInked = y;
                break;
            }
        }
    }
    const qreal inkTop = firstInked / drawn.devicePixelRatio();
    // The tallest letters of the first line reach up to the cap height below the ascent.
    const QFontMetrics metrics = control<QLabel>(&screen, "Label2")->fontMetrics();
    QVERIFY2(firstInked >= 0 && inkTop <= metrics.ascent() - metrics.capHeight() + 1,
             qPrintable(QStringLiteral("text starts %1 px down").arg(inkTop)));
}

void TestExitScreen::shouldDrawEachMessageAboutAQuarterOfTheTime()
{
    // Each load seeds its own generator from the clock.
    constexpr int kLoads = 400;
    std::array<int, 4> counts{};
    for (int load = 0; load < kLoads; ++load) {
        frmNagScreen2 screen;
        const auto shown = std::find(kMessages.begin(), kMessages.end(), control<QLabel>(&screen, "Label2")->text());
        QVERIFY(shown != kMessages.end());
        ++counts[shown - kMessages.begin()];
    }
    // 100 expected each; 60 is more than four standard deviations below.
    for (int count : counts)
        QVERIFY2(count > 60 && count < 140, qPrintable(QString::number(count)));
}

void TestExitScreen::shouldOpenAsAFixedTopmostWindowWithExitFocused()
{
    frmNagScreen2 unshown;
    QVERIFY(unshown.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(unshown.testAttribute(Qt::WA_DeleteOnClose));

    showScreen();
    const Qt::WindowFlags flags = m_screen->windowFlags();
    QCOMPARE(m_screen->windowType(), Qt::Window);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!m_screen->parentWidget());
    QCOMPARE(m_screen->minimumSize(), QSize(741, 315));
    QCOMPARE(m_screen->maximumSize(), QSize(741, 315));
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(m_screen, "cmdClose"));
    // Every box starts with its own text, so none was entered on opening.
    QCOMPARE(control<QLineEdit>(m_screen, "txtName")->text(), QStringLiteral("Your Name"));
    QCOMPARE(control<QPlainTextEdit>(m_screen, "txtMessage")->toPlainText(), QStringLiteral("Your Message\n"));
}

void TestExitScreen::shouldTabInTabIndexOrder()
{
    showScreen();
    const QStringList expected = {"Check1",        "txtName",    "cmdSubmit",   "txtEmail", "txtFriendEmail",
                                  "txtFriendName", "txtMessage", "lblGoToHome", "cmdClose"};
    QStringList visited;
    for (int step = 0; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, expected);
    // Tab leaves the message box rather than going into its text.
    QCOMPARE(control<QPlainTextEdit>(m_screen, "txtMessage")->toPlainText(), QStringLiteral("Your Message\n"));
}

void TestExitScreen::shouldShowTheSuiteTextInFull()
{
    frmNagScreen2 screen;
    const QLabel *text = control<QLabel>(&screen, "Label3");
    QCOMPARE(text->text().size(), 615);
    QVERIFY(text->text().startsWith(
        "If you have enjoyed this software you will surely be interested in our other Gleamware."));
    // The first paragraph, then the run of spaces that starts the second on a line of its own.
    QCOMPARE(text->text().indexOf(QString(61, QLatin1Char(' '))), 348);
    QVERIFY(text->text().endsWith(QStringLiteral(". ")));
    QVERIFY(text->heightForWidth(text->width()) <= text->height());
}

void TestExitScreen::shouldOpenTheHomePageOncePerPressAndSpringBack_data()
{
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("mouse") << true;
    QTest::newRow("space bar") << false;
}

void TestExitScreen::shouldOpenTheHomePageOncePerPressAndSpringBack()
{
    QFETCH(bool, byMouse);
    BrowserRecorder browser;
    showScreen();
    QPushButton *check = control<QPushButton>(m_screen, "Check1");

    for (int press = 1; press <= 2; ++press) {
        if (byMouse) {
            QTest::mouseClick(check, Qt::LeftButton);
        } else {
            check->setFocus(Qt::TabFocusReason);
            QTest::keyClick(check, Qt::Key_Space);
        }
        QCOMPARE(browser.addresses.size(), press);
        QVERIFY(!check->isChecked());
    }
    QCOMPARE(browser.addresses, QStringList({modHelp::HomePage(), modHelp::HomePage()}));
    QVERIFY(m_screen->isVisible());
}

void TestExitScreen::shouldOpenTheSuitePageFromItsLink()
{
    BrowserRecorder browser;
    showScreen();
    QTest::mouseClick(control<ClickableLabel>(m_screen, "lblGoToHome"), Qt::LeftButton);
    QCOMPARE(browser.addresses, QStringList({modHelp::SoftwareSuitePage()}));
    QVERIFY(m_screen->isVisible());
}

void TestExitScreen::shouldEndTheProgramOnceHoweverClosed_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Exit clicked") << "click";
    QTest::newRow("Exit by its access key") << "alt+x";
    QTest::newRow("Exit by Enter") << "enter";
    QTest::newRow("Exit by keypad Enter") << "keypad enter";
    QTest::newRow("close box") << "close";
}

void TestExitScreen::shouldEndTheProgramOnceHoweverClosed()
{
    QFETCH(QString, how);
    MessageRecorder messages;
    BrowserRecorder browser;
    // The end is the program's, wired where the windows are made.
    m_screen = WindowFlow::ShowExitScreen();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));

    if (how == "click")
        QTest::mouseClick(control<QPushButton>(m_screen, "cmdClose"), Qt::LeftButton);
    else if (how == "alt+x")
        QTest::keyClick(control<QLineEdit>(m_screen, "txtName"), Qt::Key_X, Qt::AltModifier);
    else if (how == "enter")
        QTest::keyClick(control<QPushButton>(m_screen, "cmdClose"), Qt::Key_Return);
    else if (how == "keypad enter")
        QTest::keyClick(control<QPushButton>(m_screen, "cmdClose"), Qt::Key_Enter, Qt::KeypadModifier);
    else
        m_screen->close();

    // The access key presses the button a moment later, as a click would look.
    QTRY_VERIFY(m_screen.isNull());
    QCOMPARE(m_ends, QList<int>({0}));
    QVERIFY(messages.boxes.isEmpty());
    QVERIFY(browser.addresses.isEmpty());
}

QTEST_MAIN(TestExitScreen)
#include "tst_exitscreen.moc"
