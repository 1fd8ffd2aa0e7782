#include "QuilBtn1.h"

#include <QMouseEvent>
#include <QPainter>

TQuilButton1::TQuilButton1(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void TQuilButton1::setCaption(const QString &caption)
{
    if (caption != m_caption) {
        m_caption = caption;
        update();
    }
}

void TQuilButton1::click()
{
    if (isEnabled())
        emit clicked();
}

void TQuilButton1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0xBD, 0xBD, 0xBD));
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(rect().adjusted(2, 2, -2, -2), height() / 2.0, height() / 2.0);
    painter.setPen(isEnabled() ? palette().color(QPalette::WindowText) : QColor(Qt::yellow));
    painter.setFont(font());
    QString text = m_caption;
    painter.drawText(rect().translated(m_down ? 1 : 0, m_down ? 1 : 0), Qt::AlignCenter, text.remove(QLatin1Char('&')));
}

void TQuilButton1::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_down = true;
        update();
    }
}

void TQuilButton1::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_down) {
        m_down = false;
        update();
        if (rect().contains(event->position().toPoint()))
            click();
    }
}
