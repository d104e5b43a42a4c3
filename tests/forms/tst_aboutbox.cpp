// The about box: run modally it closes by OK, Enter and Esc wherever the
// focus is; its links open their pages and leave it open; its texts fit.
#include "appearance.h"
#include "clickablelabel.h"
#include "controls.h"
#include "execclosehelper.h"
#include "frmabout.h"
#include "modhelp.h"
#include "recorders.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

class TestAboutBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void shouldCloseByOkEnterAndEscWhereverTheFocusIs_data();
    void shouldCloseByOkEnterAndEscWhereverTheFocusIs();
    void shouldStayOverItsOwnerWithoutATaskbarButton();
    void shouldOpenEachLinkAndStayOpen_data();
    void shouldOpenEachLinkAndStayOpen();
    void shouldShowEveryWrappedTextInFull();
};

void TestAboutBox::initTestCase()
{
    Appearance::apply();
}

void TestAboutBox::cleanup()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

void TestAboutBox::shouldCloseByOkEnterAndEscWhereverTheFocusIs_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("focusOnOk");

    QTest::newRow("Enter on OK") << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter on OK") << int(Qt::Key_Enter) << true;
    QTest::newRow("Esc on OK") << int(Qt::Key_Escape) << true;
    QTest::newRow("Space on OK") << int(Qt::Key_Space) << true;
    QTest::newRow("Enter without focus") << int(Qt::Key_Return) << false;
    QTest::newRow("Esc without focus") << int(Qt::Key_Escape) << false;
}

void TestAboutBox::shouldCloseByOkEnterAndEscWhereverTheFocusIs()
{
    QFETCH(int, key);
    QFETCH(bool, focusOnOk);

    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    QPointer<frmAbout> about = new frmAbout(&owner);
    bool startedOnOk = false;
    ExecCloseHelper helper;
    helper.start([&](QWidget *modal) {
        auto *box = qobject_cast<frmAbout *>(modal);
        if (!box)
            return;
        // Esc reaches OK as a shortcut, which only an active window takes; on a
        // slow window system the box can be shown before it is active.
        QVERIFY(QTest::qWaitForWindowActive(box));
        startedOnOk = box->focusWidget() == control<QPushButton>(box, "cmdOK");
        QWidget *target = control<QPushButton>(box, "cmdOK");
        if (!focusOnOk) {
            control<QPushButton>(box, "cmdOK")->clearFocus();
            target = box;
        }
        if (key == Qt::Key_Space) {
            QTest::keyPress(target, Qt::Key_Space);
            QTest::keyRelease(target, Qt::Key_Space);
        } else {
            QTest::keyClick(target, Qt::Key(key));
        }
    });

    // Each key presses OK, so every one of them ends the box as OK does.
    QCOMPARE(about->exec(), int(QDialog::Accepted));
    QCOMPARE(helper.seen(), about.data());
    QVERIFY(startedOnOk);
    QVERIFY(!about->isVisible());
    delete about;
}

void TestAboutBox::shouldStayOverItsOwnerWithoutATaskbarButton()
{
    QWidget owner;
    frmAbout about(&owner);

    // A dialog with an owner is transient for it and gets no taskbar button.
    QCOMPARE(about.windowType(), Qt::Dialog);
    QCOMPARE(about.parentWidget(), &owner);
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QCOMPARE(about.minimumSize(), QSize(439, 226));
    QCOMPARE(about.maximumSize(), QSize(439, 226));
}

void TestAboutBox::shouldOpenEachLinkAndStayOpen_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("address");

    QTest::newRow("home page") << "lblHomePage" << modHelp::HomePage();
    // The offer beside this link is the fully-branded one, not the co-branding page.
    QTest::newRow("more details") << "lblCobrand" << modHelp::FullBrandPage();
}

void TestAboutBox::shouldOpenEachLinkAndStayOpen()
{
    QFETCH(QString, label);
    QFETCH(QString, address);
    BrowserRecorder browser;
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    auto *link = about.findChild<ClickableLabel *>(label);
    QVERIFY(link);
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(link, Qt::LeftButton);

    QCOMPARE(browser.addresses, QStringList({address, address}));
    QVERIFY(about.isVisible());
    about.close();
}

void TestAboutBox::shouldShowEveryWrappedTextInFull()
{
    frmAbout about;
    const QList<QLabel *> labels = about.findChildren<QLabel *>();
    int wrapped = 0;
    for (const QLabel *label : labels) {
        if (label->wordWrap()) {
            ++wrapped;
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->objectName()));
        }
    }
    QCOMPARE(wrapped, 2);
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
