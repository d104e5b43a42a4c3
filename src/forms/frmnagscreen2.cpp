#include "frmnagscreen2.h"

#include "accessibility.h"
#include "appearance.h"
#include "clickablelabel.h"
#include "commandbutton.h"
#include "control.h"
#include "framebox.h"
#include "hosts.h"
#include "messagebox.h"
#include "modhelp.h"
#include "modtellafriend.h"
#include "rnd.h"
#include "trimspaces.h"
#include "twips.h"
#include "typedtext.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <array>

using Appearance::Underline;
using Appearance::verdana;
using Appearance::Weight;
using modTellAFriend::kEmailPlaceholder;
using modTellAFriend::kFriendEmailPlaceholder;
using modTellAFriend::kFriendNamePlaceholder;
using modTellAFriend::kMessagePlaceholder;
using modTellAFriend::kNamePlaceholder;

namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kLinkYellow(0xFF, 0xFF, 0x00);
const QColor kCheckText(0x00, 0x00, 0xC0);

const std::array<const char *, 4> kMessages = {
    QT_TRANSLATE_NOOP("frmNagScreen2",
                      "Gleamware, such as this can be created and maintained only with your support. The best way to "
                      "support Quillmoor is to visit Quillmoor regularly and take part in the discussions and other "
                      "activities on the board."),
    QT_TRANSLATE_NOOP("frmNagScreen2",
                      "Visit Quillmoor regularly. Support Quillmoor by taking part in the discussions and other "
                      "activities. These softwares cannot be supported and maintained, without you regularly visiting "
                      "Quillmoor"),
    QT_TRANSLATE_NOOP(
        "frmNagScreen2",
        "Quillmoor is a FREE online discussion forum for all things mystic. To help Quillmoor develop and "
        "maintain this software visit Quillmoor regularly."),
    QT_TRANSLATE_NOOP("frmNagScreen2",
                      "Quillmoor needs your help. All you need to do is visit Quillmoor regularly and take part in the "
                      "various discussions and activites to help us maintain and develop more Gleamware."),
};

// The run of spaces after the first paragraph pushes the second onto a line of its own.
const char kSuiteText[] = QT_TRANSLATE_NOOP(
    "frmNagScreen2", "If you have enjoyed this software you will surely be interested in our other Gleamware. "
                     "Gleamware is the largest resource of its kind on the Internet, with a wide range of astrology, "
                     "psychic, tarot, numerology and occult programs for everyone interested in the mystic arts. New "
                     "titles are added all the time, and all of them can be downloaded free."
                     "                                                             "
                     "All our programs are simple to use, fun and very informative. Why not try them out today? If you "
                     "like them, please tell your friends and family all about them so that they can enjoy them as "
                     "much as you do. ");

// Where each control of the screen goes, by container, each container's
// controls from back to front. One control a row, so that the columns read
// downwards; clang-format would pack them.
// clang-format off
constexpr ControlPlace kLayout[] = {
    {"Label1", "frmNagScreen2", 1080, 240, 4620, 435, true},
    {"Label2", "frmNagScreen2", 120, 840, 6975, 1095},
    {"Picture1", "frmNagScreen2", 360, 217, 480, 480, true},
    {"Check1", "frmNagScreen2", 30, 2040, 7185, 555},
    {"cmdClose", "frmNagScreen2", 6000, 2760, 1245, 375},
    {"Frame2", "frmNagScreen2", 120, 3240, 7065, 1455},
    {"txtName", "Frame2", 85, 360, 3375, 285},
    {"cmdSubmit", "Frame2", 1920, 1080, 3375, 285},
    {"txtEmail", "Frame2", 3600, 360, 3375, 285},
    {"txtFriendEmail", "Frame2", 3600, 720, 3375, 285},
    {"txtFriendName", "Frame2", 85, 720, 3375, 285},
    // Below the frame's visible area: never seen, yet reached by Tab and sent with the request.
    {"txtMessage", "Frame2", 4800, 3600, 1815, 495},
    {"Frame6", "frmNagScreen2", 7320, 120, 3735, 4575},
    {"Label3", "Frame6", 120, 360, 3495, 3855},
    {"lblGoToHome", "Frame6", 75, 4250, 3585, 210, true},
};
// clang-format on
static_assert(containersArePlaced(kLayout, "frmNagScreen2"));

