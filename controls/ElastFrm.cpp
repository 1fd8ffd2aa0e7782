#include "ElastFrm.h"

#include <QWidget>

TElasticForm::TElasticForm(QWidget *owner)
    : QObject(owner)
{
}
