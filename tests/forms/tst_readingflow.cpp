// The reading as a person drives it: keys into the name box, the buttons and
// their access keys, the two screens, the symbolism box and the clipboard.
#include "appearance.h"
#include "clickablelabel.h"
#include "controls.h"
#include "frmmain.h"
#include "recorders.h"

#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestReadingFlow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void shouldTakeLettersSpaceAndBackspace();
    void shouldRefuseEveryOtherTypedCharacter_data();
    void shouldRefuseEveryOtherTypedCharacter();
    void shouldLetDeleteTabAndArrowsActAsKeys();
    void shouldIgnoreAltWithACharacter();
    void shouldFilterInputMethodText_data();
    void shouldFilterInputMethodText();

    void shouldShowTheReadingOfAName_data();
    void shouldShowTheReadingOfAName();
    void shouldShowTheSameReadingTwice();
    void shouldRefuseANameWithoutLetters_data();
    void shouldRefuseANameWithoutLetters();
    void shouldReturnToAnEmptyNameBox();
    void shouldRunTheButtonsFromTheKeyboardOnEitherScreen_data();
    void shouldRunTheButtonsFromTheKeyboardOnEitherScreen();
    void shouldRunTheReadingFromTheHiddenMenuCommand();
    void shouldTabThroughBothScreens();

    void shouldEmptyTheClipboardFromTheSymbolismBox_data();
    void shouldEmptyTheClipboardFromTheSymbolismBox();

private:
    QWidget *frontScreen() const;
    void typeName(const QString &name);
    void read(const QString &name);

    QPointer<frmMain> m_window;
    // No test may stop at a real message box; those that expect one look for it.
    MessageRecorder m_unexpectedMessages;
    BrowserRecorder m_browser;
};

void TestReadingFlow::initTestCase()
{
    Appearance::apply();
}

void TestReadingFlow::init()
{
    m_unexpectedMessages.boxes.clear();
    m_window = new frmMain;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestReadingFlow::cleanup()
{
    QCOMPARE(m_unexpectedMessages.texts(), QStringList());
    delete m_window;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

// The screen a person sees: whichever frame is on top in the middle of the window.
QWidget *TestReadingFlow::frontScreen() const
{
    QWidget *client = control<QFrame>(m_window, "fraMain")->parentWidget();
    QWidget *top = client->childAt(control<QFrame>(m_window, "fraMain")->geometry().center());
    while (top && top != control<QFrame>(m_window, "fraMain") && top != control<QGroupBox>(m_window, "fraResult"))
        top = top->parentWidget();
    return top;
}

void TestReadingFlow::typeName(const QString &name)
{
    control<QLineEdit>(m_window, "txtName")->setFocus();
    QTest::keyClicks(control<QLineEdit>(m_window, "txtName"), name);
}

void TestReadingFlow::read(const QString &name)
{
    control<QLineEdit>(m_window, "txtName")->clear();
    typeName(name);
    QTest::mouseClick(control<QPushButton>(m_window, "cmdProceed"), Qt::LeftButton);
}

void TestReadingFlow::shouldTakeLettersSpaceAndBackspace()
{
    MessageRecorder messages;
    typeName(QStringLiteral("Ann Lee"));
    QTest::keyClick(control<QLineEdit>(m_window, "txtName"), Qt::Key_Backspace);
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), QStringLiteral("Ann Le"));
    QVERIFY(messages.boxes.isEmpty());
}

// clang-format off
void TestReadingFlow::shouldRefuseEveryOtherTypedCharacter_data()
{
    // The characters are those the keyboard delivers with each key on this platform.
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("digit") << int(Qt::Key_1) << "1" << int(Qt::NoModifier);
    QTest::newRow("hyphen") << int(Qt::Key_Minus) << "-" << int(Qt::NoModifier);
    QTest::newRow("apostrophe") << int(Qt::Key_Apostrophe) << "'" << int(Qt::NoModifier);
    QTest::newRow("accented letter") << int(Qt::Key_Eacute) << QStringLiteral("\u00E9") << int(Qt::NoModifier);
    QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "\r" << int(Qt::KeypadModifier);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << "\x1b" << int(Qt::NoModifier);
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << "\x16" << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << "\x03" << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << "\x18" << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "\x01" << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << "\x1a" << int(Qt::ControlModifier);
    QTest::newRow("AltGr at sign") << int(Qt::Key_At) << "@" << int(Qt::ControlModifier | Qt::AltModifier);
}
// clang-format on

