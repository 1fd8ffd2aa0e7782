#include "ChoiceButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <cmath>

#include "controls/FitText.h"

namespace {

constexpr int CaptionFlags = Qt::TextShowMnemonic;

} // namespace

int ChoiceButton::edge() const
{
    // Room left of the circle and right of the caption: a pixel at the answer
    // box's 12 points, growing with the font.
    return qRound(grownMargin(font(), 1, 12));
}

int ChoiceButton::indicatorSize() const
{
    // About the height of a capital letter and a half: 14 pixels beside a
    // 16-pixel font, as the desktop's own radio buttons have.
    return std::max(8, int(std::lround(fontMetrics().height() * 0.75)));
}

QRect ChoiceButton::indicatorRect() const
{
    const int size = indicatorSize();
    return {edge(), (height() - size) / 2, size, size};
}

int ChoiceButton::captionLeft() const
{
    // A third of the circle's size between the circle and the caption.
    return edge() + indicatorSize() * 4 / 3;
}

QRect ChoiceButton::captionRect() const
{
    const int left = captionLeft();
    return {left, 0, std::max(0, width() - left - edge()), height()};
}

QFont ChoiceButton::captionFont() const
{
    return fittedFont(font(), text(), captionRect().size(), CaptionFlags);
}

QSize ChoiceButton::sizeHint() const
{
    const QSizeF caption = textSize(font(), text(), CaptionFlags);
    return {captionLeft() + int(std::ceil(caption.width())) + edge(),
            std::max(indicatorSize(), int(std::ceil(caption.height()))) + 2};
}

QSize ChoiceButton::minimumSizeHint() const
{
    // The row's width is the group's; a long text gives way rather than widen it.
    return {indicatorSize() * 2, sizeHint().height()};
}

bool ChoiceButton::hitButton(const QPoint &position) const
{
    return rect().contains(position);
}

void ChoiceButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton circle = option;
    circle.rect = indicatorRect();
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, circle);

    const QRect caption = captionRect();
    painter.setFont(captionFont());
    painter.drawItemText(caption, Qt::AlignLeft | Qt::AlignVCenter | CaptionFlags, palette(), isEnabled(), text(),
                         QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.fontMetrics()
                         .boundingRect(caption, Qt::AlignLeft | Qt::AlignVCenter | CaptionFlags, text())
                         .adjusted(-1, 0, 1, 0)
                         .intersected(rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
