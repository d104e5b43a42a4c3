// Making a form's control: a child of its container, named after itself so
// that tests and the accessibility tree find it, at its designed place.
#pragma once

#include "twips.h"

#include <QLatin1StringView>
#include <QRect>
#include <QWidget>

#include <cstring>
#include <span>

// One row of a form's layout table: a control's name, its container's name and
// its designed rectangle in twips. An auto-sized control keeps only the top
// left corner; its size follows its text.
struct ControlPlace {
    const char *name;
    const char *container;
    int left;
    int top;
    int width;
    int height;
    bool autoSize = false;

    constexpr QRect rect() const { return Twips::rect(left, top, width, height); }
};

// The designed rectangle of the named control in a layout table.
inline QRect designedRect(std::span<const ControlPlace> layout, const char *name)
{
    for (const ControlPlace &place : layout) {
        if (std::strcmp(place.name, name) == 0)
            return place.rect();
    }
    Q_ASSERT_X(false, "designedRect", name);
    return {};
}

template <typename Widget>
Widget *placeControl(QWidget *container, const char *name, const QRect &geometry)
{
    auto *widget = new Widget(container);
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(geometry);
    return widget;
}
