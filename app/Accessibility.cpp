#include "app/Accessibility.h"

#include <QWidget>

void applyAccessibleNames(QWidget *window)
{
    Q_UNUSED(window);
}
