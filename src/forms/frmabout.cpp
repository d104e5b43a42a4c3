#include "frmabout.h"

#include "appearance.h"
#include "clickablelabel.h"
#include "commandbutton.h"
#include "control.h"
#include "modhelp.h"
#include "twips.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

using Appearance::Underline;
using Appearance::verdana;
using Appearance::Weight;

namespace {

const QColor kBackground(0x00, 0x40, 0x00);
const QColor kDescription(0x6B, 0xED, 0x9C);
const QColor kLink(0x00, 0xFF, 0xFF);
const QColor kOffer(0xFF, 0xFF, 0x80);

const char kDescriptionText[] = QT_TRANSLATE_NOOP(
    "frmAbout", "Orvel Biblical Numerology shows the correspondence between your name and the verses of the Holy "
                "Bible. It helps a person to understand his or her own personality and to improve himself or "
                "herself, based on the knowledge that is found in the holy scriptures. All rights to this "
                "software are reserved by Gleamware.");

const char kOfferText[] = QT_TRANSLATE_NOOP(
    "frmAbout", "Home Business Opportunity. Start your own Internet business and make money online. "
                "Get this software fully branded for your website.");

// Where each control of the box goes, all on the box itself, listed from back
// to front. The rule is the design's line from (-60, 2910) to (7200, 2910),
// two pixels thick, its lower pixel on that line. One control a row, so that
// the columns read downwards; clang-format would pack them.
// clang-format off
constexpr ControlPlace kLayout[] = {
    {"Label1", "frmAbout", 750, 390, 5745, 975},
    {"Label2", "frmAbout", 750, 120, 3675, 270, true},
    {"Line2", "frmAbout", -60, 2895, 7260, 30},
    {"lblCobrand", "frmAbout", 4200, 2415, 2295, 195, true},
    {"Label3", "frmAbout", 90, 1800, 6405, 615},
    {"lblHomePage", "frmAbout", 2445, 1365, 4050, 195, true},
    {"cmdOK", "frmAbout", 5235, 3000, 1260, 345},
    {"picIcon", "frmAbout", 90, 120, 480, 480, true},
};
// clang-format on
static_assert(containersArePlaced(kLayout, "frmAbout"));

}  // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Appearance::windowCaption());
    setWindowIcon(Appearance::programIcon());
    setFont(verdana(8.25));
    Appearance::paintBackground(this, kBackground);
    setFixedSize(Twips::toPixels(6585), Twips::toPixels(3390));

    const QFont link = verdana(8.25, Weight::Regular, Underline::Yes);
    Label1 = makeControl<QLabel>(this, layoutRow(kLayout, "Label1"),
                                 LabelText{tr(kDescriptionText), font(), kDescription, true});
    Label2 = makeControl<QLabel>(this, layoutRow(kLayout, "Label2"),
                                 LabelText{Appearance::windowCaption(), verdana(12, Weight::Bold), Qt::white});

    // The rule runs past both edges of the window, so it is simply clipped there.
    Line2 = makeControl<QFrame>(this, layoutRow(kLayout, "Line2"));
    Line2->setFrameShape(QFrame::NoFrame);
    Appearance::paintBackground(Line2, kDescription);

    lblCobrand = makeControl<ClickableLabel>(this, layoutRow(kLayout, "lblCobrand"),
                                             LabelText{tr("Click here for more details"), link, kLink});
    Label3 = makeControl<QLabel>(this, layoutRow(kLayout, "Label3"),
                                 LabelText{tr(kOfferText), verdana(8.25, Weight::Bold), kOffer, true});
    lblHomePage = makeControl<ClickableLabel>(
        this, layoutRow(kLayout, "lblHomePage"),
        LabelText{tr("Click here to visit %1").arg(modHelp::HomePage()), link, kLink});

    cmdOK = makeControl<CommandButton>(this, layoutRow(kLayout, "cmdOK"), [](CommandButton *button) {
        button->setText(tr("OK"));
        button->setFont(verdana(8.25, Weight::Bold));
    });
    cmdOK->setDefault(true);
    // Esc presses OK as well, so both keys close the box the same way.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cmdOK, &QPushButton::click);

    picIcon = makeControl<QLabel>(this, layoutRow(kLayout, "picIcon"), Appearance::showProgramIcon);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(lblHomePage, &ClickableLabel::clicked, this, &frmAbout::lblHomePage_Click);
    connect(lblCobrand, &ClickableLabel::clicked, this, &frmAbout::lblCobrand_Click);

    cmdOK->setFocus();
    Appearance::centreOnScreen(this);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::lblHomePage_Click()
{
    modHelp::OpenHomePage();
}

void frmAbout::lblCobrand_Click()
{
    // The offer text above the link is the fully-branded one, so that is its page.
    modHelp::OpenFullBrandPage();
}
