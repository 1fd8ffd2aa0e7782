#pragma once

#include <QLabel>

// A one-line label whose font gives way when the label is narrower than its
// text: a rescaled window can grow fonts a little faster than the room
// between controls, and the text must neither be clipped nor run into its
// neighbour.
class FittingLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
