#pragma once

// Helpers for tests that drive the drill window through its object names.

#include "app/Platform.h"
#include "app/Sound.h"
#include "app/TForm1.h"
#include "audio/Output.h"
#include "tests/FixedRandom.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>

// Records every message box and answers the Yes/No ones from a script (Yes by default).
class RecordingBoxes : public platform::MessageBoxes
{
public:
    RecordingBoxes() { m_previous = install(this); }
    ~RecordingBoxes() override { install(m_previous); }

    void inform(QWidget *, const QString &text) override { messages << text; }
    bool confirm(QWidget *, const QString &text) override
    {
        messages << text;
        ++confirmations;
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    QStringList messages;
    QList<bool> answers;
    int confirmations = 0;

private:
    MessageBoxes *m_previous = nullptr;
};

// Records the cues played and the texts said, in their order ("cue:..." or "say:...").
class RecordingSound : public audio::Output
{
public:
    RecordingSound() { m_previous = audio::install(this); }
    ~RecordingSound() override { audio::install(m_previous); }

    void playCue(const QUrl &source) override { events << QStringLiteral("cue:") + source.toString(); }
    void say(const QString &text) override { events << QStringLiteral("say:") + text; }

    QStringList events;

private:
    audio::Output *m_previous = nullptr;
};

struct Window
{
    Window()
        : form(std::make_unique<TForm1>())
    {
        random = new FixedRandom;
        form->setRandomSource(std::unique_ptr<drill::RandomSource>(random));
    }

    // The start-up activation, as the first activation of the window runs it.
    void start() { form->FormActivate(); }

    template<typename T = QObject>
    T *find(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }
    QAction *action(const char *name) const { return find<QAction>(name); }
    void trigger(const char *name) const { action(name)->trigger(); }
    QString text(const char *name) const
    {
        if (auto *line = find<QLineEdit>(name))
            return line->text();
        return find<QTextEdit>(name)->toPlainText();
    }
    QList<QRadioButton *> choices() const { return find<QGroupBox>("AnswerBox")->findChildren<QRadioButton *>(); }

    // Clicks the right choice (or, with wrong, the first wrong one).
    void choose(bool right = true) const
    {
        const int place = form->ChoiceOrder.value(right ? 0 : 1).toInt();
        choices()[place]->click();
    }

    // Runs what a timer would run when it expires.
    void expire(QTimer *timer) const
    {
        if (timer == form->Timer1)
            form->Erase();
        else
            form->NewQuestion();
    }

    RecordingSound sound; // first, so that it outlives the window
    std::unique_ptr<TForm1> form;
    FixedRandom *random = nullptr;
};
