#include "QuilBtn1.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "controls/FitText.h"
#include "controls/GradBtn.h"

namespace {

// Indexed by Status * 2 + Style.
const char *const pictureNames[4] = {"BUTTON2A", "BUTTON1A", "BUTTON2B", "BUTTON1B"};

const QColor focusLineColor(0x80, 0x80, 0x80);
const QColor disabledCaptionColor(0xFF, 0xFF, 0x00);

// An axis-parallel line that, like a pen moved to `from` and drawn to `to`,
// leaves out its end point, where the next segment starts.
void drawSegment(QPainter &painter, QPoint from, QPoint to)
{
    if (from.y() == to.y()) {
        const int step = to.x() > from.x() ? 1 : -1;
        for (int x = from.x(); x != to.x(); x += step)
            painter.fillRect(QRect(x, from.y(), 1, 1), focusLineColor);
    } else if (from.x() == to.x()) {
        const int step = to.y() > from.y() ? 1 : -1;
        for (int y = from.y(); y != to.y(); y += step)
            painter.fillRect(QRect(from.x(), y, 1, 1), focusLineColor);
    }
}

} // namespace

TQuilButton1::TQuilButton1(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setFixedHeight(FixedHeight);
    resize(91, FixedHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);

    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPointSize(13);
    captionFont.setBold(true);
    setFont(captionFont);

    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral(":/controls/pictures/") + QLatin1String(pictureNames[i]);
        const QImage loaded(name + QStringLiteral(".bmp"));
        if (!loaded.isNull())
            m_pictures[i] = loaded.convertToFormat(QImage::Format_RGB32);
        QImage doubled(name + QStringLiteral("@2x.bmp"));
        if (!doubled.isNull()) {
            doubled = doubled.convertToFormat(QImage::Format_RGB32);
            doubled.setDevicePixelRatio(2);
            m_doublePictures[i] = doubled;
        }
    }

    m_hasFocus = hasFocus();
    // Enter and Escape must reach the button wherever the focus is in its
    // window, before the focused control takes them as ordinary keys.
    qApp->installEventFilter(this);
}

void TQuilButton1::setButtonStyle(TButtonStyle style)
{
    if (style != m_style) {
        m_style = style;
        update();
    }
}

void TQuilButton1::setStatus(TButtonState status)
{
    // Setting the state from code ends a mouse press, which then cannot click.
    m_tracking = false;
    if (status != m_status) {
        m_status = status;
        update();
    }
}

void TQuilButton1::setCaption(const QString &caption)
{
    if (caption != m_caption) {
        m_caption = caption;
        updateShortcut();
        update();
    }
}

void TQuilButton1::setFontColor(quint32 color)
{
    if (color != m_fontColor) {
        m_fontColor = color;
        update();
    }
}

void TQuilButton1::click()
{
    if (!isEnabled())
        return;
    QWidget *form = window();
    if (form != this) {
        form->setProperty("ModalResult", m_modalResult);
        if (auto *dialog = qobject_cast<QDialog *>(form)) {
            dialog->setResult(m_modalResult);
            // A modal dialog whose result is set ends, once the click's own
            // handlers have run (they may still take the result back).
            if (m_modalResult != 0 && dialog->isModal())
                QTimer::singleShot(0, dialog, [dialog] {
                    if (dialog->isVisible() && dialog->result() != 0)
                        dialog->done(dialog->result());
                });
        }
    }
    emit clicked();
}

QFont TQuilButton1::captionFont() const
{
    return fittedFont(font(), m_caption, QSizeF(width() - 12, FixedHeight - 11), Qt::TextShowMnemonic);
}

QImage TQuilButton1::shownPicture(TButtonState status, TButtonStyle style) const
{
    return onBackground(picture(status, style), style);
}

QImage TQuilButton1::onBackground(QImage image, TButtonStyle style) const
{
    if (style != bsOnGray || image.isNull())
        return image;
    // The grey pictures were drawn for a grey window; their background takes
    // the colour of whatever the button sits on, so no grey box shows.
    const QWidget *behind = parentWidget() ? parentWidget() : this;
    const QRgb background = behind->palette().color(behind->backgroundRole()).rgb();
    const QRgb drawnOn = image.pixel(image.width() - 1, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == drawnOn)
                line[x] = background;
    }
    return image;
}

bool TQuilButton1::canTakeFocus() const
{
    // isEnabled() and isVisible() already account for every parent.
    return isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus;
}

bool TQuilButton1::containsInclusive(const QPointF &position) const
{
    return position.x() >= 0 && position.x() <= width() && position.y() >= 0 && position.y() <= height();
}

