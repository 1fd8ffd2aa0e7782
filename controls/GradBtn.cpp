#include "GradBtn.h"

#include <QMouseEvent>
#include <QPainter>

static QColor fromColorRef(quint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TGradBtn::TGradBtn(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void TGradBtn::setCaption(const QString &caption)
{
    if (caption != m_caption) {
        m_caption = caption;
        update();
    }
}

void TGradBtn::setBeginColor(quint32 color)
{
    if (color != m_beginColor) {
        m_beginColor = color;
        update();
    }
}

void TGradBtn::setEndColor(quint32 color)
{
    if (color != m_endColor) {
        m_endColor = color;
        update();
    }
}

void TGradBtn::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, fromColorRef(m_down ? m_endColor : m_beginColor));
    gradient.setColorAt(0.5, fromColorRef(m_down ? m_beginColor : m_endColor));
    gradient.setColorAt(1, fromColorRef(m_down ? m_endColor : m_beginColor));
    painter.fillRect(rect(), gradient);
    painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : palette().color(QPalette::Disabled, QPalette::Text));
    QString text = m_caption;
    painter.drawText(rect(), Qt::AlignCenter, text.remove(QLatin1Char('&')));
}

void TGradBtn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_down = true;
        setFocus(Qt::MouseFocusReason);
        update();
    }
}

void TGradBtn::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_down) {
        m_down = false;
        update();
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
}
