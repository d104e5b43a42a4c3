// Making a form's control from its row of the form's layout table: a child of
// its container, named after itself so that tests and the accessibility tree
// find it, at its designed place, set up, and sized to what it shows where
// the design says so.
#pragma once

#include "appearance.h"
#include "twips.h"

#include <QColor>
#include <QFont>
#include <QLatin1StringView>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <string_view>

// One row of a form's layout table: a control's name, its container's name and
// its designed rectangle in twips. An auto-sized control keeps only the top
// left corner; its size follows its text or picture.
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

// The row of the named control, looked up while compiling: a name that the
// table does not hold stops the build at the call.
template <std::size_t N>
consteval const ControlPlace &layoutRow(const ControlPlace (&layout)[N], std::string_view name)
{
    for (const ControlPlace &place : layout) {
        if (std::string_view(place.name) == name)
            return place;
    }
    throw "no control of this name in the layout table";
}

// Whether every row's container is the root that the form's controls are made
// in or a control of the table; checked with static_assert.
template <std::size_t N>
consteval bool containersArePlaced(const ControlPlace (&layout)[N], std::string_view root)
{
    for (const ControlPlace &place : layout) {
        bool found = std::string_view(place.container) == root;
        for (const ControlPlace &other : layout)
            found = found || std::string_view(place.container) == other.name;
        if (!found)
            return false;
    }
    return true;
}

// The widget that a row names as its container: root itself or one of its
// descendants. Ends the program when there is none, since the form would be
// built wrong.
QWidget *containerOf(QWidget *root, const ControlPlace &row);

// Makes the control of a row in root, the widget that the form's controls are
// made in: a child of the row's container, named and placed as the row says.
// setUp gives it its look and text; an auto-sized control then takes the
// size of what it shows.
template <typename Widget, typename SetUp>
Widget *makeControl(QWidget *root, const ControlPlace &row, const SetUp &setUp)
{
    auto *widget = new Widget(containerOf(root, row));
    widget->setObjectName(QLatin1StringView(row.name));
    widget->setGeometry(row.rect());
    setUp(widget);
    if (row.autoSize)
        widget->adjustSize();
    return widget;
}

template <typename Widget>
Widget *makeControl(QWidget *root, const ControlPlace &row)
{
    return makeControl<Widget>(root, row, [](Widget *) {});
}

// The set-up of a label: its plain text in a font and colour, on one line or
// broken between words.
struct LabelText {
    QString text;
    QFont font;
    QColor colour;
    bool wordWrap = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;  // a label's own

    // A template, since a link label's setText is its own.
    template <typename Label>
    void operator()(Label *label) const
    {
        label->setTextFormat(Qt::PlainText);
        label->setFont(font);
        Appearance::setTextColour(label, colour);
        label->setWordWrap(wordWrap);
        label->setAlignment(alignment);
        label->setText(text);
    }
};
