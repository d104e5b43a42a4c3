// Refer a friend from the exit screen: the checks in their order with their
// messages, and the request whose query gives back exactly what was typed.
#include "appearance.h"
#include "controls.h"
#include "frmnagscreen2.h"
#include "hosts.h"
#include "modtellafriend.h"
#include "recorders.h"
#include "trimspaces.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using QueryItems = QList<QPair<QString, QString>>;

class TestReferAFriend : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void shouldTrimSpacesOnly_data();
    void shouldTrimSpacesOnly();

    void shouldCheckInOrderWithEachMessage_data();
    void shouldCheckInOrderWithEachMessage();
    void shouldStoreTheTrimmedValuesBeforeAnyCheck();

    void shouldSendEachValueBackExactly_data();
    void shouldSendEachValueBackExactly();
    void shouldSendTheUntouchedMessageWithItsLineBreak();
    void shouldOpenTheRequestOnEveryPress();

private:
    void fill(const QString &name, const QString &email, const QString &message, const QString &friendName,
              const QString &friendEmail);
    void press();

    QPointer<frmNagScreen2> m_screen;
};

void TestReferAFriend::initTestCase()
{
    Appearance::apply();
}

void TestReferAFriend::init()
{
    m_screen = new frmNagScreen2([] { return 0.0f; });
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
}

void TestReferAFriend::cleanup()
{
    delete m_screen;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

// The message is given as the editor holds it, line breaks as "\n".
void TestReferAFriend::fill(const QString &name, const QString &email, const QString &message,
                            const QString &friendName, const QString &friendEmail)
{
    control<QLineEdit>(m_screen, "txtName")->setText(name);
    control<QLineEdit>(m_screen, "txtEmail")->setText(email);
    control<QPlainTextEdit>(m_screen, "txtMessage")->setPlainText(message);
    control<QLineEdit>(m_screen, "txtFriendName")->setText(friendName);
    control<QLineEdit>(m_screen, "txtFriendEmail")->setText(friendEmail);
}

void TestReferAFriend::press()
{
    QTest::mouseClick(control<QPushButton>(m_screen, "cmdSubmit"), Qt::LeftButton);
}

// clang-format off
void TestReferAFriend::shouldTrimSpacesOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");

    QTest::newRow("empty") << "" << "";
    QTest::newRow("only spaces") << "    " << "";
    QTest::newRow("spaces around") << "  a b  " << "a b";
    QTest::newRow("tabs stay") << "\ta\t" << "\ta\t";
    QTest::newRow("line breaks stay") << " x\r\n " << "x\r\n";
    QTest::newRow("no-break space stays") << QStringLiteral("\u00A0a ") << QStringLiteral("\u00A0a");
}
// clang-format on

void TestReferAFriend::shouldTrimSpacesOnly()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(TrimSpaces(text), trimmed);
}

// clang-format off
void TestReferAFriend::shouldCheckInOrderWithEachMessage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("friendName");
    QTest::addColumn<QString>("friendEmail");
    QTest::addColumn<QString>("refusal");  // empty when the request goes out

    const QString distinct = QStringLiteral("Please Enter Distinct Email Addresses");
    const QString proper = QStringLiteral("Please Enter Proper Email Address");
    const QString yourName = QStringLiteral("Please Enter Your Name");
    const QString yourMessage = QStringLiteral("Please Enter Your Message");
    const QString friendsName = QStringLiteral("Please Enter Your Friend's Name");

    QTest::newRow("all untouched") << "Your Name" << "Your Email Address" << "Your Message\n"
                                   << "Friend's Name" << "Friend's Email Address" << proper;
    QTest::newRow("same address") << "Ann" << "a@b.org" << "Hi" << "Bo" << "a@b.org" << distinct;
    QTest::newRow("same address with spaces") << "Ann" << "  a@b.org " << "Hi" << "Bo" << "a@b.org"
                                              << distinct;
    QTest::newRow("both addresses empty") << "" << "" << "" << "" << "" << distinct;
    QTest::newRow("same address in other case") << "Ann" << "A@b.org" << "Hi" << "Bo" << "a@b.org" << "";
    QTest::newRow("sender without at-sign") << "Ann" << "a.b.org" << "Hi" << "Bo" << "c@d.org" << proper;
    QTest::newRow("friend without at-sign") << "Ann" << "a@b.org" << "Hi" << "Bo" << "c.d.org" << proper;
    QTest::newRow("sender without dot") << "Ann" << "a@borg" << "Hi" << "Bo" << "c@d.org" << proper;
    QTest::newRow("friend without dot") << "Ann" << "a@b.org" << "Hi" << "Bo" << "c@dorg" << proper;
    QTest::newRow("friend placeholder address") << "Ann" << "a@b.org" << "Hi" << "Bo"
                                                << "Friend's Email Address" << proper;
    QTest::newRow("dot only before at-sign") << "Ann" << "a.b@org" << "Hi" << "Bo" << "c@d.org" << "";
    QTest::newRow("bad address before missing name") << "" << "a@b" << "" << "" << "c@d.org" << proper;
    QTest::newRow("name placeholder") << "Your Name" << "a@b.org" << "Hi" << "Bo" << "c@d.org" << yourName;
    QTest::newRow("name placeholder in spaces") << " Your Name  " << "a@b.org" << "Hi" << "Bo" << "c@d.org"
                                                << yourName;
    QTest::newRow("name of spaces") << "   " << "a@b.org" << "Hi" << "Bo" << "c@d.org" << yourName;
    QTest::newRow("name placeholder in lower case") << "your name" << "a@b.org" << "Hi" << "Bo"
                                                    << "c@d.org" << "";
    QTest::newRow("nothing but the addresses") << "Your Name" << "a@b.org" << "Your Message"
                                               << "Friend's Name" << "c@d.org" << yourName;
    QTest::newRow("message placeholder") << "Ann" << "a@b.org" << "Your Message" << "Bo" << "c@d.org"
                                         << yourMessage;
    QTest::newRow("message of spaces") << "Ann" << "a@b.org" << "   " << "Bo" << "c@d.org" << yourMessage;
    QTest::newRow("message and friend missing") << "Ann" << "a@b.org" << "" << "" << "c@d.org"
                                                << yourMessage;
    QTest::newRow("message of line breaks") << "Ann" << "a@b.org" << "\n\n" << "Bo" << "c@d.org" << "";
    QTest::newRow("message placeholder with line break") << "Ann" << "a@b.org" << "Your Message\n" << "Bo"
                                                         << "c@d.org" << "";
    QTest::newRow("friend placeholder") << "Ann" << "a@b.org" << "Hi" << "Friend's Name" << "c@d.org"
                                        << friendsName;
    QTest::newRow("friend empty") << "Ann" << "a@b.org" << "Hi" << "" << "c@d.org" << friendsName;
}
// clang-format on

