#include "accessibility.h"

#include "accessiblelineedit.h"
#include "clickablelabel.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QVariant>

namespace {

constexpr char kRoleProperty[] = "orvelAccessibleRole";

// A link label: read as a link by its own text, and followed by the screen
// reader's press as by a click.
class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(ClickableLabel *label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }

    // Named by its own words: Qt would name a link in a frame after the frame.
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? label()->text() : name;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            emit label()->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    ClickableLabel *label() const { return static_cast<ClickableLabel *>(widget()); }
};

QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    // Asked once per class of the object's ancestry, most derived first: the
    // role set on the object itself wins over anything its class would give.
    if (className == QLatin1StringView(object->metaObject()->className())) {
        const QVariant role = object->property(kRoleProperty);
        if (role.isValid())
            return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    }
    if (className == QLatin1StringView("ClickableLabel"))
        return new LinkAccessible(static_cast<ClickableLabel *>(widget));
    if (className == QLatin1StringView("QLineEdit"))
        return new AccessibleLineEdit(static_cast<QLineEdit *>(widget));
    return nullptr;
}

}  // namespace

namespace Accessibility {

void install()
{
    QAccessible::installFactory(makeInterface);
}

void setRole(QWidget *widget, QAccessible::Role role)
{
    widget->setProperty(kRoleProperty, static_cast<int>(role));
}

}  // namespace Accessibility
