// What a screen reader and a keyboard user meet: every control of every
// window found by a name a person would say, pictures described, and every
// link followed from the keyboard alone.
#include "accessibility.h"
#include "appearance.h"
#include "clickablelabel.h"
#include "controls.h"
#include "formwindows.h"
#include "frmabout.h"
#include "frmmain.h"
#include "frmnagscreen2.h"
#include "modhelp.h"
#include "recorders.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace {

struct Seen {
    QStringList textBoxes;
    QStringList buttons;
    QStringList unnamed;
    QStringList undescribedPictures;
};

void collect(QAccessibleInterface *node, Seen &seen)
{
    const QString name = node->text(QAccessible::Name);
    const QString what = node->object() ? node->object()->objectName() : QString();
    switch (node->role()) {
    case QAccessible::EditableText:
        seen.textBoxes.append(name);
        break;
    case QAccessible::Button:
    case QAccessible::CheckBox:
        seen.buttons.append(name);
        break;
    case QAccessible::Graphic:
        if (node->text(QAccessible::Description).isEmpty())
            seen.undescribedPictures.append(what);
        break;
    default:
        break;
    }
    // Containers, borders and separators are read by their role alone.
    static const QList<QAccessible::Role> controls{
        QAccessible::Window,     QAccessible::Dialog,   QAccessible::StaticText,   QAccessible::Graphic,
        QAccessible::Button,     QAccessible::CheckBox, QAccessible::EditableText, QAccessible::MenuItem,
        QAccessible::ButtonMenu, QAccessible::Link};
    if (controls.contains(node->role()) && !node->state().invisible && name.trimmed().isEmpty())
        seen.unnamed.append(what + QLatin1Char('/') + QString::number(node->role()));
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i))
            collect(child, seen);
    }
}

// Gives back every text behind a mark, so that a text read out without the
// mark never went through translation and would stay English for every user.
class MarkingTranslator : public QTranslator
{
public:
    static constexpr QChar kMark = u'\u00A4';
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return kMark + QString::fromUtf8(sourceText);
    }
};

void collectUntranslated(QAccessibleInterface *node, QStringList &untranslated)
{
    const QString name = node->text(QAccessible::Name);
    // The number of a reading is the one text that no language changes.
    const bool number = node->object() && node->object()->objectName() == QLatin1String("lblResult_0");
    if (!name.isEmpty() && !name.startsWith(MarkingTranslator::kMark) && !number)
        untranslated.append(name);
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i))
            collectUntranslated(child, untranslated);
    }
}

}  // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void shouldNameEveryControl_data();
    void shouldNameEveryControl();
    void shouldFollowEveryLinkFromTheKeyboard_data();
    void shouldFollowEveryLinkFromTheKeyboard();
    void shouldLetOnlyTheSeenPromotionTakeTheFocus();
    void shouldReadTheNameBoxToItsLastCharacter();
    void shouldSpeakTheUsersLanguage_data();
    void shouldSpeakTheUsersLanguage();
};

void TestAccessibility::initTestCase()
{
    Appearance::apply();
    Accessibility::install();
}

// clang-format off
void TestAccessibility::shouldNameEveryControl_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("textBoxes");
    QTest::addColumn<QStringList>("buttons");

    QTest::newRow("main window") << "main" << QStringList{"Symbolism", "Name"}
                                 << QStringList{"Do It Once Again", "Get My Biblical Numerology Reading"};
    QTest::newRow("about box") << "about" << QStringList{} << QStringList{"OK"};
    QTest::newRow("exit screen")
        << "exit"
        << QStringList{"Your Name", "Your Email Address", "Friend's Email Address", "Friend's Name",
                       "Your Message"}
        << QStringList{"Click Here To Visit home.quillmoor.test Now", "Exit", "Refer A Friend Now"};
}
// clang-format on

void TestAccessibility::shouldNameEveryControl()
{
    QFETCH(QString, window);
    QFETCH(QStringList, textBoxes);
    QFETCH(QStringList, buttons);

    const std::unique_ptr<QWidget> form = makeWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    Seen seen;
    collect(QAccessible::queryAccessibleInterface(form.get()), seen);

    QCOMPARE(seen.textBoxes, textBoxes);
    QCOMPARE(seen.buttons, buttons);
    QVERIFY2(seen.unnamed.isEmpty(), qPrintable(seen.unnamed.join(QLatin1String(", "))));
    QVERIFY2(seen.undescribedPictures.isEmpty(), qPrintable(seen.undescribedPictures.join(QLatin1String(", "))));
}

