// The five boxes of the refer-a-friend box: each shows its caption until the
// user enters it and gets it back when left empty; the e-mail boxes refuse spaces.
#include "appearance.h"
#include "clickablelabel.h"
#include "controls.h"
#include "frmnagscreen2.h"
#include "recorders.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestPlaceholders : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void shouldClearThePlaceholderOnEntry_data();
    void shouldClearThePlaceholderOnEntry();
    void shouldRestoreThePlaceholderOnLeaving_data();
    void shouldRestoreThePlaceholderOnLeaving();
    void shouldKeepTheInitialMessageUntilEmptied();
    void shouldLeaveOneBoxBeforeEnteringTheNext();
    void shouldIgnoreFocusTakenByAnotherWindow();

    void shouldRefuseTypedSpacesInEmailBoxesOnly_data();
    void shouldRefuseTypedSpacesInEmailBoxesOnly();
    void shouldRefuseSpacesFromInputMethods_data();
    void shouldRefuseSpacesFromInputMethods();
    void shouldLeavePastedTextAlone();

private:
    QWidget *box(const QString &name) const;
    static QString textOf(const QWidget *box);
    static void setTextOf(QWidget *box, const QString &text);

    QPointer<frmNagScreen2> m_screen;
};

void TestPlaceholders::initTestCase()
{
    Appearance::apply();
}

void TestPlaceholders::init()
{
    m_screen = new frmNagScreen2([] { return 0.0f; });
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(m_screen, "cmdClose"));
}

void TestPlaceholders::cleanup()
{
    delete m_screen;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

QWidget *TestPlaceholders::box(const QString &name) const
{
    return m_screen->findChild<QWidget *>(name);
}

// The multi-line box is compared in the editor's own form, line breaks as "\n".
QString TestPlaceholders::textOf(const QWidget *box)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    return qobject_cast<const QPlainTextEdit *>(box)->toPlainText();
}

void TestPlaceholders::setTextOf(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else
        qobject_cast<QPlainTextEdit *>(box)->setPlainText(text);
}

// clang-format off
void TestPlaceholders::shouldClearThePlaceholderOnEntry_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("name placeholder") << "txtName" << "Your Name" << "";
    QTest::newRow("email placeholder") << "txtEmail" << "Your Email Address" << "";
    QTest::newRow("friend name placeholder") << "txtFriendName" << "Friend's Name" << "";
    QTest::newRow("friend email placeholder") << "txtFriendEmail" << "Friend's Email Address" << "";
    QTest::newRow("message placeholder without line break") << "txtMessage" << "Your Message" << "";
    QTest::newRow("placeholder inside spaces") << "txtName" << "   Your Name  " << "";
    QTest::newRow("placeholder typed as a value") << "txtFriendName" << "Friend's Name" << "";
    QTest::newRow("placeholder in lower case") << "txtName" << "your name" << "your name";
    QTest::newRow("placeholder after a tab") << "txtName" << "\tYour Name" << "\tYour Name";
    QTest::newRow("another box's placeholder") << "txtEmail" << "Friend's Email Address"
                                               << "Friend's Email Address";
    QTest::newRow("message placeholder with line break") << "txtMessage" << "Your Message\n"
                                                         << "Your Message\n";
    QTest::newRow("value with spaces kept") << "txtName" << " Ann " << " Ann ";
}
// clang-format on

void TestPlaceholders::shouldClearThePlaceholderOnEntry()
{
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QWidget *entered = this->box(box);
    setTextOf(entered, before);

    entered->setFocus(Qt::TabFocusReason);

    QCOMPARE(QApplication::focusWidget(), entered);
    QCOMPARE(textOf(entered), after);
}

