#include "FittingLabel.h"

#include <QPainter>
#include <QStyle>

#include "controls/FitText.h"

QFont FittingLabel::captionFont() const
{
    return fittedFont(font(), text(), contentsRect().size());
}

void FittingLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(captionFont());
    style()->drawItemText(&painter, contentsRect(), int(alignment()) | Qt::TextSingleLine, palette(), isEnabled(),
                          text(), foregroundRole());
}
