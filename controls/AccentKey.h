#pragma once

#include <QPushButton>

// A key of the accent row: a push button that gives its caption the whole
// face inside the bevel (the toolkit's padding would clip "he_(she_it)" on
// the key drawn for it) and lets the caption's font give way where even that
// is too narrow.
class AccentKey : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    QRect captionRect() const;
    QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
