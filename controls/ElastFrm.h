#pragma once

#include <QObject>

class QWidget;

// Keeps a form's controls and fonts proportional to the form's size.
class TElasticForm : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int DesignScreenWidth MEMBER m_designScreenWidth)
    Q_PROPERTY(int DesignScreenHeight MEMBER m_designScreenHeight)

public:
    explicit TElasticForm(QWidget *owner);

private:
    int m_designScreenWidth = 0;
    int m_designScreenHeight = 0;
};