const char kEmailSpaceRefused[] = QT_TRANSLATE_NOOP("frmNagScreen2", "Email Address Cannot Contain Space");

// Every load of the screen reseeds the program's generator before its one draw.
float drawFromClock()
{
    Rnd::Randomize();
    return Rnd::Next();
}

QFont windowFont(qreal points = 8.25)
{
    return Appearance::font("MS Sans Serif", points);
}

// A multi-line box keeps its line breaks as CR LF, as the user typed them;
// the editor itself stores them as paragraph and line separators.
QString boxText(const QWidget *box)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    const auto *multi = qobject_cast<const QPlainTextEdit *>(box);
    if (!multi)
        return {};
    QString text = multi->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

void setBoxText(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else if (auto *multi = qobject_cast<QPlainTextEdit *>(box))
        multi->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void clearPlaceholder(QWidget *box, const char *placeholder)
{
    if (TrimSpaces(boxText(box)) == modTellAFriend::shownPlaceholder(placeholder))
        setBoxText(box, QString());
}

void restorePlaceholder(QWidget *box, const char *placeholder)
{
    if (TrimSpaces(boxText(box)).isEmpty())
        setBoxText(box, modTellAFriend::shownPlaceholder(placeholder));
}

// The set-up of a box of the refer-a-friend frame that shows its placeholder.
auto placeholderBox(const char *placeholder)
{
    return [placeholder](QLineEdit *box) {
        // The frame's bold caption font is not the boxes' own.
        box->setFont(windowFont());
        box->setText(modTellAFriend::shownPlaceholder(placeholder));
        // The placeholder is the box's only caption, and it goes once the user types.
        box->setAccessibleName(modTellAFriend::shownPlaceholder(placeholder));
        // Long texts start at their beginning, as a freshly loaded box shows them.
        box->setCursorPosition(0);
    };
}

// The set-up of the screen's two frames.
auto navyFrame(const char *caption)
{
    return [caption](FrameBox *frame) {
        frame->setTitle(QCoreApplication::translate("frmNagScreen2", caption));
        frame->setFont(verdana(9.75, Weight::Bold));
        Appearance::paintBackground(frame, kNavy);
        Appearance::setTextColour(frame, Qt::white);
    };
}

}  // namespace

frmNagScreen2::frmNagScreen2(const RandomDraw &draw)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmNagScreen2"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A screen reader reads a dialog's texts as it opens, among them the
    // message, which no Tab stop reaches.
    Accessibility::setRole(this, QAccessible::Dialog);
    buildWindow();
    buildReferFriendBox();
    buildSuiteColumn();
    connectHandlers();
    Form_Load(draw ? draw : RandomDraw(drawFromClock));
    Appearance::centreOnScreen(this);
}

frmNagScreen2::~frmNagScreen2()
{
    // The boxes outlive this part of the window while it is torn down; their
    // last focus events must not reach handlers that are already gone.
    for (const PlaceholderBox &entry : placeholderBoxes())
        entry.box->removeEventFilter(this);
}

std::array<frmNagScreen2::PlaceholderBox, 5> frmNagScreen2::placeholderBoxes() const
{
    return {{{txtName, kNamePlaceholder},
             {txtEmail, kEmailPlaceholder},
             {txtFriendName, kFriendNamePlaceholder},
             {txtFriendEmail, kFriendEmailPlaceholder},
             {txtMessage, kMessagePlaceholder}}};
}

int frmNagScreen2::MessageIndex(float r)
{
    // The product stays in single precision, as the draw itself is.
    const float scaled = r * 4.0f;
    return std::clamp(static_cast<int>(scaled), 0, static_cast<int>(kMessages.size()) - 1);
}

