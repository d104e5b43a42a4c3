// The exit screen, shown when the main window closes: a plea to visit the
// maker's site, the refer-a-friend box, and the Exit that asks to end the program.
#pragma once

#include "control.h"

#include <QWidget>

#include <array>
#include <functional>
#include <span>

class ClickableLabel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
namespace modTellAFriend {
struct Referral;
}

class frmNagScreen2 : public QWidget
{
    Q_OBJECT
public:
    // A draw in [0, 1) that picks the message; by default the program's
    // generator, reseeded from the clock.
    using RandomDraw = std::function<float()>;

    // A top-level window that deletes itself when closed; show it with show().
    explicit frmNagScreen2(const RandomDraw &draw = {});
    ~frmNagScreen2() override;

    // Where the controls are placed when the screen is made, by name.
    static std::span<const ControlPlace> Layout();

    // Which of the four messages a draw r picks.
    static int MessageIndex(float r);

signals:
    // The screen is closing, however it was closed; the program ends then.
    void closed();
    // "E&xit" was pressed.
    void exitAsked();

private:
    // The controls are the window's own; tests find them by their objectName.
    // Each container's controls listed from back to front, the order in which they are stacked.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Picture1 = nullptr;
    QPushButton *Check1 = nullptr;
    QPushButton *cmdClose = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLineEdit *txtName = nullptr;
    QPushButton *cmdSubmit = nullptr;
    QLineEdit *txtEmail = nullptr;
    QLineEdit *txtFriendEmail = nullptr;
    QLineEdit *txtFriendName = nullptr;
    QPlainTextEdit *txtMessage = nullptr;
    QGroupBox *Frame6 = nullptr;
    QLabel *Label3 = nullptr;
    ClickableLabel *lblGoToHome = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void buildReferFriendBox();
    void buildSuiteColumn();
    void connectHandlers();

    // A box of the refer-a-friend frame and the text it shows while it holds nothing else.
    struct PlaceholderBox {
        QWidget *box;
        const char *placeholder;
    };
    std::array<PlaceholderBox, 5> placeholderBoxes() const;

    void Form_Load(const RandomDraw &draw);
    void Form_Unload();
    void Check1_Click();
    void lblGoToHome_Click();
    void cmdClose_Click();
    void cmdSubmit_Click();
    // Refuses the values with the first check's message, or opens their request.
    void SendReferral(const modTellAFriend::Referral &values);

    void txtEmail_KeyPress(int &KeyAscii);
    void txtFriendEmail_KeyPress(int &KeyAscii);

    bool filterFocus(QObject *watched, QEvent *event);
    bool filterEmailInput(QObject *watched, QEvent *event);
    void refuseSpace(QWidget *box, int &KeyAscii);
};
