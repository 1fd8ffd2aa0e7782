#include "AccentKey.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "controls/FitText.h"

namespace {

constexpr int Bevel = 2; // the frame the style draws round the face
constexpr int CaptionFlags = Qt::TextShowMnemonic;

} // namespace

QRect AccentKey::captionRect() const
{
    return rect().adjusted(Bevel, Bevel, -Bevel, -Bevel);
}

QFont AccentKey::captionFont() const
{
    return fittedFont(font(), text(), captionRect().size(), CaptionFlags);
}

void AccentKey::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The bevel and the focus frame from the style, the caption our own.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setFont(captionFont());
    painter.drawItemText(captionRect(), Qt::AlignCenter | CaptionFlags, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}