void frmNagScreen2::buildWindow()
{
    setWindowTitle(Appearance::windowCaption());
    setWindowIcon(Appearance::programIcon());
    setFont(windowFont());
    Appearance::paintBackground(this, Qt::white);
    setFixedSize(Twips::toPixels(11115), Twips::toPixels(4725));
    // Labels without a colour of their own take the system's button-text colour.
    const QColor labelText = palette().color(QPalette::ButtonText);

    Label1 = makeControl<QLabel>(this, layoutRow(kLayout, "Label1"),
                                 LabelText{Appearance::windowCaption(), windowFont(18), labelText});
    // Its text is the message that Form_Load draws.
    Label2 = makeControl<QLabel>(
        this, layoutRow(kLayout, "Label2"),
        LabelText{QString(), verdana(9.75, Weight::Bold), labelText, true, Qt::AlignLeft | Qt::AlignTop});
    Picture1 = makeControl<QLabel>(this, layoutRow(kLayout, "Picture1"), Appearance::showProgramIcon);

    Check1 = makeControl<QPushButton>(this, layoutRow(kLayout, "Check1"), [](QPushButton *button) {
        button->setText(tr("Click Here To Visit %1 Now").arg(QLatin1StringView(Hosts::kMakerSite)));
        button->setCheckable(true);
        button->setFont(verdana(14.25));
        button->setCursor(Appearance::handCursor());
        QPalette checkColours = button->palette();
        checkColours.setColor(QPalette::ButtonText, kCheckText);
        button->setPalette(checkColours);
    });

    cmdClose = makeControl<CommandButton>(this, layoutRow(kLayout, "cmdClose"),
                                          [](CommandButton *button) { button->setText(tr("E&xit")); });
    // No button is the window's default; the one with the focus is drawn as the one Enter presses.
    cmdClose->setAutoDefault(true);
}

void frmNagScreen2::buildReferFriendBox()
{
    Frame2 = makeControl<FrameBox>(this, layoutRow(kLayout, "Frame2"),
                                   navyFrame(QT_TRANSLATE_NOOP("frmNagScreen2", "Refer A Friend")));

    txtName = makeControl<QLineEdit>(this, layoutRow(kLayout, "txtName"), placeholderBox(kNamePlaceholder));

    cmdSubmit = makeControl<CommandButton>(this, layoutRow(kLayout, "cmdSubmit"), [](CommandButton *button) {
        button->setText(tr("Refer A Friend &Now"));
        button->setFont(verdana(8.25, Weight::Bold));
    });
    cmdSubmit->setAutoDefault(true);

    txtEmail = makeControl<QLineEdit>(this, layoutRow(kLayout, "txtEmail"), placeholderBox(kEmailPlaceholder));
    txtFriendEmail = makeControl<QLineEdit>(this, layoutRow(kLayout, "txtFriendEmail"),
                                            placeholderBox(kFriendEmailPlaceholder));
    txtFriendName = makeControl<QLineEdit>(this, layoutRow(kLayout, "txtFriendName"),
                                           placeholderBox(kFriendNamePlaceholder));

    txtMessage = makeControl<QPlainTextEdit>(this, layoutRow(kLayout, "txtMessage"));
    txtMessage->setFont(windowFont());
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMessage->setTabChangesFocus(true);
    txtMessage->setAccessibleName(modTellAFriend::shownPlaceholder(kMessagePlaceholder));
    setBoxText(txtMessage, modTellAFriend::shownPlaceholder(kMessagePlaceholder) + QStringLiteral("\r\n"));
}

void frmNagScreen2::buildSuiteColumn()
{
    Frame6 = makeControl<FrameBox>(this, layoutRow(kLayout, "Frame6"),
                                   navyFrame(QT_TRANSLATE_NOOP("frmNagScreen2", "Download Gleamware")));

    Label3 = makeControl<QLabel>(this, layoutRow(kLayout, "Label3"),
                                 LabelText{tr(kSuiteText), verdana(9), Qt::white, true, Qt::AlignLeft | Qt::AlignTop});
    // A screen reader passes over a text inside a frame when it reads the
    // window's texts; as the window's description it is read after the message.
    setAccessibleDescription(Label3->text());

    lblGoToHome = makeControl<ClickableLabel>(
        this, layoutRow(kLayout, "lblGoToHome"),
        LabelText{tr("Click Here To Visit Gleamware"), verdana(9, Weight::Bold, Underline::Yes), kLinkYellow});
}