// clang-format off
void TestAccessibility::shouldFollowEveryLinkFromTheKeyboard_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("page");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("main: forum") << "main" << "Label14" << int(Qt::Key_Space) << none << modHelp::HomePage();
    QTest::newRow("main: co-branding") << "main" << "lblCobrand" << int(Qt::Key_Space) << none
                                       << modHelp::CoBrandPage();
    QTest::newRow("about: home page") << "about" << "lblHomePage" << int(Qt::Key_Space) << none
                                      << modHelp::HomePage();
    QTest::newRow("about: more details") << "about" << "lblCobrand" << int(Qt::Key_Space) << none
                                         << modHelp::FullBrandPage();
    QTest::newRow("exit: suite") << "exit" << "lblGoToHome" << int(Qt::Key_Space) << none
                                 << modHelp::SoftwareSuitePage();
    // Keypad Enter is the screen reader's own key there, so only a keyboard user meets it.
    QTest::newRow("about: more details by keypad Enter")
        << "about" << "lblCobrand" << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
        << modHelp::FullBrandPage();
}
// clang-format on

void TestAccessibility::shouldFollowEveryLinkFromTheKeyboard()
{
    QFETCH(QString, window);
    QFETCH(QString, link);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, page);

    BrowserRecorder browser;
    const std::unique_ptr<QWidget> form = makeWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *target = form->findChild<ClickableLabel *>(link);
    QVERIFY(target);
    for (int presses = 0; QApplication::focusWidget() != target; ++presses) {
        QVERIFY2(presses < 20, "Tab never reaches the link");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(target, Qt::Key(key), modifiers);
    QCOMPARE(browser.addresses, QStringList{page});
    // The link is followed, not the dialog's default button pressed.
    QVERIFY(form->isVisible());
}

void TestAccessibility::shouldLetOnlyTheSeenPromotionTakeTheFocus()
{
    frmMain form;
    control<ClickableLabel>(&form, "lblFullBrand")->raise();
    QCOMPARE(control<ClickableLabel>(&form, "lblFullBrand")->focusPolicy(), Qt::TabFocus);
    QCOMPARE(control<ClickableLabel>(&form, "lblCobrand")->focusPolicy(), Qt::NoFocus);
    control<ClickableLabel>(&form, "lblCobrand")->raise();
    QCOMPARE(control<ClickableLabel>(&form, "lblCobrand")->focusPolicy(), Qt::TabFocus);
    QCOMPARE(control<ClickableLabel>(&form, "lblFullBrand")->focusPolicy(), Qt::NoFocus);
}

void TestAccessibility::shouldReadTheNameBoxToItsLastCharacter()
{
    frmMain form;
    control<QLineEdit>(&form, "txtName")->setText(QStringLiteral("Ruth Ann"));
    QAccessibleTextInterface *text =
        QAccessible::queryAccessibleInterface(control<QLineEdit>(&form, "txtName"))->textInterface();
    QVERIFY(text);
    // One run of attributes covers the whole name: a screen reader reads a
    // line up to the end of the run that holds its last character.
    int start = -1;
    int end = -1;
    text->attributes(3, &start, &end);
    QCOMPARE(std::pair(start, end), std::pair(0, 8));
    // Asked for the word at the end, the box answers at once, with nothing.
    QCOMPARE(text->textAtOffset(8, QAccessible::WordBoundary, &start, &end), QString());
    QCOMPARE(std::pair(start, end), std::pair(8, 8));
    QCOMPARE(text->textAtOffset(5, QAccessible::WordBoundary, &start, &end), QStringLiteral("Ann"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

void TestAccessibility::shouldSpeakTheUsersLanguage_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "main";
    QTest::newRow("about box") << "about";
    QTest::newRow("exit screen") << "exit";
}

void TestAccessibility::shouldSpeakTheUsersLanguage()
{
    QFETCH(QString, window);
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const std::unique_ptr<QWidget> form = makeWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    QStringList untranslated;
    collectUntranslated(QAccessible::queryAccessibleInterface(form.get()), untranslated);
    if (auto *main = qobject_cast<frmMain *>(form.get())) {
        // The reading's texts come from the table of biblical numbers.
        control<QLineEdit>(main, "txtName")->setText(QStringLiteral("Ruth"));
        control<QPushButton>(main, "cmdProceed")->click();
        collectUntranslated(QAccessible::queryAccessibleInterface(form.get()), untranslated);
        const QString verses = control<QPlainTextEdit>(main, "txtSymbolism")->toPlainText();
        if (!verses.startsWith(MarkingTranslator::kMark))
            untranslated.append(verses);
    }
    QCoreApplication::removeTranslator(&translator);
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1String(" | "))));
}
