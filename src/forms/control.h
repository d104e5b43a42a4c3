// Making a form's control: a child of its container, named after itself so
// that tests and the accessibility tree find it, at its designed place.
#pragma once

#include <QLatin1StringView>
#include <QRect>
#include <QWidget>

template <typename Widget>
Widget *placeControl(QWidget *container, const char *name, const QRect &geometry)
{
    auto *widget = new Widget(container);
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(geometry);
    return widget;
}
