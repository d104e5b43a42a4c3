// A form's control found as a person or a screen reader knows it: by the
// object name it carries ("txtName", "lblResult_0"), never by a member.
#pragma once

#include <QObject>
#include <QString>

#include <cstdio>
#include <cstdlib>

// form may be anything that points to the form: a pointer, a QPointer, a unique_ptr.
template <typename Control, typename Form>
Control *control(const Form &form, const char *name)
{
    const QObject *object = &*form;
    auto *found = object->template findChild<Control *>(QString::fromLatin1(name));
    if (!found) {
        // Every test of the form would be wrong from here on.
        std::fprintf(stderr, "%s has no control %s of the type asked for\n", qPrintable(object->objectName()), name);
        std::abort();
    }
    return found;
}
