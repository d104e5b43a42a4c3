// What a screen reader is told beyond Qt's own accessibility: roles that Qt
// has no setter for, and link labels that read and act as links.
#pragma once

#include <QAccessible>

class QWidget;

namespace Accessibility {

// Installs the factory that makes the interfaces below. Call once, after the
// QApplication exists and before any window is made: an interface is made
// once per widget, the first time a screen reader asks for it.
void install();

// Gives a widget the role a screen reader reads it by, where its class
// gives another. Call before the widget is first shown.
void setRole(QWidget *widget, QAccessible::Role role);

}  // namespace Accessibility
