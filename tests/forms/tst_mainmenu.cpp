// What the main window's menu commands and link labels do, and how closing
// the window hands over to the exit screen.
#include "appearance.h"
#include "clickablelabel.h"
#include "controls.h"
#include "endapplication.h"
#include "execclosehelper.h"
#include "frmabout.h"
#include "frmmain.h"
#include "frmnagscreen2.h"
#include "modhelp.h"
#include "recorders.h"
#include "windowflow.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<void(frmMain *)>)

using Command = std::function<void(frmMain *)>;

class TestMainMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void shouldOpenThePageOfEachCommand_data();
    void shouldOpenThePageOfEachCommand();
    void shouldOpenOnlyThePageOfThePromotionInFront_data();
    void shouldOpenOnlyThePageOfThePromotionInFront();
    void shouldShowTheAboutBoxModallyOverTheWindow();
    void shouldHandOverToTheExitScreenHoweverClosed_data();
    void shouldHandOverToTheExitScreenHoweverClosed();

private:
    QPointer<frmMain> m_window;
    QList<int> m_ends;
};

void TestMainMenu::initTestCase()
{
    Appearance::apply();
    modHelp::setProcessEnd([this](int status) { m_ends.append(status); });
}

void TestMainMenu::init()
{
    m_ends.clear();
    m_window = new frmMain;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestMainMenu::cleanup()
{
    delete m_window;
    for (QWidget *window : QApplication::topLevelWidgets())
        delete qobject_cast<frmNagScreen2 *>(window);
}

void TestMainMenu::shouldOpenThePageOfEachCommand_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("page");
    auto menu = [](const char *action) {
        return Command([action](frmMain *w) { control<QAction>(w, action)->trigger(); });
    };
    QTest::newRow("Online Help") << menu("mnuOnline") << modHelp::HelpPage();
    QTest::newRow("Visit Us Online") << menu("mnuVisit") << modHelp::HomePage();
    QTest::newRow("Check for Software Update") << menu("mnuUpdate") << modHelp::DownloadPage();
    QTest::newRow("Donate") << menu("mnuDonate") << modHelp::DonatePage();
    QTest::newRow("forum link") << Command([](frmMain *w) {
        QTest::mouseClick(control<ClickableLabel>(w, "Label14"), Qt::LeftButton);
    }) << modHelp::HomePage();
}

void TestMainMenu::shouldOpenThePageOfEachCommand()
{
    QFETCH(Command, command);
    QFETCH(QString, page);
    BrowserRecorder browser;
    MessageRecorder messages;

    command(m_window);
    command(m_window);

    // Nothing is remembered: each use opens the page again, and nothing is asked.
    QCOMPARE(browser.addresses, (QStringList{page, page}));
    QVERIFY(messages.boxes.isEmpty());
    QVERIFY(m_window->isVisible());
}

void TestMainMenu::shouldOpenOnlyThePageOfThePromotionInFront_data()
{
    QTest::addColumn<bool>("fullBrandInFront");
    QTest::addColumn<QString>("page");
    QTest::newRow("co-branding in front") << false << modHelp::CoBrandPage();
    QTest::newRow("fully branded in front") << true << modHelp::FullBrandPage();
}

void TestMainMenu::shouldOpenOnlyThePageOfThePromotionInFront()
{
    QFETCH(bool, fullBrandInFront);
    QFETCH(QString, page);
    if (fullBrandInFront)
        control<ClickableLabel>(m_window, "lblFullBrand")->raise();
    BrowserRecorder browser;

    QWidget *strip = control<QGroupBox>(m_window, "fraFullBrand");
    QTest::mouseClick(strip->childAt(control<ClickableLabel>(m_window, "lblCobrand")->geometry().center()),
                      Qt::LeftButton);

    QCOMPARE(browser.addresses, QStringList{page});
}

void TestMainMenu::shouldShowTheAboutBoxModallyOverTheWindow()
{
    ExecCloseHelper helper;
    QPointer<QWidget> shown;
    bool modalOverWindow = false;
    helper.start([&](QWidget *modal) {
        shown = modal;
        QVERIFY(shown);
        modalOverWindow = qobject_cast<frmAbout *>(modal) && modal->isModal() && modal->parentWidget() == m_window
                          && QApplication::activeModalWidget() == modal;
        QTest::keyClick(modal, Qt::Key_Escape);
    });

    control<QAction>(m_window, "mnuAbout")->trigger();

    QVERIFY(modalOverWindow);
    QVERIFY(shown.isNull());  // a fresh box each time, gone once closed
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(m_window->isVisible());
}

void TestMainMenu::shouldHandOverToTheExitScreenHoweverClosed_data()
{
    QTest::addColumn<Command>("closing");
    QTest::newRow("close box") << Command([](frmMain *w) { w->close(); });
    QTest::newRow("Exit command") << Command([](frmMain *w) { control<QAction>(w, "mnuExit")->trigger(); });
    QTest::newRow("close box on the result screen") << Command([](frmMain *w) {
        QTest::keyClicks(control<QLineEdit>(w, "txtName"), QStringLiteral("abc"));
        QTest::mouseClick(control<QPushButton>(w, "cmdProceed"), Qt::LeftButton);
        w->close();
    });
}

void TestMainMenu::shouldHandOverToTheExitScreenHoweverClosed()
{
    QFETCH(Command, closing);
    MessageRecorder messages;
    // The hand-over is the program's, wired where the windows are made.
    delete m_window;
    m_window = WindowFlow::ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));

    closing(m_window);

    frmNagScreen2 *exitScreen = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<frmNagScreen2 *>(window); screen && screen->isVisible())
            exitScreen = screen;
    }
    QVERIFY(exitScreen);
    QCOMPARE(exitScreen->parentWidget(), nullptr);
    QTRY_VERIFY(m_window.isNull());  // the main window is gone for good
    QVERIFY(m_ends.isEmpty());       // closing it does not end the program
    QVERIFY(messages.boxes.isEmpty());

    exitScreen->close();
    QCOMPARE(m_ends, QList<int>{0});
}

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
