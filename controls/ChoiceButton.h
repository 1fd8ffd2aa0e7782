#pragma once

#include <QRadioButton>

// One item of a radio group as a row: the whole row is its button, its circle
// grows with its text, and its caption font gives way where a text is longer
// than the row holds (the caption always shows whole).
class ChoiceButton : public QRadioButton
{
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

    // Where the circle and the caption are drawn, and the caption's font.
    QRect indicatorRect() const;
    QRect captionRect() const;
    QFont captionFont() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool hitButton(const QPoint &position) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    int edge() const;
    int indicatorSize() const;
    int captionLeft() const;
};