// clang-format off
void TestPlaceholders::shouldRestoreThePlaceholderOnLeaving_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    QTest::newRow("name emptied") << "txtName" << "" << "Your Name";
    QTest::newRow("email emptied") << "txtEmail" << "" << "Your Email Address";
    QTest::newRow("friend name emptied") << "txtFriendName" << "" << "Friend's Name";
    QTest::newRow("friend email emptied") << "txtFriendEmail" << "" << "Friend's Email Address";
    QTest::newRow("message emptied") << "txtMessage" << "" << "Your Message";
    QTest::newRow("only spaces") << "txtName" << "    " << "Your Name";
    QTest::newRow("message of only spaces") << "txtMessage" << "  " << "Your Message";
    QTest::newRow("name with spaces around") << "txtFriendName" << "  Bo  " << "  Bo  ";
    QTest::newRow("only a tab") << "txtName" << "\t" << "\t";
    QTest::newRow("message of line breaks") << "txtMessage" << "\n\n" << "\n\n";
    QTest::newRow("address") << "txtEmail" << "me@example.org" << "me@example.org";
}
// clang-format on

void TestPlaceholders::shouldRestoreThePlaceholderOnLeaving()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QWidget *left = this->box(box);
    left->setFocus(Qt::TabFocusReason);
    setTextOf(left, typed);

    control<QPushButton>(m_screen, "cmdClose")->setFocus(Qt::TabFocusReason);

    QCOMPARE(textOf(left), after);
}

void TestPlaceholders::shouldKeepTheInitialMessageUntilEmptied()
{
    QPlainTextEdit *message = control<QPlainTextEdit>(m_screen, "txtMessage");
    QCOMPARE(message->toPlainText(), QStringLiteral("Your Message\n"));

    // Tabbing in and out, as the user does who never sees the box.
    message->setFocus(Qt::TabFocusReason);
    QCOMPARE(message->toPlainText(), QStringLiteral("Your Message\n"));
    QTest::keyClick(message, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<ClickableLabel>(m_screen, "lblGoToHome"));
    QCOMPARE(message->toPlainText(), QStringLiteral("Your Message\n"));

    // Emptied and left, it holds the bare placeholder, which the next entry clears.
    message->setFocus(Qt::TabFocusReason);
    message->selectAll();
    QTest::keyClick(message, Qt::Key_Delete);
    control<QPushButton>(m_screen, "cmdClose")->setFocus(Qt::TabFocusReason);
    QCOMPARE(message->toPlainText(), QStringLiteral("Your Message"));
    message->setFocus(Qt::TabFocusReason);
    QCOMPARE(message->toPlainText(), QString());
}

