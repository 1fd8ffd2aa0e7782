#include "GradBtn.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "controls/FitText.h"

QColor resolveColor(quint32 value, const QPalette &palette)
{
    if ((value >> 24) != 0x80)
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    switch (value & 0xFF) {
    case 5: // COLOR_WINDOW
        return palette.color(QPalette::Active, QPalette::Base);
    case 8: // COLOR_WINDOWTEXT
        return palette.color(QPalette::Active, QPalette::WindowText);
    case 10: // COLOR_ACTIVEBORDER
    case 15: // COLOR_BTNFACE
        return palette.color(QPalette::Active, QPalette::Button);
    case 13: // COLOR_HIGHLIGHT
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 14: // COLOR_HIGHLIGHTTEXT
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 16: // COLOR_BTNSHADOW
        return palette.color(QPalette::Active, QPalette::Dark);
    case 17: // COLOR_GRAYTEXT
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case 18: // COLOR_BTNTEXT
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case 20: // COLOR_BTNHIGHLIGHT
        return palette.color(QPalette::Active, QPalette::Light);
    case 21: // COLOR_3DDKSHADOW
        return palette.color(QPalette::Active, QPalette::Shadow);
    case 22: // COLOR_3DLIGHT
        return palette.color(QPalette::Active, QPalette::Midlight);
    default: // an unknown index reads as black, as the system's own lookup does
        return Qt::black;
    }
}

namespace {

struct Scheme
{
    quint32 disabledColor;
    quint32 beginColor;
    quint32 endColor;
    const char *fontFamily;
    int fontPoints;
    bool bold;
    quint32 fontColor;
    TGradBtn::TGradientStyle gradientStyle;
    TGradBtn::TShadeType shadeType;
    TGradBtn::TTextStyle textStyle;
    quint32 txtHiliteClr;
    quint32 txtShadowClr;
    quint32 btnHiliteClr;
    quint32 btnShadowClr;
};

// Indexed by TPreset.
const std::array<Scheme, 6> schemes = {{
    {0x808080, 0x800000, 0xFFFF00, "MS Sans Serif", 8, false, 0x000000, TGradBtn::gsVertCenter, TGradBtn::stLight,
     TGradBtn::tsRaised, 0x80000014, 0x80000010, 0x80000014, 0x80000010},
    {0x00BBBB, 0x00FFFF, 0x008080, "Arial", 10, true, 0x00BBBB, TGradBtn::gsVertical, TGradBtn::stHeavy,
     TGradBtn::tsRaised, 0xBFFFFF, 0x007171, 0xB3FFFF, 0x616161},
    {0x008080, 0x000000, 0x00FF00, "Courier", 8, false, 0x008000, TGradBtn::gsRectangle, TGradBtn::stLight,
     TGradBtn::tsRaised, 0xACFFAC, 0x004000, 0x80000014, 0x80000010},
    {0x808080, 0xCECECE, 0x5F5F5F, "Times New Roman", 10, true, 0x000000, TGradBtn::gsVertical, TGradBtn::stHeavy,
     TGradBtn::tsInset, 0x80000014, 0x80000010, 0xFFFFFF, 0x000000},
    {0x808080, 0x00FFFF, 0x0000FF, "MS Sans Serif", 8, true, 0x000040, TGradBtn::gsHorizontal, TGradBtn::stHeavy,
     TGradBtn::tsRaised, 0xCFE7E6, 0x0058B0, 0x80000014, 0x80000010},
    {0x008080, 0xCEFFFF, 0x92C2C2, "Verdana", 9, false, 0x000080, TGradBtn::gsElliptic, TGradBtn::stLight,
     TGradBtn::tsNormal, 0xEFFFFF, 0x92C2C2, 0xEFFFFF, 0x92C2C2},
}};

// Step i of n from one colour to the other, per channel begin + i * delta / n
// at 64-bit width, truncated toward zero.
class Ramp
{
public:
    Ramp(quint32 begin, quint32 end)
    {
        for (int c = 0; c < 3; ++c) {
            m_begin[c] = int((begin >> (8 * c)) & 0xFF);
            m_delta[c] = int((end >> (8 * c)) & 0xFF) - m_begin[c];
        }
    }

