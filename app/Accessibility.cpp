#include "app/Accessibility.h"

#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMetaObject>
#include <QRadioButton>
#include <QWidget>

namespace {

// The drawn buttons are plain widgets to Qt; without this a screen reader
// meets them as nameless panels that cannot be pressed.
class DrawnButtonAccessible : public QAccessibleWidget {
public:
    explicit DrawnButtonAccessible(QWidget *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        QString value = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && value.isEmpty())
            value = widget()->property("Caption").toString().remove(QLatin1Char('&'));
        return value;
    }

    QStringList actionNames() const override
    {
        return widget()->isEnabled() ? QStringList {pressAction()} : QStringList {};
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            QMetaObject::invokeMethod(widget(), "click");
    }
};

QAccessibleInterface *drawnButtonFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String(TGradBtn::staticMetaObject.className())
        || className == QLatin1String(TQuilButton1::staticMetaObject.className()))
        return new DrawnButtonAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

struct Caption {
    const char *objectName;
    const char *name; // empty: the control's own changing caption is its name
    const char *description;
};

// The read-back boxes and the drill's boxes are named after the label a
// sighted learner reads beside them; buttons whose caption changes with the
// direction keep the caption as their name.
const Caption Captions[] = {
    {"Level", "Level", "The level being drilled: the number of most used words"},
    {"WordGroup", "Word group", "The word group being drilled"},
    {"NewAll", "New or all words", "Whether only the words new at this level are asked, or all words up to it"},
    {"NumTrials", "Trials", "How many answers have been judged"},
    {"Score", "Score", "The share of right answers, in percent"},
    {"Label2", "", "Label of the trial count"},
    {"Label1", "", "Label of the score"},
    {"Edit1", "Question", "The word to translate"},
    {"AnswerBox", "Answer choices", "Pick the translation among the four choices"},
    {"Answer", "Answer", "Type the translation here; the verdict appears here after each answer"},
    {"Reset1", "Reset", "Sets the trial count and the score back to zero"},
    {"GradBtn1", "Repeat", "Says the English word of the question aloud"},
    {"Button2", "New Question", "Skips to the next word without counting a trial"},
    {"OstrelButton1", "Peek", "Shows the expected answer for a moment"},
    {"Button1", "Check", "Judges the typed answer; Enter presses it"},
    {"Accenta", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"AcuteA", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"TildeA", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"Tilden", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"Accente", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"AcuteE", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"accenti", "", "Appends its accented letter, or its English verb start, to the answer"},
    // These four append their letter in both directions, also when their caption is empty.
    {"Accento", "ó", "Appends the letter ó to the answer"},
    {"AcuteO", "ô", "Appends the letter ô to the answer"},
    {"TildeO", "õ", "Appends the letter õ to the answer"},
    {"Accentu", "ú", "Appends the letter ú to the answer"},
    {"MainMenu1", "Menu bar", "Every command and setting of the drill; Alt opens it"},
};

// Installed before any window exists: a control's interface is made the first
// time anything (a state change of a disabled button, say) asks for it, and then kept.
const bool factoryInstalled = [] {
    QAccessible::installFactory(drawnButtonFactory);
    return true;
}();

} // namespace

void applyAccessibleNames(QWidget *window)
{
    window->setAccessibleName(window->windowTitle());
    window->setAccessibleDescription(QStringLiteral("Vocabulary drill: the 1000 most used English words"));
    for (const Caption &caption : Captions) {
        auto *control = window->findChild<QWidget *>(QString::fromLatin1(caption.objectName));
        if (!control)
            continue;
        if (*caption.name)
            control->setAccessibleName(QString::fromUtf8(caption.name));
        control->setAccessibleDescription(QString::fromUtf8(caption.description));
    }
    // The four choices speak their changing texts, and their place: Orca 43 says
    // a radio button's position only where the learner has asked for every position.
    if (auto *choices = window->findChild<QWidget *>(QStringLiteral("AnswerBox"))) {
        const QList<QRadioButton *> all = choices->findChildren<QRadioButton *>();
        for (qsizetype i = 0; i < all.size(); ++i)
            all[i]->setAccessibleDescription(QStringLiteral("%1 of %2").arg(i + 1).arg(all.size()));
    }
}
