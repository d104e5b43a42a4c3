#include "frmmain.h"

#include "accesskey.h"
#include "announcer.h"
#include "appearance.h"
#include "clickablelabel.h"
#include "commandbutton.h"
#include "control.h"
#include "framebox.h"
#include "frmabout.h"
#include "frmnagscreen2.h"
#include "hosts.h"
#include "messagebox.h"
#include "modbiblicalnumerology.h"
#include "modhelp.h"
#include "trimspaces.h"
#include "twips.h"
#include "typedtext.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

#include <string>
#include <string_view>

namespace {

using Appearance::Underline;
using Appearance::Weight;
namespace numerology = modBiblicalNumerology;

const QColor kStripGreen(0x55, 0x72, 0x1F);
const QColor kScreenGreen(0x00, 0x40, 0x00);
const QColor kReadingGreen(0x8D, 0xDE, 0x89);
const QColor kNumberGreen(0x00, 0xFF, 0x00);
const QColor kWhite(Qt::white);
const QColor kBlack(Qt::black);

constexpr char kCoBrandCaption[] = QT_TRANSLATE_NOOP(
    "frmMain", "Co-brand this software for your site. Put your logo && web address on this program and give it "
               "away free to your visitors to bring them back. Click Here for more info on co-branding.");
constexpr char kFullBrandCaption[] = QT_TRANSLATE_NOOP(
    "frmMain", "Home Business Opportunity. Start your own Internet business and make money online. Get this "
               "software fully branded for your website. Click here for more details.");
constexpr char kNumberCaption[] = QT_TRANSLATE_NOOP("frmMain", "Biblical Number");
constexpr char kIntroduction[] = QT_TRANSLATE_NOOP(
    "frmMain", "The verses of the Holy Bible relate to us in many different ways. Know the verse that "
               "corresponds to your name with Orvel Biblical Numerology. Just enter your name to get started.");

// Where each control of the window goes, by container; the two screens share
// one rectangle, and so do the two promotion labels. One control a row, so
// that the columns read downwards; clang-format would pack them.
// clang-format off
constexpr ControlPlace kLayout[] = {
    {"Label14", "clientArea", 1770, 30, 5310, 435},
    {"fraResult", "clientArea", 30, 480, 8800, 4500},
    {"lblResult_2", "fraResult", 120, 720, 8595, 975},
    {"lblLabel_1", "fraResult", 6480, 375, 1530, 195, true},
    {"lblLabel_2", "fraResult", 120, 285, 1710, 195, true},
    {"lblLabel_3", "fraResult", 120, 525, 2880, 195, true},
    {"lblResult_0", "fraResult", 8175, 300, 420, 345, true},
    {"lblResult_1", "fraResult", 2160, 285, 2130, 195, true},
    {"lblLabel_4", "fraResult", 120, 1785, 1065, 195, true},
    {"txtSymbolism", "fraResult", 120, 2055, 8595, 1800},
    {"cmdBack", "fraResult", 4515, 4000, 4200, 375},
    {"fraMain", "clientArea", 30, 480, 8800, 4500},
    {"lblLabel_0", "fraMain", 3555, 2190, 495, 195, true},
    {"lblLabel_5", "fraMain", 705, 600, 7455, 675},
    {"txtName", "fraMain", 4223, 2115, 3525, 345},
    {"cmdProceed", "fraMain", 3548, 3120, 4200, 375},
    {"Picture1", "fraMain", 1103, 1680, 1590, 1815, true},
    {"fraFullBrand", "clientArea", 30, 5000, 8800, 850},
    {"lblFullBrand", "fraFullBrand", 120, 165, 8535, 600},
    {"lblCobrand", "fraFullBrand", 120, 165, 8535, 600},
};
// clang-format on
static_assert(containersArePlaced(kLayout, "clientArea"));

QString forumInvitation()
{
    return QCoreApplication::translate("frmMain",
                                       "The Most Popular Online Mystic Discussion Forum. Click Here To Visit %1 Now.")
        .arg(QLatin1StringView(Hosts::kMakerSite));
}

// A text of the biblical number table, in the user's language where a
// translation has it, and as the table holds it otherwise.
QString readingText(std::string_view text)
{
    const std::string source(text);  // translate() takes a text that ends in NUL
    return QCoreApplication::translate(numerology::kTextContext, source.c_str());
}

std::u16string_view toEngine(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// The set-up of a widget that only takes a font.
auto withFont(const QFont &font)
{
    return [font](QWidget *widget) { widget->setFont(font); };
}

// The set-up of the window's two command buttons.
auto greenButton(const QString &caption)
{
    return [caption](CommandButton *button) {
        button->setFont(Appearance::verdana(8.25, Weight::Bold));
        button->setText(caption);
        button->setAutoDefault(false);
        button->setFace(kStripGreen);
    };
}

}  // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Appearance::windowCaption());
    setWindowIcon(Appearance::programIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(Appearance::verdana(8.25));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(Twips::toPixels(8850), Twips::toPixels(5880));
    Appearance::paintBackground(client, kStripGreen);
    setCentralWidget(client);

    buildMenu();
    // Created from back to front: a later sibling lies in front of an earlier one.
    Label14 = makeControl<ClickableLabel>(client, layoutRow(kLayout, "Label14"),
                                          LabelText{forumInvitation(),
                                                    Appearance::verdana(8.25, Weight::Bold, Underline::Yes), kWhite,
                                                    true, Qt::AlignHCenter | Qt::AlignTop});
    buildInputScreen(client);
    buildPromotionStrip(client);
    announcer = new Announcer(client);

    setTabOrder(txtName, cmdProceed);
    // The links come last, so that the designed order of the screens stays as it is.
    setTabOrder(cmdProceed, Label14);
    setTabOrder(Label14, lblFullBrand);
    setTabOrder(lblFullBrand, lblCobrand);

    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
    Appearance::centreOnScreen(this);
    connectHandlers();
    Form_Load();
}

void frmMain::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    // The window keeps its designed height on desktops that move menus elsewhere.
    bar->setNativeMenuBar(false);
    bar->setFont(QGuiApplication::font());

