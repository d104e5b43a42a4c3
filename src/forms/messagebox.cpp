#include "messagebox.h"

#include <utility>

namespace MsgBox {
namespace {

Handler &handler()
{
    static Handler current;
    return current;
}

}  // namespace

QMessageBox::StandardButton show(const Request &request)
{
    if (handler())
        return handler()(request);
    QMessageBox box(request.icon, QString::fromLatin1(kApplicationTitle), request.text,
                    request.buttons, request.parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void showInputError(QWidget *parent, const QString &text)
{
    show({parent, text, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok});
}

Handler setHandler(Handler newHandler)
{
    return std::exchange(handler(), std::move(newHandler));
}

}  // namespace MsgBox
