// The about box: names the program, says what it does, and links to the
// maker's home page and to the fully-branded offer. Run it with exec().
#pragma once

#include <QDialog>

class ClickableLabel;
class QFrame;
class QLabel;
class QPushButton;

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // The main window is the parent: the box stays over it and has no taskbar button.
    explicit frmAbout(QWidget *parent = nullptr);

private:
    // The controls are the box's own; tests find them by their objectName.
    // Listed from back to front, the order in which they are stacked.
    QLabel *Label1 = nullptr;               // what the program does, and who holds its rights
    QLabel *Label2 = nullptr;               // the program's name and version, large
    QFrame *Line2 = nullptr;                // the rule across the box above OK
    ClickableLabel *lblCobrand = nullptr;   // "Click here for more details": opens the fully-branded page
    QLabel *Label3 = nullptr;               // the fully-branded offer, above its link
    ClickableLabel *lblHomePage = nullptr;  // opens the maker's home page
    QPushButton *cmdOK = nullptr;           // closes the box; Enter and Esc press it
    QLabel *picIcon = nullptr;              // the program icon

private:
    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCobrand_Click();
};