    QColor at(qint64 i, qint64 n) const
    {
        // n is 0 only on a button narrower or lower than 2 pixels; it then shows the begin colour.
        int rgb[3];
        for (int c = 0; c < 3; ++c)
            rgb[c] = m_begin[c] + (n == 0 ? 0 : int(i * m_delta[c] / n));
        return QColor(rgb[0], rgb[1], rgb[2]);
    }

private:
    int m_begin[3];
    int m_delta[3];
};

void fillSpan(QPainter &painter, int left, int top, int right, int bottom, const QColor &color)
{
    if (right > left && bottom > top)
        painter.fillRect(QRect(left, top, right - left, bottom - top), color);
}

} // namespace

TGradBtn::TGradBtn(QWidget *parent)
    : QWidget(parent)
{
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
    // The face covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

QString TGradBtn::displayCaption(const QString &caption)
{
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&x" shows x underlined and "&&" one "&", wherever they stand; a last lone "&" shows.
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        result += caption[i];
    }
    return result;
}

QString TGradBtn::mnemonicCaption(const QString &caption)
{
    qsizetype ampersands = 0;
    while (ampersands < caption.size() && caption[caption.size() - 1 - ampersands] == QLatin1Char('&'))
        ++ampersands;
    return ampersands % 2 ? caption + QLatin1Char('&') : caption;
}

void TGradBtn::setColor(quint32 &member, quint32 value)
{
    if (member != value) {
        member = value;
        update();
    }
}

void TGradBtn::setDisabledColor(quint32 color) { setColor(m_disabledColor, color); }
void TGradBtn::setBtnHiliteClr(quint32 color) { setColor(m_btnHiliteClr, color); }
void TGradBtn::setBtnShadowClr(quint32 color) { setColor(m_btnShadowClr, color); }
void TGradBtn::setTxtHiliteClr(quint32 color) { setColor(m_txtHiliteClr, color); }
void TGradBtn::setTxtShadowClr(quint32 color) { setColor(m_txtShadowClr, color); }
void TGradBtn::setBeginColor(quint32 color) { setColor(m_beginColor, color); }
void TGradBtn::setEndColor(quint32 color) { setColor(m_endColor, color); }
void TGradBtn::setFontColor(quint32 color) { setColor(m_fontColor, color); }

void TGradBtn::setBtnFrameSize(int size)
{
    // Leave at least a 10-pixel face inside the frame.
    if (size == m_btnFrameSize || size > width() / 2 - 5 || size > height() / 2 - 5)
        return;
    m_btnFrameSize = size;
    update();
}

void TGradBtn::setGradientStyle(TGradientStyle style)
{
    if (style != m_gradientStyle) {
        m_gradientStyle = style;
        update();
    }
}

void TGradBtn::setTextStyle(TTextStyle style)
{
    if (style != m_textStyle) {
        m_textStyle = style;
        update();
    }
}

void TGradBtn::setTextShadeType(TShadeType type)
{
    if (type != m_textShadeType) {
        m_textShadeType = type;
        update();
    }
}

void TGradBtn::setJustification(TJustification justification)
{
    if (justification != m_justification) {
        m_justification = justification;
        update();
    }
}

void TGradBtn::setCaption(const QString &caption)
{
    if (caption != m_caption) {
        m_caption = caption;
        updateShortcut();
        update();
    }
}

void TGradBtn::setPresets(TPreset preset)
{
    // A scheme is a design-time shortcut for setting many properties at once;
    // at run time the assignment is ignored.
    if (!m_designing || preset < None || preset > BrassedOff)
        return;
    const Scheme &s = schemes[preset];
    m_disabledColor = s.disabledColor;
    m_beginColor = s.beginColor;
    m_endColor = s.endColor;
    QFont schemeFont(QString::fromLatin1(s.fontFamily), s.fontPoints, s.bold ? QFont::Bold : QFont::Normal);
    setFont(schemeFont);
    m_fontColor = s.fontColor;
    m_gradientStyle = s.gradientStyle;
    m_textShadeType = s.shadeType;
    m_textStyle = s.textStyle;
    m_txtHiliteClr = s.txtHiliteClr;
    m_txtShadowClr = s.txtShadowClr;
    m_btnHiliteClr = s.btnHiliteClr;
    m_btnShadowClr = s.btnShadowClr;
    if (preset == BrassedOff)
        m_swapColors = false;
    m_preset = preset;
    update();
}