void TestPlaceholders::shouldLeaveOneBoxBeforeEnteringTheNext()
{
    BrowserRecorder browser;
    control<QLineEdit>(m_screen, "txtName")->setFocus(Qt::TabFocusReason);
    QCOMPARE(control<QLineEdit>(m_screen, "txtName")->text(), QString());

    QTest::mouseClick(control<QLineEdit>(m_screen, "txtEmail"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(m_screen, "txtEmail"));
    QCOMPARE(control<QLineEdit>(m_screen, "txtName")->text(), QStringLiteral("Your Name"));
    QCOMPARE(control<QLineEdit>(m_screen, "txtEmail")->text(), QString());

    // A click on the button takes the focus too, so the emptied box is restored first.
    QTest::mouseClick(control<QPushButton>(m_screen, "Check1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(m_screen, "txtEmail")->text(), QStringLiteral("Your Email Address"));
}

void TestPlaceholders::shouldIgnoreFocusTakenByAnotherWindow()
{
    control<QLineEdit>(m_screen, "txtName")->setFocus(Qt::MouseFocusReason);
    QCOMPARE(control<QLineEdit>(m_screen, "txtName")->text(), QString());

    QWidget other;
    other.setObjectName(QStringLiteral("other"));
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(control<QLineEdit>(m_screen, "txtName")->text(), QString());

    control<QLineEdit>(m_screen, "txtName")->setText(QStringLiteral("Your Name"));
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(m_screen, "txtName"));
    QCOMPARE(control<QLineEdit>(m_screen, "txtName")->text(), QStringLiteral("Your Name"));
    other.close();
}

// clang-format off
void TestPlaceholders::shouldRefuseTypedSpacesInEmailBoxesOnly_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("refusals");

    QTest::newRow("email") << "txtEmail" << "a b@c.d" << "ab@c.d" << 1;
    QTest::newRow("friend email") << "txtFriendEmail" << " a  b " << "ab" << 4;
    QTest::newRow("email without spaces") << "txtEmail" << "x@y.z" << "x@y.z" << 0;
    QTest::newRow("name") << "txtName" << "Ann Lee " << "Ann Lee " << 0;
    QTest::newRow("friend name") << "txtFriendName" << " Bo" << " Bo" << 0;
    QTest::newRow("message") << "txtMessage" << "hi there" << "hi there" << 0;
}
// clang-format on

void TestPlaceholders::shouldRefuseTypedSpacesInEmailBoxesOnly()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(int, refusals);
    MessageRecorder messages;
    QWidget *typedInto = this->box(box);
    typedInto->setFocus(Qt::MouseFocusReason);
    setTextOf(typedInto, QString());

    QTest::keyClicks(typedInto, typed);

    QCOMPARE(textOf(typedInto), after);
    QCOMPARE(messages.texts(), QStringList(refusals, QStringLiteral("Email Address Cannot Contain Space")));
    for (const MsgBox::Request &request : std::as_const(messages.boxes)) {
        QCOMPARE(request.icon, QMessageBox::Critical);
        QCOMPARE(request.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QCOMPARE(QApplication::focusWidget(), typedInto);
}

// clang-format off
void TestPlaceholders::shouldRefuseSpacesFromInputMethods_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("refusals");

    QTest::newRow("email") << "txtEmail" << QStringLiteral("é @ü.de") << QStringLiteral("é@ü.de") << 1;
    QTest::newRow("friend email") << "txtFriendEmail" << " " << "" << 1;
    QTest::newRow("each space refused alone") << "txtFriendEmail" << "b o@x. y" << "bo@x.y" << 2;
    QTest::newRow("email accented") << "txtEmail" << QStringLiteral("ñ") << QStringLiteral("ñ") << 0;
    QTest::newRow("name") << "txtName" << QStringLiteral("Zoë Ng") << QStringLiteral("Zoë Ng") << 0;
}
// clang-format on

void TestPlaceholders::shouldRefuseSpacesFromInputMethods()
{
    QFETCH(QString, box);
    QFETCH(QString, commit);
    QFETCH(QString, after);
    QFETCH(int, refusals);
    MessageRecorder messages;
    QWidget *typedInto = this->box(box);
    typedInto->setFocus(Qt::MouseFocusReason);
    setTextOf(typedInto, QString());

    QInputMethodEvent input;
    input.setCommitString(commit);
    QApplication::sendEvent(typedInto, &input);

    QCOMPARE(textOf(typedInto), after);
    QCOMPARE(messages.texts(), QStringList(refusals, QStringLiteral("Email Address Cannot Contain Space")));
    QCOMPARE(QApplication::focusWidget(), typedInto);
}

void TestPlaceholders::shouldLeavePastedTextAlone()
{
    MessageRecorder messages;
    QGuiApplication::clipboard()->setText(QStringLiteral(" a b@c.d "));
    control<QLineEdit>(m_screen, "txtEmail")->setFocus(Qt::MouseFocusReason);

    QTest::keyClick(control<QLineEdit>(m_screen, "txtEmail"), Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(control<QLineEdit>(m_screen, "txtEmail")->text(), QStringLiteral(" a b@c.d "));
    QVERIFY(messages.boxes.isEmpty());
}

QTEST_MAIN(TestPlaceholders)
#include "tst_placeholders.moc"
