#pragma once

// A main window laid out like the drill window: the same named controls at
// the same design geometry and fonts on a 553 x 361 client area, a menu bar
// outside it, and a radio group whose buttons are laid out by the group. The elastic tests and the benchmark rescale it.

#include "controls/ElastFrm.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QString>
#include <QTextEdit>
#include <QVBoxLayout>

#include <vector>

struct DesignControl
{
    const char *name;
    QRect bounds;
    int fontPoints;
};

// The controls of the drill window, in the order the window creates them.
inline const std::vector<DesignControl> &drillControls()
{
    static const std::vector<DesignControl> controls{
        {"Level", {0, 0, 175, 30}, 14},
        {"WordGroup", {184, 0, 175, 30}, 14},
        {"NewAll", {368, 0, 175, 30}, 14},
        {"Label2", {168, 48, 42, 18}, 12},
        {"NumTrials", {213, 40, 110, 30}, 14},
        {"Label1", {328, 48, 46, 18}, 12},
        {"Score", {376, 40, 110, 30}, 14},
        {"Reset1", {496, 40, 50, 30}, 8},
        {"Edit1", {8, 80, 241, 113}, 14},
        {"AnswerBox", {256, 72, 284, 121}, 12},
        {"Answer", {8, 200, 537, 73}, 14},
        {"Accenta", {1, 280, 45, 32}, 10},
        {"AcuteA", {48, 280, 45, 32}, 10},
        {"TildeA", {95, 280, 45, 32}, 10},
        {"Tilden", {142, 280, 65, 32}, 10},
        {"Accente", {210, 280, 45, 32}, 10},
        {"AcuteE", {259, 280, 55, 32}, 10},
        {"accenti", {316, 280, 45, 32}, 10},
        {"Accento", {363, 280, 45, 32}, 10},
        {"AcuteO", {409, 280, 45, 32}, 10},
        {"TildeO", {456, 280, 45, 32}, 10},
        {"Accentu", {502, 280, 45, 32}, 10},
        {"GradBtn1", {184, 320, 80, 22}, 8},
        {"Button2", {272, 320, 80, 22}, 8},
        {"OstrelButton1", {360, 320, 80, 22}, 8},
        {"Button1", {448, 320, 80, 41}, 13},
    };
    return controls;
}

inline QFont arialPoints(int points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    return font;
}

class DrillLikeForm : public QMainWindow
{
public:
    // Without `withComponent` the caller creates the TElasticForm itself.
    explicit DrillLikeForm(bool withComponent = true)
    {
        setObjectName(QStringLiteral("Form1"));
        menuBar()->addMenu(QStringLiteral("Exit"));
        menuBar()->addMenu(QStringLiteral("Levels"));
        auto *client = new QWidget(this);
        setCentralWidget(client);

        for (const DesignControl &design : drillControls()) {
            const QString name = QString::fromLatin1(design.name);
            QWidget *widget = nullptr;
            if (name == QLatin1String("Edit1") || name == QLatin1String("Answer")) {
                widget = new QTextEdit(client);
            } else if (name.startsWith(QLatin1String("Label"))) {
                widget = new QLabel(name, client);
            } else if (name == QLatin1String("AnswerBox")) {
                auto *group = new QGroupBox(QStringLiteral("Answer?"), client);
                auto *column = new QVBoxLayout(group);
                // Named, as a window may name them to find them; the group's
                // layout places them, so the component must leave them alone.
                for (int i = 1; i <= 4; ++i) {
                    auto *choice = new QRadioButton(QStringLiteral("palavra %1").arg(i), group);
                    choice->setObjectName(QStringLiteral("choice%1").arg(i));
                    column->addWidget(choice);
                }
                widget = group;
            } else if (name.contains(QLatin1String("Btn")) || name.startsWith(QLatin1String("Button"))
                       || name.startsWith(QLatin1String("Reset")) || name.startsWith(QLatin1String("Ostrel"))
                       || name.startsWith(QLatin1String("Acc")) || name.startsWith(QLatin1String("acc"))
                       || name.startsWith(QLatin1String("Acute")) || name.startsWith(QLatin1String("Tilde"))) {
                widget = new QPushButton(name, client);
            } else {
                widget = new QLineEdit(client);
            }
            widget->setObjectName(name);
            widget->setFont(arialPoints(design.fontPoints));
            widget->setGeometry(design.bounds);
        }
        resizeClientTo(553, 361);

        if (withComponent) {
            elastic = new TElasticForm(this);
            applyDrillDesign(elastic);
        }
    }

    // The design values the drill window gives its component.
    static void applyDrillDesign(TElasticForm *component)
    {
        component->setObjectName(QStringLiteral("ElasticForm1"));
        component->setProperty("DesignScreenWidth", 808);
        component->setProperty("DesignScreenHeight", 580);
        component->setProperty("DesignPixelsPerInch", 96);
        component->setProperty("MaximumTrackWidth", 1280);
        component->setProperty("MaximumTrackHeight", 1024);
        component->setProperty("DesignFormWidth", 561);
        component->setProperty("DesignFormHeight", 428);
        component->setProperty("DesignFormClientWidth", 553);
        component->setProperty("DesignFormClientHeight", 361);
        component->setProperty("DesignFormLeft", 327);
        component->setProperty("DesignFormTop", 155);
        component->setProperty("Version", 601);
        component->setProperty("Font", arialPoints(8));
    }

    void resizeClientTo(int width, int height)
    {
        resize(width, height + menuBar()->sizeHint().height());
    }

    QWidget *control(const char *name) const
    {
        return findChild<QWidget *>(QString::fromLatin1(name));
    }

    TElasticForm *elastic = nullptr;
};