void TestReferAFriend::shouldCheckInOrderWithEachMessage()
{
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, message);
    QFETCH(QString, friendName);
    QFETCH(QString, friendEmail);
    QFETCH(QString, refusal);
    MessageRecorder messages;
    BrowserRecorder browser;
    fill(name, email, message, friendName, friendEmail);

    press();

    if (refusal.isEmpty()) {
        QVERIFY2(messages.boxes.isEmpty(), qPrintable(messages.texts().join('|')));
        QCOMPARE(browser.addresses.size(), 1);
    } else {
        QCOMPARE(messages.texts(), QStringList({refusal}));
        QCOMPARE(messages.boxes.first().icon, QMessageBox::Critical);
        QCOMPARE(messages.boxes.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(browser.addresses.isEmpty());
    }
    // Either way the boxes keep what was typed and the screen stays.
    QCOMPARE(control<QLineEdit>(m_screen, "txtName")->text(), name);
    QCOMPARE(control<QLineEdit>(m_screen, "txtFriendEmail")->text(), friendEmail);
    QCOMPARE(control<QPlainTextEdit>(m_screen, "txtMessage")->toPlainText(), message);
    QVERIFY(m_screen->isVisible());
}

void TestReferAFriend::shouldStoreTheTrimmedValuesBeforeAnyCheck()
{
    MessageRecorder messages;
    fill(" Ann ", " a@b.org", " Hi\n ", "  Bo", "a@b.org  ");

    press();

    QCOMPARE(messages.texts(), QStringList({"Please Enter Distinct Email Addresses"}));
    // The press compared the addresses trimmed; each value is trimmed the same way.
    const modTellAFriend::Referral stored = modTellAFriend::StoreValues(
        QStringLiteral(" Ann "), QStringLiteral(" a@b.org"), QStringLiteral(" Hi\r\n "), QStringLiteral("  Bo"),
        QStringLiteral("a@b.org  "));
    QCOMPARE(stored.name, QStringLiteral("Ann"));
    QCOMPARE(stored.email, QStringLiteral("a@b.org"));
    QCOMPARE(stored.message, QStringLiteral("Hi\r\n"));
    QCOMPARE(stored.friendName, QStringLiteral("Bo"));
    QCOMPARE(stored.friendEmail, QStringLiteral("a@b.org"));
}