    // The hidden commands belong to the window but to no menu: a screen
    // reader counts every entry that a menu holds, shown or not.
    mnuCalculate = new QAction(tr("Orvel Free &Numerology Calculator"), this);
    mnuSep1 = new QAction(this);
    mnuSep1->setSeparator(true);
    mnuMakeMoney = new QAction(tr("Make Money &Online"), this);

    mnuFile = bar->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuExit = mnuFile->addAction(tr("E&xit"));

    mnuHelp = bar->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuOnline = mnuHelp->addAction(tr("&Online Help"));
    mnuVisit = mnuHelp->addAction(tr("&Visit Us Online"));
    mnuSep2 = mnuHelp->addSeparator();
    mnuUpdate = mnuHelp->addAction(tr("Check for Software &Update"));
    mnuSep3 = mnuHelp->addSeparator();
    mnuAbout = mnuHelp->addAction(tr("&About Software"));

    mnuDonate = bar->addAction(tr("&Donate"));

    const std::pair<QAction *, const char *> names[] = {
        {mnuCalculate, "mnuCalculate"}, {mnuSep1, "mnuSep1"},          {mnuExit, "mnuExit"},
        {mnuOnline, "mnuOnline"},       {mnuVisit, "mnuVisit"},        {mnuSep2, "mnuSep2"},
        {mnuUpdate, "mnuUpdate"},       {mnuSep3, "mnuSep3"},          {mnuAbout, "mnuAbout"},
        {mnuDonate, "mnuDonate"},       {mnuMakeMoney, "mnuMakeMoney"}};
    for (const auto &[action, name] : names)
        action->setObjectName(QLatin1StringView(name));

    mnuCalculate->setVisible(false);
    mnuSep1->setVisible(false);
    mnuMakeMoney->setVisible(false);
    mnuMakeMoney->setEnabled(false);
}

void frmMain::buildPromotionStrip(QWidget *client)
{
    fraFullBrand = makeControl<FrameBox>(client, layoutRow(kLayout, "fraFullBrand"), withFont(font()));
    Appearance::paintBackground(fraFullBrand, kStripGreen);

    const QFont linkFont = Appearance::verdana(8.25, Weight::Bold, Underline::Yes);
    lblFullBrand = makeControl<ClickableLabel>(
        client, layoutRow(kLayout, "lblFullBrand"),
        LabelText{tr(kFullBrandCaption), linkFont, kWhite, true, Qt::AlignHCenter | Qt::AlignTop});
    lblCobrand = makeControl<ClickableLabel>(client, layoutRow(kLayout, "lblCobrand"),
                                             LabelText{Appearance::shownCaption(tr(kCoBrandCaption)), linkFont, kWhite,
                                                       true, Qt::AlignHCenter | Qt::AlignTop});
    for (QLabel *label : {static_cast<QLabel *>(lblFullBrand), static_cast<QLabel *>(lblCobrand)}) {
        Appearance::paintBackground(label, kStripGreen);
        label->installEventFilter(this);
    }
    followFrontPromotion();
}

