// A frame drawn the classic desktop way: an etched border with the caption
// set into its top edge, over the frame's own background colour.
#pragma once

#include <QGroupBox>

class FrameBox : public QGroupBox
{
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};
