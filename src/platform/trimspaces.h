// Trimming as the program means it everywhere: only spaces are removed from
// the ends of a text; tabs and line breaks stay.
#pragma once

#include <QString>

inline QString TrimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}