void TGradBtn::updateShortcut()
{
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    const QKeySequence mnemonic = QKeySequence::mnemonic(m_caption);
    m_shortcutId = mnemonic.isEmpty() ? 0 : grabShortcut(mnemonic);
}

bool TGradBtn::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        if (static_cast<QShortcutEvent *>(event)->shortcutId() == m_shortcutId && isEnabled()) {
            click();
            return true;
        }
    }
    return QWidget::event(event);
}

void TGradBtn::click()
{
    if (!isEnabled())
        return;
    if (!m_up) {
        m_clickRestored = true;
        popUp();
    }
    // Put the raised face on screen before any handler runs; a handler that
    // opens a message box would otherwise leave the button looking pressed.
    repaint();
    emit clicked();
}

void TGradBtn::press(Qt::MouseButton button)
{
    if (!m_up)
        return;
    setFocus(Qt::MouseFocusReason);
    if (button == Qt::LeftButton) {
        m_up = false;
        m_swapped = m_swapColors;
        if (m_swapped)
            std::swap(m_beginColor, m_endColor);
    }
    update();
}

void TGradBtn::popUp()
{
    // Exchange the colours back only if the press exchanged them, so that
    // toggling SwapColors while the button is held cannot leave them swapped.
    if (m_swapped)
        std::swap(m_beginColor, m_endColor);
    m_swapped = false;
    m_up = true;
    update();
}

void TGradBtn::release()
{
    if (m_clickRestored) {
        m_clickRestored = false;
        return;
    }
    if (!m_up)
        popUp();
}

void TGradBtn::pointerCrossed(bool inside)
{
    if (inside == m_pointerInside)
        return;
    m_pointerInside = inside;
    // Dragging a held button out raises it, dragging it back lowers it again.
    if (m_leftHeld) {
        if (inside)
            press(Qt::LeftButton);
        else
            release();
    }
    if (inside)
        emit mouseEntered();
    else
        emit mouseLeft();
}

void TGradBtn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_leftHeld = true;
        m_pointerInside = true;
    }
    press(event->button());
}

void TGradBtn::mouseMoveEvent(QMouseEvent *event)
{
    // While a button is held Qt keeps the mouse grabbed and sends no enter or
    // leave events, so the crossings are found here.
    if (m_leftHeld)
        pointerCrossed(rect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TGradBtn::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_leftHeld) {
        m_leftHeld = false;
        if (rect().contains(event->position().toPoint()))
            click();
    }
    release();
}

void TGradBtn::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TGradBtn::enterEvent(QEnterEvent *event)
{
    pointerCrossed(true);
    QWidget::enterEvent(event);
}

void TGradBtn::leaveEvent(QEvent *event)
{
    pointerCrossed(false);
    QWidget::leaveEvent(event);
}

void TGradBtn::focusInEvent(QFocusEvent *event)
{
    if (!m_designing)
        update();
    QWidget::focusInEvent(event);
}

void TGradBtn::focusOutEvent(QFocusEvent *event)
{
    if (!m_designing)
        update();
    QWidget::focusOutEvent(event);
}

