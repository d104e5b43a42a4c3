// The exit screen (frmNagScreen2 is its original name), shown when the main
// window closes: a plea to visit the maker's site, the refer-a-friend box,
// and the Exit that asks to end the program.
#pragma once

#include <QWidget>

#include <array>
#include <functional>

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
    QLabel *Label1 = nullptr;               // the program's name and version, large
    QLabel *Label2 = nullptr;               // one of four pleas to visit the forum, drawn at load
    QLabel *Picture1 = nullptr;             // the program icon
    QPushButton *Check1 = nullptr;          // a check box drawn as a push button: opens the maker's home page
    QPushButton *cmdClose = nullptr;        // "E&xit": asks to end the program
    QGroupBox *Frame2 = nullptr;            // "Refer A Friend", the five boxes and their button
    QLineEdit *txtName = nullptr;           // the user's own name
    QPushButton *cmdSubmit = nullptr;       // checks the five values and opens the referral request on the maker's site
    QLineEdit *txtEmail = nullptr;          // the user's own e-mail address
    QLineEdit *txtFriendEmail = nullptr;    // the friend's e-mail address
    QLineEdit *txtFriendName = nullptr;     // the friend's name
    QPlainTextEdit *txtMessage = nullptr;   // the message, below the frame's visible area
    QGroupBox *Frame6 = nullptr;            // "Download Gleamware", the column on the right
    QLabel *Label3 = nullptr;               // what the maker's other programs are
    ClickableLabel *lblGoToHome = nullptr;  // opens the page of the maker's other programs

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