void TestReadingFlow::shouldRefuseEveryOtherTypedCharacter()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    typeName(QStringLiteral("ab"));
    control<QLineEdit>(m_window, "txtName")->setCursorPosition(1);
    MessageRecorder messages;

    QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(m_window, "txtName"), Qt::Key(key), text,
                        Qt::KeyboardModifiers(modifiers));

    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Name Can Accept Text Only")});
    QCOMPARE(messages.boxes.first().icon, QMessageBox::Critical);
    QCOMPARE(messages.boxes.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), QStringLiteral("ab"));
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->selectedText(), QString());
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(m_window, "txtName"));
    QCOMPARE(frontScreen(), control<QFrame>(m_window, "fraMain"));
}

void TestReadingFlow::shouldLetDeleteTabAndArrowsActAsKeys()
{
    MessageRecorder messages;
    typeName(QStringLiteral("abc"));
    QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(m_window, "txtName"), Qt::Key_Left, QString(), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(m_window, "txtName"), Qt::Key_Home, QString(), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(m_window, "txtName"), Qt::Key_Delete, QStringLiteral("\x7f"),
                        Qt::NoModifier);
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), QStringLiteral("bc"));
    QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(m_window, "txtName"), Qt::Key_Tab, QStringLiteral("\t"),
                        Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(m_window, "cmdProceed"));
    QVERIFY(messages.boxes.isEmpty());
}

void TestReadingFlow::shouldIgnoreAltWithACharacter()
{
    MessageRecorder messages;
    typeName(QStringLiteral("ab"));
    QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(m_window, "txtName"), Qt::Key_1, QStringLiteral("1"),
                        Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(m_window, "txtName"), Qt::Key_Q, QStringLiteral("q"),
                        Qt::AltModifier);
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), QStringLiteral("ab"));
    QVERIFY(messages.boxes.isEmpty());
}

// clang-format off
void TestReadingFlow::shouldFilterInputMethodText_data()
{
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("refusals");
    QTest::newRow("letters") << "Jo" << "abJo" << 0;
    QTest::newRow("composed accent") << QStringLiteral("\u00E9") << "ab" << 1;
    QTest::newRow("ideograph") << QStringLiteral("\u540D") << "ab" << 1;
    // Each character of a commit is taken or refused as if typed alone.
    QTest::newRow("letter and digit") << "a1" << "aba" << 1;
    QTest::newRow("digits between letters") << "x1y2" << "abxy" << 2;
    QTest::newRow("beyond the basic plane") << QStringLiteral("\U0001F600z") << "abz" << 1;
}
// clang-format on

void TestReadingFlow::shouldFilterInputMethodText()
{
    QFETCH(QString, commit);
    QFETCH(QString, expected);
    QFETCH(int, refusals);
    typeName(QStringLiteral("ab"));
    MessageRecorder messages;

    QInputMethodEvent preedit(commit, {});
    QCoreApplication::sendEvent(control<QLineEdit>(m_window, "txtName"), &preedit);
    QInputMethodEvent done;
    done.setCommitString(commit);
    QCoreApplication::sendEvent(control<QLineEdit>(m_window, "txtName"), &done);

    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), expected);
    QCOMPARE(messages.texts(), QStringList(refusals, QStringLiteral("Name Can Accept Text Only")));
}

// clang-format off
void TestReadingFlow::shouldShowTheReadingOfAName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("firstVerseLine");
    QTest::newRow("abc with spaces around") << "  abc  " << "6" << "Mankind" << "John 2.6";
    QTest::newRow("AII") << "AII" << "10" << "Divine Perfection" << "Rev. 2:10";
    QTest::newRow("a single letter") << "a" << "1" << "Unity" << "John 1.1";
    QTest::newRow("IIIIC") << "IIIIC" << "12" << "Governmental Perfection" << "Rev. 21:12";
}
// clang-format on

void TestReadingFlow::shouldShowTheReadingOfAName()
{
    QFETCH(QString, name);
    QFETCH(QString, number);
    QFETCH(QString, keyword);
    QFETCH(QString, firstVerseLine);
    MessageRecorder messages;

    read(name);

    QVERIFY(messages.boxes.isEmpty());
    QCOMPARE(frontScreen(), control<QGroupBox>(m_window, "fraResult"));
    QCOMPARE(control<QLabel>(m_window, "lblResult_0")->text(), number);
    QCOMPARE(control<QLabel>(m_window, "lblResult_1")->text(), keyword);
    QVERIFY(!control<QLabel>(m_window, "lblResult_2")->text().isEmpty());
    QCOMPARE(control<QPlainTextEdit>(m_window, "txtSymbolism")->toPlainText().section(u'\n', 0, 0), firstVerseLine);
    // The name box keeps the name as typed and the focus stays on the button.
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), name);
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(m_window, "cmdProceed"));
    // A two-digit number grows to the right of its fixed left edge.
    QCOMPARE(control<QLabel>(m_window, "lblResult_0")->x(), 545);
}

