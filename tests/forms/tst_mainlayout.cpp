// The main window as laid out: its size, menus, stacking, and labels that
// show all of their text (tst_highdpi keeps the controls in their containers
// and apart).
#include "appearance.h"
#include "clickablelabel.h"
#include "controls.h"
#include "frmmain.h"
#include "modbiblicalnumerology.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

QStringList shownActions(const QList<QAction *> &actions)
{
    QStringList texts;
    for (const QAction *action : actions) {
        if (action->isVisible())
            texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

}  // namespace

class TestMainLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void shouldHaveItsFixedClientAreaAndCaption();
    void shouldShowOnlyTheVisibleMenuEntries();
    void shouldShowAllTextOfEveryWrappedLabel_data();
    void shouldShowAllTextOfEveryWrappedLabel();
    void shouldFitEveryDescriptionAndKeywordOfAReading();
    void shouldStackTheScreensAndPromotionLabels();
    void shouldShowTheDesignTexts();
    void shouldFillEachButtonFaceWithItsOwnColour_data();
    void shouldFillEachButtonFaceWithItsOwnColour();

private:
    QPointer<frmMain> m_window;
};

void TestMainLayout::initTestCase()
{
    Appearance::apply();
}

void TestMainLayout::init()
{
    m_window = new frmMain;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestMainLayout::cleanup()
{
    delete m_window;
}

void TestMainLayout::shouldHaveItsFixedClientAreaAndCaption()
{
    QCOMPARE(m_window->centralWidget()->size(), QSize(590, 392));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QCOMPARE(m_window->menuBar()->geometry().bottom() + 1, m_window->centralWidget()->y());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvel Biblical Numerology v1.0"));
    QVERIFY(!m_window->windowIcon().isNull());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
}

void TestMainLayout::shouldShowOnlyTheVisibleMenuEntries()
{
    QCOMPARE(shownActions(m_window->menuBar()->actions()), (QStringList{"&File", "&Help", "&Donate"}));
    QCOMPARE(shownActions(control<QMenu>(m_window, "mnuFile")->actions()), QStringList{"E&xit"});
    QCOMPARE(
        shownActions(control<QMenu>(m_window, "mnuHelp")->actions()),
        (QStringList{"&Online Help", "&Visit Us Online", "-", "Check for Software &Update", "-", "&About Software"}));
    QVERIFY(!control<QAction>(m_window, "mnuMakeMoney")->isEnabled());
    QVERIFY(!control<QAction>(m_window, "mnuCalculate")->isVisible());
    QVERIFY(!control<QAction>(m_window, "mnuCalculate")->text().isEmpty());
    const QList<QAction *> all = m_window->findChildren<QAction *>();
    for (const QAction *action : all)
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
}

void TestMainLayout::shouldShowAllTextOfEveryWrappedLabel_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"Label14", "lblCobrand", "lblFullBrand", "lblLabel_5", "lblResult_2"})
        QTest::newRow(name) << name;
}

void TestMainLayout::shouldShowAllTextOfEveryWrappedLabel()
{
    QFETCH(QString, name);
    auto *label = m_window->findChild<QLabel *>(name);
    QVERIFY(label);
    QVERIFY(label->wordWrap());
    QVERIFY2(
        label->heightForWidth(label->width()) <= label->height(),
        qPrintable(
            QStringLiteral("needs %1 of %2 pixels").arg(label->heightForWidth(label->width())).arg(label->height())));
}

void TestMainLayout::shouldFitEveryDescriptionAndKeywordOfAReading()
{
    // Every row a name can reach must show whole in the fixed description block,
    // and its keyword must end before the "Biblical Number" caption.
    QLabel *description = control<QLabel>(m_window, "lblResult_2");
    QLabel *keyword = control<QLabel>(m_window, "lblResult_1");
    for (std::size_t row = 0; row < 12; ++row) {
        const auto &entry = modBiblicalNumerology::kBiblicalNumbers[row];
        description->setText(QString::fromLatin1(entry.description.data(), qsizetype(entry.description.size())));
        QVERIFY2(description->heightForWidth(description->width()) <= description->height(),
                 qPrintable(QStringLiteral("row %1").arg(row)));
        keyword->setText(QString::fromLatin1(entry.keyword.data(), qsizetype(entry.keyword.size())));
        keyword->adjustSize();
        QVERIFY2(keyword->geometry().right() < control<QLabel>(m_window, "lblLabel_1")->x(),
                 qPrintable(keyword->text()));
    }
}