void TGradBtn::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        // A disabled widget gets no release, so a held button would stay down.
        if (!isEnabled()) {
            m_leftHeld = false;
            m_clickRestored = false;
            if (!m_up)
                popUp();
        }
        update();
    } else if (event->type() == QEvent::FontChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void TGradBtn::paintEvent(QPaintEvent *)
{
    if (width() <= 0 || height() <= 0)
        return;
    composeFace();
    QPainter painter(this);
    painter.drawImage(0, 0, m_face);
}

void TGradBtn::composeFace()
{
    if (m_face.size() != size()) {
        m_face = QImage(size(), QImage::Format_RGB32);
        // Fonts given in points must measure as they do on the widget.
        m_face.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
        m_face.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    }
    QPainter painter(&m_face);
    paintGradient(painter);
    paintFrame(painter);
    paintCaption(painter);
    painter.end();
    paintFocus();
}

void TGradBtn::paintGradient(QPainter &painter)
{
    const qint64 w = width();
    const qint64 h = height();
    const Ramp ramp(m_beginColor, m_endColor);

    switch (m_gradientStyle) {
    case gsHorizontal:
        for (int i = 0; i < 256; ++i)
            fillSpan(painter, int(i * w / 256), 0, int((i + 1) * w / 256), int(h), ramp.at(i, 255));
        break;
    case gsVertical:
        for (int i = 0; i < 256; ++i)
            fillSpan(painter, 0, int(i * h / 256), int(w), int((i + 1) * h / 256), ramp.at(i, 255));
        break;
    case gsElliptic: {
        const int left = -int(w / 3);
        const int top = -int(h / 3);
        const qint64 boxWidth = w + 2 * (w / 3);
        const qint64 boxHeight = h + 2 * (h / 3);
        painter.setPen(Qt::NoPen);
        for (int i = 0; i <= 50; ++i) {
            const int dx = int(boxWidth * i / 100);
            const int dy = int(boxHeight * i / 100);
            const QRect box(left + dx, top + dy, int(boxWidth) - 2 * dx, int(boxHeight) - 2 * dy);
            if (box.width() <= 0 || box.height() <= 0)
                break;
            painter.setBrush(ramp.at(i, 50));
            painter.drawEllipse(box);
        }
        painter.setPen(Qt::SolidLine);
        painter.setBrush(Qt::NoBrush);
        break;
    }
    case gsRectangle: {
        const double sx = double(w) / 2 / 255;
        const double sy = double(h) / 2 / 255;
        for (int i = 0; i < 256; ++i) {
            // Edges from the step count rather than summed steps, which would
            // drift by the last bit and miss the centre row.
            const double dx = (i + 1) * sx;
            const double dy = (i + 1) * sy;
            fillSpan(painter, int(dx), int(dy), int(double(w + 2) - dx), int(double(h + 2) - dy), ramp.at(i, 255));
        }
        break;
    }
    case gsVertCenter: {
        const int half = int(h / 2);
        for (int i = 0; i <= half; ++i) {
            const QColor color = ramp.at(i, half);
            fillSpan(painter, 0, i, int(w), i + 1, color);
            fillSpan(painter, 0, int(h) - 1 - i, int(w), int(h) - i, color);
        }
        break;
    }
    case gsHorizCenter: {
        const int half = int(w / 2);
        for (int i = 0; i <= half; ++i) {
            const QColor color = ramp.at(i, half);
            fillSpan(painter, i, 0, i + 1, int(h), color);
            fillSpan(painter, int(w) - 1 - i, 0, int(w) - i, int(h), color);
        }
        break;
    }
    }
}

void TGradBtn::paintFrame(QPainter &painter)
{
    const QColor light = resolveColor(m_btnHiliteClr, palette());
    const QColor dark = resolveColor(m_btnShadowClr, palette());
    const QColor &topLeft = m_up ? light : dark;
    const QColor &bottomRight = m_up ? dark : light;
    // Nested one-pixel rings; in each the top row but its last pixel and the
    // left column but its last pixel are light, the right column and the
    // bottom row, corners included, are dark.
    for (int k = 0; k < m_btnFrameSize; ++k) {
        const int left = k;
        const int top = k;
        const int right = width() - 1 - k;
        const int bottom = height() - 1 - k;
        if (right < left || bottom < top)
            break;
        fillSpan(painter, left, top, right, top + 1, topLeft);
        fillSpan(painter, left, top, left + 1, bottom, topLeft);
        fillSpan(painter, right, top, right + 1, bottom + 1, bottomRight);
        fillSpan(painter, left, bottom, right + 1, bottom + 1, bottomRight);
    }
}

qreal TGradBtn::captionMargin() const
{
    // Two pixels each side at the drill's 8 points keep the relief and the
    // pressed offset on the face; as the font grows, the margin grows with it.
    return grownMargin(font(), 2, 8);
}

QFont TGradBtn::captionFont() const
{
    const qreal side = captionMargin();
    return fittedFont(font(), mnemonicCaption(m_caption), QSizeF(width() - 2 * side, height() - side), Qt::TextShowMnemonic);
}

void TGradBtn::paintCaption(QPainter &painter)
{
    const int w = width();
    const int h = height();
    const int pressed = m_up ? 0 : 1;
    const QString shown = displayCaption(m_caption);
    painter.setFont(captionFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const int textHeight = metrics.height();
    const int textWidth = metrics.horizontalAdvance(shown);

    const int side = qRound(captionMargin());
    int baseX = (w - textWidth) / 2;
    Qt::Alignment align = Qt::AlignHCenter;
    if (m_justification == jLeft) {
        baseX = side;
        align = Qt::AlignLeft;
    } else if (m_justification == jRight) {
        baseX = w - textWidth - side;
        align = Qt::AlignRight;
    }
    const int baseY = (h - textHeight) / 2;

    auto layer = [&](const QColor &color, int offset) {
        const QPoint at(baseX + offset + pressed, baseY + offset + pressed);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
        // Measured as drawn: "A&&B" shows, and is centred as, "A&B".
        const QString drawn = mnemonicCaption(m_caption);
        const QRect measured = metrics.boundingRect(QRect(at, QSize(0, 0)), flags, drawn);
        painter.setPen(color);
        painter.drawText(QRect(at, measured.size()),
                         int(align) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextDontClip,
                         drawn);
    };

    const QColor font = resolveColor(m_fontColor, palette());
    const QColor hilite = resolveColor(m_txtHiliteClr, palette());
    const QColor shadow = resolveColor(m_txtShadowClr, palette());
    const bool heavy = m_textShadeType == stHeavy;
    if (!isEnabled() || m_textStyle == tsInset) {
        if (heavy)
            layer(shadow, -1);
        layer(hilite, 1);
        layer(isEnabled() ? font : readableDisabledColor(), 0);
    } else if (m_textStyle == tsRaised) {
        layer(hilite, -1);
        if (heavy)
            layer(shadow, 1);
        layer(font, 0);
    } else {
        layer(font, 0);
    }
}

// The disabled colour, darkened where it would fade into the light end of
// the gradient (a light grey on white), so that the caption stays readable.
QColor TGradBtn::readableDisabledColor() const
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](qreal v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const qreal background = std::max(luminance(resolveColor(m_beginColor, palette())),
                                      luminance(resolveColor(m_endColor, palette())));
    constexpr qreal ReadableContrast = 3.0;
    QColor color = resolveColor(m_disabledColor, palette());
    // A caption lighter than the whole gradient stands out already.
    const auto fades = [&](const QColor &c) {
        const qreal l = luminance(c);
        return l <= background && (background + 0.05) / (l + 0.05) < ReadableContrast;
    };
    for (int step = 0; step < 20 && fades(color); ++step)
        color = color.darker(115);
    return color;
}

void TGradBtn::paintFocus()
{
    if (m_designing || !m_showFocus || !hasFocus())
        return;
    // A dotted ring from (2, 2) to (W - 2, H - 2), right and bottom exclusive:
    // every other dot inverted, so it shows on any gradient. It grows with the
    // button: k times the design's height makes the dots, the line and its
    // distance from the edge k pixels, so that it is seen at every size.
    const int k = std::max(1, qRound(height() / qreal(FocusDesignHeight)));
    const int left = 2 * k;
    const int top = 2 * k;
    const int right = width() - 2 * k - 1;
    const int bottom = height() - 2 * k - 1;
    if (right < left || bottom < top)
        return;
    for (int y = top; y <= bottom; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(m_face.scanLine(y));
        const bool acrossTheRing = y < top + k || y > bottom - k;
        for (int x = left; x <= right; ++x)
            if ((acrossTheRing || x < left + k || x > right - k) && (x / k + y / k) % 2 == 0)
                line[x] ^= 0x00FFFFFF;
    }
}
