// The one place where the program shows a message box, so that tests can
// record each box and answer it instead of a person.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QtGlobal>

#include <functional>

namespace MsgBox {

// The title of every message box of the program.
inline constexpr char kApplicationTitle[] = QT_TRANSLATE_NOOP("MsgBox", "Orvel Biblical Numerology");

struct Request {
    QWidget *parent = nullptr;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows a modal box titled with the application title and returns the answer.
QMessageBox::StandardButton show(const Request &request);

// A refused input: critical icon, a single OK button.
void showInputError(QWidget *parent, const QString &text);

// Tests answer the boxes themselves; an empty handler brings back the real
// box. Returns the handler that was in place.
using Handler = std::function<QMessageBox::StandardButton(const Request &)>;
Handler setHandler(Handler handler);

}  // namespace MsgBox
