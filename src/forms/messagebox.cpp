#include "messagebox.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>

#include <utility>

namespace MsgBox {
namespace {

Handler &handler()
{
    static Handler current;
    return current;
}

// A window manager cuts a title that does not fit beside its icon and
// buttons; Qt sizes the box by its text, so a short text gave a box too
// narrow for its title. An empty row as wide as the bold title with room for
// an icon and three title-bar buttons keeps the box at least that wide.
void makeRoomForTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    // Each a square as high as a title bar, about one and a half lines of its font.
    const int titleBarButton = metrics.height() * 3 / 2;
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 4 * titleBarButton;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

QMessageBox::StandardButton show(const Request &request)
{
    if (handler())
        return handler()(request);
    QMessageBox box(request.icon, QCoreApplication::translate("MsgBox", kApplicationTitle), request.text,
                    request.buttons, request.parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    makeRoomForTitle(box);
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
