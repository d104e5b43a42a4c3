// The program's style: Fusion, except that the menu bar's overflow arrow is
// read from its image files only when it is first drawn.
#pragma once

#include <QProxyStyle>

class ProgramStyle : public QProxyStyle
{
    Q_OBJECT
public:
    ProgramStyle();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