// clang-format off
void TestReferAFriend::shouldSendEachValueBackExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("friendName");
    QTest::addColumn<QString>("friendEmail");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("ampersands and equals signs")
        << "Tom & Jerry=Pals" << "a&b=c@x.org" << "x&taf6=forged" << "Bo&Co" << "d=e@y.net"
        << QStringList{"Tom & Jerry=Pals", "a&b=c@x.org", "x&taf6=forged", "Bo&Co", "d=e@y.net"};
    QTest::newRow("hash and question mark")
        << "Ann #1" << "a#b@x.org" << "Read #7? Then the rest" << "Bo?" << "c?d@y.net"
        << QStringList{"Ann #1", "a#b@x.org", "Read #7? Then the rest", "Bo?", "c?d@y.net"};
    QTest::newRow("plus and percent")
        << "1+1 = 100%" << "a+tag@x.org" << "50% off + %41%20 stays" << "%" << "c%d@y.net"
        << QStringList{"1+1 = 100%", "a+tag@x.org", "50% off + %41%20 stays", "%", "c%d@y.net"};
    QTest::newRow("spaces around and inside")
        << "  Ann  Lee " << " a@x.org " << "  two  spaces  " << " Bo " << "c@y.net   "
        << QStringList{"Ann  Lee", "a@x.org", "two  spaces", "Bo", "c@y.net"};
    QTest::newRow("line breaks and tabs")
        << "\tAnn" << "a@x.org" << "line one\nline two\n" << "Bo\t" << "c@y.net"
        << QStringList{"\tAnn", "a@x.org", "line one\r\nline two\r\n", "Bo\t", "c@y.net"};
    QTest::newRow("non-Latin letters")
        << QStringLiteral("Ζωή Παπαδοπούλου") << QStringLiteral("zoë@exämple.org")
        << QStringLiteral("Привет, друг! ✝ 祝福") << QStringLiteral("李小龍")
        << QStringLiteral("用户@例子.中国")
        << QStringList{QStringLiteral("Ζωή Παπαδοπούλου"), QStringLiteral("zoë@exämple.org"),
                       QStringLiteral("Привет, друг! ✝ 祝福"), QStringLiteral("李小龍"),
                       QStringLiteral("用户@例子.中国")};
}
// clang-format on

void TestReferAFriend::shouldSendEachValueBackExactly()
{
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, message);
    QFETCH(QString, friendName);
    QFETCH(QString, friendEmail);
    QFETCH(QStringList, sent);
    MessageRecorder messages;
    BrowserRecorder browser;
    fill(name, email, message, friendName, friendEmail);

    press();

    QVERIFY2(messages.boxes.isEmpty(), qPrintable(messages.texts().join('|')));
    QCOMPARE(browser.addresses.size(), 1);
    const QString address = browser.addresses.first();
    // Only unreserved characters, escapes and the address's own delimiters appear.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9._~%:/?&=-]+$"));
    QVERIFY2(plain.match(address).hasMatch(), qPrintable(address));

    const QUrl url(address, QUrl::StrictMode);
    QVERIFY2(url.isValid(), qPrintable(url.errorString()));
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QCOMPARE(url.host(), QString::fromLatin1(Hosts::kMakerSite));
    QCOMPARE(url.path(), QStringLiteral("/orvelkit-refer-a-friend.php"));
    QVERIFY(!url.hasFragment());

    const QueryItems items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    QCOMPARE(items.size(), 6);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(items.at(i).first, QStringLiteral("taf%1").arg(i + 1));
        QCOMPARE(items.at(i).second, sent.at(i));
    }
    QCOMPARE(items.at(5).first, QStringLiteral("taf6"));
    // The last value is always the program's own site: scheme, host and a single slash.
    const QUrl site(items.at(5).second, QUrl::StrictMode);
    QCOMPARE(site.scheme(), QStringLiteral("http"));
    QCOMPARE(site.host(), QString::fromLatin1(Hosts::kProductSite));
    QCOMPARE(site.path(), QStringLiteral("/"));
    QVERIFY(!site.hasQuery() && !site.hasFragment() && site.userInfo().isEmpty() && site.port() == -1);
    QCOMPARE(site.toString(), items.at(5).second);
}

void TestReferAFriend::shouldSendTheUntouchedMessageWithItsLineBreak()
{
    MessageRecorder messages;
    BrowserRecorder browser;
    control<QLineEdit>(m_screen, "txtName")->setText(QStringLiteral("Ann"));
    control<QLineEdit>(m_screen, "txtEmail")->setText(QStringLiteral("a@x.org"));
    control<QLineEdit>(m_screen, "txtFriendName")->setText(QStringLiteral("Bo"));
    control<QLineEdit>(m_screen, "txtFriendEmail")->setText(QStringLiteral("c@y.net"));

    press();

    QVERIFY(messages.boxes.isEmpty());
    QCOMPARE(browser.addresses.size(), 1);
    const QUrlQuery query(QUrl(browser.addresses.first(), QUrl::StrictMode));
    QCOMPARE(query.queryItemValue(QStringLiteral("taf3"), QUrl::FullyDecoded), QStringLiteral("Your Message\r\n"));
}

void TestReferAFriend::shouldOpenTheRequestOnEveryPress()
{
    MessageRecorder messages;
    BrowserRecorder browser;
    fill(QStringLiteral("Ann"), QStringLiteral("a@x.org"), QStringLiteral("Hi"), QStringLiteral("Bo"),
         QStringLiteral("c@y.net"));

    press();
    press();

    QCOMPARE(browser.addresses.size(), 2);
    QCOMPARE(browser.addresses.at(0), browser.addresses.at(1));
    // A press leaves the focus on the button and no box is entered on its own.
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(m_screen, "cmdSubmit"));
}

QTEST_MAIN(TestReferAFriend)
#include "tst_referafriend.moc"
