// Tells a screen reader news that arrives while the focus stays where it is,
// such as a reading that comes to the front behind the button that asked for it.
#pragma once

#include <QWidget>

class Announcer : public QWidget
{
    Q_OBJECT
public:
    // An empty, unseen child of the window whose news it tells.
    explicit Announcer(QWidget *window);

    // Says the sentence, then the details; once per call.
    void announce(const QString &sentence, const QString &details);
};