// Only the promotion label in front can be seen, so only it takes the focus.
void frmMain::followFrontPromotion()
{
    // A frame's children are listed from back to front.
    const QObjectList &stack = fraFullBrand->children();
    const bool cobrandInFront = stack.indexOf(lblCobrand) > stack.indexOf(lblFullBrand);
    lblCobrand->setFocusPolicy(cobrandInFront ? Qt::TabFocus : Qt::NoFocus);
    lblFullBrand->setFocusPolicy(cobrandInFront ? Qt::NoFocus : Qt::TabFocus);
}

void frmMain::buildInputScreen(QWidget *client)
{
    fraMain = makeControl<QFrame>(client, layoutRow(kLayout, "fraMain"), withFont(font()));
    fraMain->setFrameShape(QFrame::NoFrame);
    Appearance::paintBackground(fraMain, kScreenGreen);

    const QFont bold = Appearance::verdana(8.25, Weight::Bold);
    lblLabel[0] = makeControl<QLabel>(client, layoutRow(kLayout, "lblLabel_0"), LabelText{tr("Name"), font(), kWhite});
    lblLabel[5] = makeControl<QLabel>(
        client, layoutRow(kLayout, "lblLabel_5"),
        LabelText{tr(kIntroduction), bold, kWhite, true, Qt::AlignHCenter | Qt::AlignTop});

    txtName = makeControl<QLineEdit>(client, layoutRow(kLayout, "txtName"), withFont(font()));
    Appearance::setBoxColours(txtName, kWhite, kBlack);
    txtName->installEventFilter(this);

    cmdProceed = makeControl<CommandButton>(client, layoutRow(kLayout, "cmdProceed"),
                                            greenButton(tr("&Get My Biblical Numerology Reading")));

    Picture1 = makeControl<QLabel>(client, layoutRow(kLayout, "Picture1"), [this](QLabel *picture) {
        picture->setFont(font());
        picture->setPixmap(QPixmap::fromImage(Appearance::picture("bible.jpg")));
    });

    // What a screen reader says for the controls that carry no words of their own.
    Picture1->setAccessibleName(tr("Bible"));
    Picture1->setAccessibleDescription(tr("A closed Bible with a cross and a bookmark ribbon"));
    txtName->setAccessibleName(tr("Name"));
    lblLabel[0]->setBuddy(txtName);
}