void TestReadingFlow::shouldShowTheSameReadingTwice()
{
    read(QStringLiteral("hello"));
    const QStringList first{control<QLabel>(m_window, "lblResult_0")->text(),
                            control<QLabel>(m_window, "lblResult_1")->text(),
                            control<QLabel>(m_window, "lblResult_2")->text(),
                            control<QPlainTextEdit>(m_window, "txtSymbolism")->toPlainText()};
    // Space on the focused button reads the same name again.
    QTest::keyClick(control<QPushButton>(m_window, "cmdProceed"), Qt::Key_Space);
    const QStringList second{control<QLabel>(m_window, "lblResult_0")->text(),
                             control<QLabel>(m_window, "lblResult_1")->text(),
                             control<QLabel>(m_window, "lblResult_2")->text(),
                             control<QPlainTextEdit>(m_window, "txtSymbolism")->toPlainText()};
    QCOMPARE(second, first);
    QCOMPARE(first.first(), QStringLiteral("7"));
}

// clang-format off
void TestReadingFlow::shouldRefuseANameWithoutLetters_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::newRow("empty") << "";
    QTest::newRow("spaces only") << "     ";
    QTest::newRow("digits") << "1234";
    QTest::newRow("signs and spaces") << " -!?. ";
    QTest::newRow("accented letters") << QStringLiteral("\u00C9\u00E8");
    QTest::newRow("a tab") << "\t";
}
// clang-format on

void TestReadingFlow::shouldRefuseANameWithoutLetters()
{
    QFETCH(QString, pasted);
    read(QStringLiteral("abc"));
    control<QPushButton>(m_window, "cmdBack")->click();

    // Text that no key would type reaches the box through the clipboard.
    QGuiApplication::clipboard()->setText(pasted);
    control<QLineEdit>(m_window, "txtName")->paste();
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), pasted);
    MessageRecorder messages;
    QTest::mouseClick(control<QPushButton>(m_window, "cmdProceed"), Qt::LeftButton);

    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Please Enter Name")});
    QCOMPARE(messages.boxes.first().icon, QMessageBox::Critical);
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(m_window, "txtName"));
    QCOMPARE(frontScreen(), control<QFrame>(m_window, "fraMain"));
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), pasted);
    QCOMPARE(control<QLabel>(m_window, "lblResult_0")->text(), QStringLiteral("6"));
    QCOMPARE(control<QLabel>(m_window, "lblResult_1")->text(), QStringLiteral("Mankind"));
}

void TestReadingFlow::shouldReturnToAnEmptyNameBox()
{
    read(QStringLiteral("abc"));
    const QString description = control<QLabel>(m_window, "lblResult_2")->text();
    QTest::mouseClick(control<QPushButton>(m_window, "cmdBack"), Qt::LeftButton);

    QCOMPARE(frontScreen(), control<QFrame>(m_window, "fraMain"));
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), QString());
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(m_window, "txtName"));
    QCOMPARE(control<QLabel>(m_window, "lblResult_0")->text(), QStringLiteral("6"));
    QCOMPARE(control<QLabel>(m_window, "lblResult_2")->text(), description);
}

// clang-format off
void TestReadingFlow::shouldRunTheButtonsFromTheKeyboardOnEitherScreen_data()
{
    QTest::addColumn<bool>("fromResultScreen");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("nameAfter");
    QTest::addColumn<bool>("resultAfter");
    const int alt = Qt::AltModifier;
    QTest::newRow("Alt+G on the input screen") << false << "" << int(Qt::Key_G) << alt << "abc" << true;
    QTest::newRow("Alt+G on the result screen") << true << "" << int(Qt::Key_G) << alt << "abc" << true;
    QTest::newRow("Alt+D on the input screen") << false << "" << int(Qt::Key_D) << alt << "" << false;
    QTest::newRow("Alt+D on the result screen") << true << "" << int(Qt::Key_D) << alt << "" << false;
    // A focused command button answers Enter and keypad Enter as it answers Space.
    QTest::newRow("Enter on the reading button") << false << "cmdProceed" << int(Qt::Key_Return)
                                                 << int(Qt::NoModifier) << "abc" << true;
    QTest::newRow("keypad Enter on the reading button") << false << "cmdProceed" << int(Qt::Key_Enter)
                                                        << int(Qt::KeypadModifier) << "abc" << true;
    QTest::newRow("Enter on the back button") << true << "cmdBack" << int(Qt::Key_Return)
                                              << int(Qt::NoModifier) << "" << false;
    QTest::newRow("keypad Enter on the back button") << true << "cmdBack" << int(Qt::Key_Enter)
                                                     << int(Qt::KeypadModifier) << "" << false;
}
// clang-format on

