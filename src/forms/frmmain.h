// The main window: the input screen that takes a name, the result screen
// that shows its reading, the menu bar and the link labels.
#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <optional>

class Announcer;
class ClickableLabel;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);

    // The two promotion labels that share one place on the window.
    enum class Promotion { CoBrand, FullBrand };
    // Shows this promotion in front of the other.
    void BringToFront(Promotion promotion);

signals:
    // The window is closing, however it was closed; it is not shown again.
    void closed();

private:
    // The controls are the window's own; each carries its name as its
    // objectName ("lblResult_0" for lblResult[0]), by which tests and screen
    // readers find it.

    // Menu bar
    QMenu *mnuFile = nullptr;
    QAction *mnuCalculate = nullptr;
    QAction *mnuSep1 = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuOnline = nullptr;
    QAction *mnuVisit = nullptr;
    QAction *mnuSep2 = nullptr;
    QAction *mnuUpdate = nullptr;
    QAction *mnuSep3 = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuDonate = nullptr;
    QAction *mnuMakeMoney = nullptr;

    // On the window
    ClickableLabel *Label14 = nullptr;       // the forum's invitation at the top: opens the maker's home page
    QGroupBox *fraFullBrand = nullptr;       // the promotion strip at the bottom, behind both labels
    ClickableLabel *lblCobrand = nullptr;    // the co-branding offer: opens its page
    ClickableLabel *lblFullBrand = nullptr;  // the fully-branded offer, in the same place: opens its page

    // The input screen
    QFrame *fraMain = nullptr;          // the input screen itself
    QLabel *Picture1 = nullptr;         // the picture of the Bible
    QPushButton *cmdProceed = nullptr;  // "&Get My Biblical Numerology Reading"
    QLineEdit *txtName = nullptr;       // the name to read

    // The result screen
    QGroupBox *fraResult = nullptr;          // the result screen itself, in the input screen's place
    QPushButton *cmdBack = nullptr;          // "&Do It Once Again": back to the input screen
    QPlainTextEdit *txtSymbolism = nullptr;  // the verses of the reading, read-only
    std::array<QLabel *, 3> lblResult{};     // 0 the number, 1 the keyword, 2 the description

    // The fixed captions of both screens: 0 "Name", 1 to 4 the result
    // screen's headings, 5 the introduction above the name box.
    std::array<QLabel *, 6> lblLabel{};

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void buildPromotionStrip(QWidget *client);
    void buildInputScreen(QWidget *client);
    void buildResultScreen();
    void connectHandlers();
    void followFrontPromotion();
    void announceReading(const QString &number, const QString &keyword, const QString &description);

    void Form_Load();
    void Form_Unload();
    void txtName_KeyPress(int &KeyAscii);
    // The trimmed name when it can be read; otherwise tells the user and gives nothing.
    std::optional<QString> ValidateName();
    void cmdProceed_Click();
    void cmdBack_Click();
    void txtSymbolism_ClearClipboard();
    void mnuExit_Click();
    void mnuAbout_Click();

    bool filterNameKey(QEvent *event);

    // Tells a screen reader of each reading, since the focus stays where it is.
    Announcer *announcer = nullptr;
};
