#include "FitText.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {

bool fits(const QFont &font, const QString &text, QSizeF room, int flags)
{
    const QSizeF size = textSize(font, text, flags);
    return size.width() <= room.width() && size.height() <= room.height();
}

// The font's size in its own unit, points unless it was given in pixels.
qreal sizeOf(const QFont &font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : qreal(font.pixelSize());
}

void setSize(QFont &font, qreal size)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(size);
    else
        font.setPixelSize(std::max(1, int(std::floor(size))));
}

} // namespace

qreal grownMargin(const QFont &font, qreal pixels, qreal designPoints)
{
    // A font given in pixels counts at the design's 96 dots per inch.
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    return std::max(pixels, pixels * points / designPoints);
}

QSizeF textSize(const QFont &font, const QString &text, int flags)
{
    const QFontMetricsF metrics(font);
    const QSizeF size = metrics.size(Qt::TextSingleLine | flags, text);
    // An empty caption still takes a line's height.
    return {size.width(), std::max(size.height(), metrics.height())};
}

QFont fittedFont(const QFont &font, const QString &text, QSizeF room, int flags)
{
    if (fits(font, text, room, flags) || room.width() <= 0 || room.height() <= 0)
        return font;
    // Text size is nearly proportional to the font size; start from the
    // ratio and step down for the hinting that proportion misses. Sizes go
    // in half units, so that captions share fonts (each size of a face is
    // loaded once, at a cost).
    const QSizeF needed = textSize(font, text, flags);
    const qreal ratio = std::min(room.width() / needed.width(), room.height() / needed.height());
    constexpr qreal Step = 0.5;
    qreal size = std::floor(sizeOf(font) * ratio / Step) * Step;
    QFont smaller = font;
    for (; size > Step; size -= Step) {
        setSize(smaller, size);
        if (fits(smaller, text, room, flags))
            return smaller;
    }
    setSize(smaller, Step);
    return smaller;
}