void TestReadingFlow::shouldRunTheButtonsFromTheKeyboardOnEitherScreen()
{
    QFETCH(bool, fromResultScreen);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, nameAfter);
    QFETCH(bool, resultAfter);
    typeName(QStringLiteral("abc"));
    if (fromResultScreen) {
        QTest::keyClick(control<QLineEdit>(m_window, "txtName"), Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(frontScreen(), control<QGroupBox>(m_window, "fraResult"));
    }
    if (!focus.isEmpty())
        m_window->findChild<QWidget *>(focus)->setFocus(Qt::TabFocusReason);
    MessageRecorder messages;

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QWidget *expected = resultAfter ? static_cast<QWidget *>(control<QGroupBox>(m_window, "fraResult"))
                                    : control<QFrame>(m_window, "fraMain");
    QTRY_COMPARE(frontScreen(), expected);
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), nameAfter);
    if (!resultAfter)
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(m_window, "txtName"));
    QCOMPARE(control<QLabel>(m_window, "lblResult_0")->text(),
             QString::fromLatin1(fromResultScreen || resultAfter ? "6" : "40"));
    QVERIFY(messages.boxes.isEmpty());
}

void TestReadingFlow::shouldRunTheReadingFromTheHiddenMenuCommand()
{
    typeName(QStringLiteral("hello world"));
    control<QAction>(m_window, "mnuCalculate")->trigger();
    QCOMPARE(frontScreen(), control<QGroupBox>(m_window, "fraResult"));
    QCOMPARE(control<QLabel>(m_window, "lblResult_0")->text(), QStringLiteral("7"));
}

void TestReadingFlow::shouldTabThroughBothScreens()
{
    // Both frames stay live, so the chain runs through the screen behind too;
    // the links follow, only the promotion label in front among them.
    const QList<QWidget *> chain{
        control<QLineEdit>(m_window, "txtName"),      control<QPushButton>(m_window, "cmdProceed"),
        control<QPushButton>(m_window, "cmdBack"),    control<QPlainTextEdit>(m_window, "txtSymbolism"),
        control<ClickableLabel>(m_window, "Label14"), control<ClickableLabel>(m_window, "lblCobrand"),
        control<QLineEdit>(m_window, "txtName")};
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(m_window, "txtName"));
    for (qsizetype i = 1; i < chain.size(); ++i) {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_Tab, QStringLiteral("\t"),
                            Qt::NoModifier);
        QCOMPARE(QApplication::focusWidget(), chain.at(i));
    }
    for (qsizetype i = chain.size() - 2; i >= 0; --i) {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_Backtab, QStringLiteral("\t"),
                            Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), chain.at(i));
    }
}

// clang-format off
void TestReadingFlow::shouldEmptyTheClipboardFromTheSymbolismBox_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("pointer moves over it") << "move";
    QTest::newRow("button goes down") << "press";
    QTest::newRow("button comes up") << "release";
    QTest::newRow("click") << "click";
    QTest::newRow("a reading sets its text") << "read";
}
// clang-format on

void TestReadingFlow::shouldEmptyTheClipboardFromTheSymbolismBox()
{
    QFETCH(QString, action);
    read(QStringLiteral("abc"));
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("copied elsewhere"));
    QWidget *viewport = control<QPlainTextEdit>(m_window, "txtSymbolism")->viewport();
    const QPoint inside = viewport->rect().center();

    if (action == u"move")
        QTest::mouseMove(viewport, inside);
    else if (action == u"press")
        QTest::mousePress(viewport, Qt::LeftButton, {}, inside);
    else if (action == u"release")
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, inside);
    else if (action == u"click")
        QTest::mouseClick(viewport, Qt::LeftButton, {}, inside);
    else
        read(QStringLiteral("hello"));

    QCOMPARE(clipboard->text(), QString());
}

QTEST_MAIN(TestReadingFlow)
#include "tst_readingflow.moc"