void TestMainLayout::shouldStackTheScreensAndPromotionLabels()
{
    // What shows at the middle of each shared rectangle is the frame or label in front.
    QWidget *client = m_window->centralWidget();
    QWidget *atScreen = client->childAt(control<QFrame>(m_window, "fraMain")->geometry().center());
    QVERIFY(atScreen == control<QFrame>(m_window, "fraMain")
            || control<QFrame>(m_window, "fraMain")->isAncestorOf(atScreen));
    QWidget *strip = control<QGroupBox>(m_window, "fraFullBrand");
    QCOMPARE(strip->childAt(control<ClickableLabel>(m_window, "lblCobrand")->geometry().center()),
             control<ClickableLabel>(m_window, "lblCobrand"));
    // Nothing of the result screen shows through the input screen.
    QVERIFY(control<QFrame>(m_window, "fraMain")->autoFillBackground());
    QCOMPARE(control<QFrame>(m_window, "fraMain")->geometry(), control<QGroupBox>(m_window, "fraResult")->geometry());
}

void TestMainLayout::shouldShowTheDesignTexts()
{
    QCOMPARE(control<ClickableLabel>(m_window, "Label14")->text().size(), 93);
    QVERIFY(control<ClickableLabel>(m_window, "Label14")
                ->text()
                .startsWith(QStringLiteral("The Most Popular Online Mystic Discussion Forum. Click Here To Visit ")));
    QVERIFY(control<ClickableLabel>(m_window, "Label14")->text().endsWith(QStringLiteral(" Now.")));
    // The co-branding caption is 182 characters as written, its "&&" showing as one "&".
    const QString cobrand = control<ClickableLabel>(m_window, "lblCobrand")->text();
    QCOMPARE(cobrand.size(), 181);
    QCOMPARE(cobrand.count(u'&'), 1);
    QVERIFY(cobrand.startsWith(QStringLiteral("Co-brand this software for your site.")));
    QVERIFY(cobrand.endsWith(QStringLiteral("Click Here for more info on co-branding.")));
    QCOMPARE(control<QLabel>(m_window, "lblResult_0")->text(), QStringLiteral("40"));
    QCOMPARE(control<QLabel>(m_window, "lblResult_1")->text(), QStringLiteral("Governmental Perfection"));
    QVERIFY(control<QLabel>(m_window, "lblResult_2")
                ->text()
                .startsWith(QStringLiteral("This is God's numerical signature")));
    QCOMPARE(control<QLabel>(m_window, "lblResult_2")->text().size(), 411);
    QCOMPARE(control<QPlainTextEdit>(m_window, "txtSymbolism")->toPlainText(), QString());
    QCOMPARE(control<QLineEdit>(m_window, "txtName")->text(), QString());
    QCOMPARE(control<QPushButton>(m_window, "cmdProceed")->text(),
             QStringLiteral("&Get My Biblical Numerology Reading"));
    QCOMPARE(control<QPushButton>(m_window, "cmdBack")->text(), QStringLiteral("&Do It Once Again"));
    QCOMPARE(control<QGroupBox>(m_window, "fraResult")->title(), QStringLiteral("Orvel Biblical Numerology Results"));
    QVERIFY(!control<QPushButton>(m_window, "cmdProceed")->isDefault()
            && !control<QPushButton>(m_window, "cmdProceed")->autoDefault());
    QVERIFY(control<QPlainTextEdit>(m_window, "txtSymbolism")->isReadOnly());
    QCOMPARE(control<QLabel>(m_window, "Picture1")->size(), QSize(106, 121));
}

void TestMainLayout::shouldFillEachButtonFaceWithItsOwnColour_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("focused");
    QTest::newRow("cmdProceed") << "cmdProceed" << false;
    QTest::newRow("cmdProceed with the focus") << "cmdProceed" << true;
    QTest::newRow("cmdBack") << "cmdBack" << false;
}

void TestMainLayout::shouldFillEachButtonFaceWithItsOwnColour()
{
    QFETCH(QString, name);
    QFETCH(bool, focused);
    auto *button = m_window->findChild<QPushButton *>(name);
    QVERIFY(button);
    if (focused)
        button->setFocus(Qt::TabFocusReason);
    const QImage face = button->grab().toImage();
    const qreal scale = face.devicePixelRatio();
    // Left of the centred caption: near the top edge, in the middle and near the bottom edge.
    const int h = button->height();
    for (const QPoint at : {QPoint(5, 4), QPoint(5, h / 2), QPoint(5, h - 5)}) {
        const QColor colour = face.pixelColor((QPointF(at) * scale).toPoint());
        QVERIFY2(colour == QColor(0x55, 0x72, 0x1F),
                 qPrintable(QStringLiteral("%1 at %2,%3").arg(colour.name()).arg(at.x()).arg(at.y())));
    }
}

QTEST_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