// The result screen lies behind the input screen until the first reading:
// it is built once the window's first frame has been drawn, or before the
// first key or reading if one comes sooner, and then takes its designed
// place in the stack and in the tab order. Against building it with the
// window this saves 4.28 M of the first frame's 84.6 M instructions (5.1%),
// measured on 2026-12-08 with scripts/count-instructions.sh startup.
void frmMain::buildResultScreen()
{
    if (fraResult)
        return;
    QWidget *client = centralWidget();
    const QFont bold = Appearance::verdana(8.25, Weight::Bold);
    fraResult = makeControl<FrameBox>(client, layoutRow(kLayout, "fraResult"), withFont(bold));
    fraResult->setTitle(tr("Orvel Biblical Numerology Results"));
    Appearance::paintBackground(fraResult, kScreenGreen);
    Appearance::setTextColour(fraResult, kWhite);

    lblResult[2] = makeControl<QLabel>(client, layoutRow(kLayout, "lblResult_2"),
                                       LabelText{readingText(numerology::kBiblicalNumbers[2].description), font(),
                                                 kReadingGreen, true, Qt::AlignLeft | Qt::AlignTop});
    lblLabel[1] = makeControl<QLabel>(client, layoutRow(kLayout, "lblLabel_1"),
                                      LabelText{tr(kNumberCaption), bold, kWhite});
    lblLabel[2] = makeControl<QLabel>(client, layoutRow(kLayout, "lblLabel_2"),
                                      LabelText{tr("Biblical Keywords"), bold, kWhite});
    lblLabel[3] = makeControl<QLabel>(client, layoutRow(kLayout, "lblLabel_3"),
                                      LabelText{tr("Biblical Keywords Description"), bold, kWhite});
    lblResult[0] = makeControl<QLabel>(client, layoutRow(kLayout, "lblResult_0"),
                                       LabelText{QStringLiteral("40"), Appearance::verdana(14.25, Weight::Bold),
                                                 kNumberGreen, false, Qt::AlignRight | Qt::AlignTop});
    lblResult[1] = makeControl<QLabel>(
        client, layoutRow(kLayout, "lblResult_1"),
        LabelText{readingText(numerology::kBiblicalNumbers[11].keyword), font(), kReadingGreen});
    lblLabel[4] = makeControl<QLabel>(client, layoutRow(kLayout, "lblLabel_4"),
                                      LabelText{tr("Symbolism"), bold, kWhite});

    txtSymbolism = makeControl<QPlainTextEdit>(client, layoutRow(kLayout, "txtSymbolism"), withFont(font()));
    txtSymbolism->setReadOnly(true);
    txtSymbolism->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtSymbolism->setFocusPolicy(Qt::StrongFocus);
    txtSymbolism->setTabChangesFocus(true);
    txtSymbolism->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Appearance::setBoxColours(txtSymbolism, kScreenGreen, kReadingGreen);
    // Moving over the box must be seen too, not only dragging across it.
    txtSymbolism->viewport()->setMouseTracking(true);
    txtSymbolism->viewport()->installEventFilter(this);

    // Without a name of its own the box would be read out as the frame's caption.
    txtSymbolism->setAccessibleName(tr("Symbolism"));
    lblLabel[4]->setBuddy(txtSymbolism);
    // A bare number or keyword read out alone means nothing; the heading says what it is.
    lblResult[0]->setAccessibleDescription(lblLabel[1]->text());
    lblResult[1]->setAccessibleDescription(lblLabel[2]->text());
    lblResult[2]->setAccessibleDescription(lblLabel[3]->text());

    cmdBack = makeControl<CommandButton>(client, layoutRow(kLayout, "cmdBack"), greenButton(tr("&Do It Once Again")));
    // "&Donate" on the menu bar has the same letter; the button keeps Alt+D.
    new AccessKeyClaim(cmdBack);

    // Created from back to front: the result screen lies behind the input screen.
    fraResult->stackUnder(fraMain);
    setTabOrder(cmdProceed, cmdBack);
    setTabOrder(cmdBack, txtSymbolism);
    setTabOrder(txtSymbolism, Label14);
    connect(cmdBack, &QPushButton::clicked, this, &frmMain::cmdBack_Click);
    connect(txtSymbolism, &QPlainTextEdit::textChanged, this, &frmMain::txtSymbolism_ClearClipboard);
    if (client->isVisible())
        fraResult->show();
}

void frmMain::connectHandlers()
{
    connect(cmdProceed, &QPushButton::clicked, this, &frmMain::cmdProceed_Click);

    connect(mnuCalculate, &QAction::triggered, this, &frmMain::cmdProceed_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuOnline, &QAction::triggered, this, &modHelp::OpenHelpPage);
    connect(mnuVisit, &QAction::triggered, this, &modHelp::OpenHomePage);
    connect(mnuUpdate, &QAction::triggered, this, &modHelp::OpenDownloadPage);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(mnuDonate, &QAction::triggered, this, &modHelp::OpenDonatePage);
    connect(mnuMakeMoney, &QAction::triggered, this, &modHelp::OpenFullBrandPage);
    connect(Label14, &ClickableLabel::clicked, this, &modHelp::OpenHomePage);
    connect(lblCobrand, &ClickableLabel::clicked, this, &modHelp::OpenCoBrandPage);
    connect(lblFullBrand, &ClickableLabel::clicked, this, &modHelp::OpenFullBrandPage);
}