void frmNagScreen2::connectHandlers()
{
    setTabOrder(cmdClose, Check1);
    setTabOrder(Check1, txtName);
    setTabOrder(txtName, cmdSubmit);
    setTabOrder(cmdSubmit, txtEmail);
    setTabOrder(txtEmail, txtFriendEmail);
    setTabOrder(txtFriendEmail, txtFriendName);
    setTabOrder(txtFriendName, txtMessage);
    setTabOrder(txtMessage, lblGoToHome);
    cmdClose->setFocus();

    connect(Check1, &QPushButton::toggled, this, &frmNagScreen2::Check1_Click);
    connect(lblGoToHome, &ClickableLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);
    connect(cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);

    for (const PlaceholderBox &entry : placeholderBoxes())
        entry.box->installEventFilter(this);
}

void frmNagScreen2::Form_Load(const RandomDraw &draw)
{
    Label2->setText(tr(kMessages[MessageIndex(draw())]));
    // Set before the first show, so the window manager keeps the screen above
    // the browser windows it opens.
    setWindowFlag(Qt::WindowStaysOnTopHint);
}

void frmNagScreen2::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmNagScreen2::Form_Unload()
{
    emit closed();
}

void frmNagScreen2::Check1_Click()
{
    if (!Check1->isChecked())
        return;
    // Springs back at once; the handler runs again for this change and finds it unchecked.
    Check1->setChecked(false);
    modHelp::OpenHomePage();
}

void frmNagScreen2::lblGoToHome_Click()
{
    modHelp::OpenSoftwareSuitePage();
}

void frmNagScreen2::cmdClose_Click()
{
    emit exitAsked();
}

void frmNagScreen2::cmdSubmit_Click()
{
    SendReferral(modTellAFriend::StoreValues(boxText(txtName), boxText(txtEmail), boxText(txtMessage),
                                             boxText(txtFriendName), boxText(txtFriendEmail)));
}

void frmNagScreen2::SendReferral(const modTellAFriend::Referral &values)
{
    const modTellAFriend::Request request = modTellAFriend::ReferralRequest(values);
    if (!request.refusal.isEmpty()) {
        MsgBox::showInputError(this, request.refusal);
        return;
    }
    modTellAFriend::OpenReferralRequest(request.address);
}

void frmNagScreen2::txtEmail_KeyPress(int &KeyAscii)
{
    refuseSpace(txtEmail, KeyAscii);
}

void frmNagScreen2::txtFriendEmail_KeyPress(int &KeyAscii)
{
    refuseSpace(txtFriendEmail, KeyAscii);
}

void frmNagScreen2::refuseSpace(QWidget *box, int &KeyAscii)
{
    if (KeyAscii != ' ')
        return;
    MsgBox::showInputError(this, tr(kEmailSpaceRefused));
    KeyAscii = TypedText::kRefused;
    box->setFocus();
}

bool frmNagScreen2::eventFilter(QObject *watched, QEvent *event)
{
    if (filterFocus(watched, event) || filterEmailInput(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool frmNagScreen2::filterFocus(QObject *watched, QEvent *event)
{
    const bool entered = event->type() == QEvent::FocusIn;
    if (!entered && event->type() != QEvent::FocusOut)
        return false;
    // Another window taking the focus or handing it back is no move between
    // the controls of this screen.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;

    for (const auto &[box, placeholder] : placeholderBoxes()) {
        if (watched == box)
            entered ? clearPlaceholder(box, placeholder) : restorePlaceholder(box, placeholder);
    }
    // The box still handles its own focus change.
    return false;
}

bool frmNagScreen2::filterEmailInput(QObject *watched, QEvent *event)
{
    if (watched != txtEmail && watched != txtFriendEmail)
        return false;
    return TypedText::filter(watched, event, [this, watched](const QString &typed, bool) {
        if (typed.size() != 1)
            return false;
        int KeyAscii = typed.at(0).unicode();
        watched == txtEmail ? txtEmail_KeyPress(KeyAscii) : txtFriendEmail_KeyPress(KeyAscii);
        return KeyAscii == TypedText::kRefused;
    });
}