void TQuilButton1::updateShortcut()
{
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    const QKeySequence mnemonic = QKeySequence::mnemonic(m_caption);
    m_shortcutId = mnemonic.isEmpty() ? 0 : grabShortcut(mnemonic);
}

bool TQuilButton1::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        if (static_cast<QShortcutEvent *>(event)->shortcutId() == m_shortcutId && canTakeFocus()) {
            click();
            return true;
        }
    }
    return QWidget::event(event);
}

bool TQuilButton1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget *>(watched)->window() != window())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // The keypad Enter carries the keypad modifier; only these three count.
    if (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool escape = key->key() == Qt::Key_Escape;
    if ((enter && (m_default || hasFocus()) && canTakeFocus()) || (escape && m_cancel && canTakeFocus())) {
        click();
        return true;
    }
    return false;
}

void TQuilButton1::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        setStatus(bsOn);
        m_tracking = true;
    }
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void TQuilButton1::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && m_tracking) {
        // Not through setStatus: following the pointer must not end tracking.
        const TButtonState status = containsInclusive(event->position()) ? bsOn : bsOff;
        if (status != m_status) {
            m_status = status;
            update();
        }
    }
    QWidget::mouseMoveEvent(event);
}

void TQuilButton1::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_tracking)
        return;
    setStatus(bsOff);
    if (containsInclusive(event->position()))
        click();
}

void TQuilButton1::setFocusFlag(bool focused)
{
    if (focused != m_hasFocus) {
        m_hasFocus = focused;
        update();
    }
}

void TQuilButton1::focusInEvent(QFocusEvent *event)
{
    setFocusFlag(true);
    QWidget::focusInEvent(event);
}

void TQuilButton1::focusOutEvent(QFocusEvent *event)
{
    setFocusFlag(false);
    QWidget::focusOutEvent(event);
}

void TQuilButton1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        // A disabled widget gets no release; a held button would stay pressed.
        if (!isEnabled() && m_tracking)
            setStatus(bsOff);
        update();
    } else if (event->type() == QEvent::FontChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void TQuilButton1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A screen of more device pixels to the point gets the pictures drawn at
    // twice the size, not the small ones enlarged.
    const int index = m_status * 2 + m_style;
    const bool sharper = devicePixelRatioF() > 1 && !m_doublePictures[index].isNull();
    const QImage image = onBackground(sharper ? m_doublePictures[index] : m_pictures[index], m_style);
    const int scale = sharper ? 2 : 1; // the picture's pixels to a column or row below
    painter.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() != scale);
    const int w = width();
    const int h = FixedHeight;
    if (image.isNull())
        painter.fillRect(rect(), palette().window());

    // Left end of the disc, then its middle columns stretched over the extra
    // width, then its right end with the shadow.
    const auto columns = [scale](int left, int count, int height) {
        return QRect(left * scale, 0, count * scale, height * scale);
    };
    painter.drawImage(QRect(0, 0, 16, h), image, columns(0, 16, h));
    // The middle stretches columns 16 and 17, which are alike; at twice the
    // size the middle two of their four, since the disc's edge, drawn finer,
    // crosses the outer two, and a step would show halfway along the face.
    const int middle = qMax(0, w - 36);
    const QRect stretched = sharper ? QRect(33, 0, 2, 2 * h) : columns(16, 2, h);
    if (middle > 0)
        painter.drawImage(QRect(16, 0, middle, h), image, stretched);
    // The right end is 20 columns from column 18, one more than the 37-column
    // pictures hold: the last one repeats column 36, background in all four.
    painter.drawImage(QRect(middle + 16, 0, 19, h), image, columns(18, 19, h));
    painter.drawImage(QRect(middle + 35, 0, 1, h), image, columns(36, 1, h));

    painter.setFont(captionFont());
    painter.setPen(isEnabled() ? resolveColor(m_fontColor, palette()) : disabledCaptionColor);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    // Pressed, the caption and the focus corner move 5 right and 5 down with the disc.
    if (m_status == bsOff) {
        if (m_hasFocus) {
            drawSegment(painter, {w - 16, 4}, {7, 4});
            drawSegment(painter, {7, 4}, {7, h - 16});
        }
        painter.drawText(QRect(0, 0, w - 8, h - 11), flags, m_caption);
    } else {
        if (m_hasFocus) {
            drawSegment(painter, {w - 11, 9}, {12, 9});
            drawSegment(painter, {12, 9}, {12, h - 11});
        }
        painter.drawText(QRect(5, 5, w - 8, h - 11), flags, m_caption);
    }
}