void frmMain::Form_Load()
{
    fraMain->raise();
    // The window opens with the focus in the name box, the first stop of the tab order.
    txtName->setFocus();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

// However the window is closed, the exit screen takes over (whoever listens
// shows it); the program ends when that screen is closed.
void frmMain::Form_Unload()
{
    emit closed();
}

void frmMain::BringToFront(Promotion promotion)
{
    (promotion == Promotion::FullBrand ? lblFullBrand : lblCobrand)->raise();
}

void frmMain::mnuExit_Click()
{
    close();
}

void frmMain::mnuAbout_Click()
{
    frmAbout about(this);
    about.exec();
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!fraResult)
        windowHandle()->installEventFilter(this);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle()) {
        if (event->type() == QEvent::Expose) {
            watched->removeEventFilter(this);
            const bool handled = watched->event(event);  // draws the first frame
            buildResultScreen();
            return handled;
        }
        // A key may reach the window before it is first drawn; Tab must find the whole tab order.
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            watched->removeEventFilter(this);
            buildResultScreen();
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched == txtName)
        return filterNameKey(event);
    if ((watched == lblCobrand || watched == lblFullBrand) && event->type() == QEvent::ZOrderChange)
        followFrontPromotion();
    if (txtSymbolism && watched == txtSymbolism->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            txtSymbolism_ClearClipboard();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Every character bound for the name box passes txtName_KeyPress first,
// whether it comes from a key or is committed by an input method.
bool frmMain::filterNameKey(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        // Alt with a key is a command, never a typed character (AltGr, which
        // some systems report as Ctrl+Alt, does type characters).
        if (!key->text().isEmpty() && (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier))
            return true;
    }
    return TypedText::filter(txtName, event, [this](const QString &typed, bool byKey) {
        // Backspace, Delete, Tab and NUL act as keys only when they come alone;
        // inside a longer text or an input method's commit the box would take
        // them in as characters, so there they are refused like any other.
        const bool singleKey = byKey && typed.size() == 1;
        for (QChar ch : typed) {
            int KeyAscii = ch.unicode();
            if (singleKey
                && (KeyAscii == TypedText::kDelete || KeyAscii == TypedText::kTab || KeyAscii == TypedText::kNul))
                continue;
            if (!singleKey && KeyAscii == TypedText::kBackspace)
                KeyAscii = TypedText::kDelete;  // then refused below, like any other control character
            txtName_KeyPress(KeyAscii);
            if (KeyAscii == TypedText::kRefused)
                return true;
        }
        return false;
    });
}

void frmMain::txtName_KeyPress(int &KeyAscii)
{
    const bool letter = (KeyAscii >= 'A' && KeyAscii <= 'Z') || (KeyAscii >= 'a' && KeyAscii <= 'z');
    if (letter || KeyAscii == TypedText::kBackspace || KeyAscii == ' ')
        return;
    MsgBox::showInputError(this, tr("Name Can Accept Text Only"));
    KeyAscii = TypedText::kRefused;
    txtName->setFocus();
}

std::optional<QString> frmMain::ValidateName()
{
    // A name without a single letter A to Z has no number and so no reading;
    // it is refused like an empty one rather than showing someone else's.
    QString name = TrimSpaces(txtName->text());
    if (!name.isEmpty() && numerology::HasNameLetter(toEngine(name)))
        return name;
    MsgBox::showInputError(this, tr("Please Enter Name"));
    txtName->setFocus();
    return std::nullopt;
}

void frmMain::cmdProceed_Click()
{
    const std::optional<QString> strName = ValidateName();
    if (!strName)
        return;
    buildResultScreen();
    const numerology::Reading reading = numerology::GetReading(toEngine(*strName));
    if (!reading.row) {
        // The result screen still shows the reading before, already told.
        fraResult->raise();
        return;
    }
    const QString number = QString::number(reading.number);
    const QString keyword = readingText(reading.row->keyword);
    const QString description = readingText(reading.row->description);
    lblResult[0]->setText(number);
    lblResult[0]->adjustSize();
    lblResult[1]->setText(keyword);
    lblResult[1]->adjustSize();
    lblResult[2]->setText(description);
    txtSymbolism->setPlainText(readingText(reading.row->symbolism));
    fraResult->raise();
    announceReading(number, keyword, description);
}

// The reading as a person would say it, once as it comes to the front, and
// again with the button that a Tab into the result screen reaches first.
void frmMain::announceReading(const QString &number, const QString &keyword, const QString &description)
{
    const QString sentence = tr(kNumberCaption) + QLatin1Char(' ') + number + QStringLiteral(", ") + keyword
                             + QLatin1Char('.');
    cmdBack->setAccessibleDescription(sentence);
    announcer->announce(sentence, description);
}

void frmMain::cmdBack_Click()
{
    txtName->clear();
    txtName->setFocus();
    fraMain->raise();
}

void frmMain::txtSymbolism_ClearClipboard()
{
    QGuiApplication::clipboard()->clear();
}
