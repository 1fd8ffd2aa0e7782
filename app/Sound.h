#pragma once

// The window's sound: its two cues, and the way to the audio module that
// plays them and says the English words (audio/Output.h).

#include "vocabulary/WordGroups.h"

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <string_view>

class QWidget;

namespace audio {
class Output;

// The output in use: one that a test installed, else the audio module
// (loaded now if it is not yet), else silence.
Output &output();

// Installs a replacement (nullptr: the module again); returns the previous one.
Output *install(Output *output);

// Loads the audio module at the first key or mouse press in the window, so
// that the sound is ready when the press's command plays a cue.
void loadOnFirstInput(QWidget *window);

// The file of the loaded audio module; empty while none is loaded.
QString moduleFile();

// Says an English text of the word data (Windows-1252) as the word of its
// group: Repeat.
void sayEnglish(std::string_view english, vocabulary::Group group);

// The phones that sayEnglish() says for it, word by word ("Y UW1 Z").
QStringList phonesSaid(std::string_view english, vocabulary::Group group);

} // namespace audio

// A cue of the window: a short recording that play() starts without waiting
// for its end.
class SoundCue : public QObject {
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)

public:
    explicit SoundCue(QObject *parent = nullptr);

    QUrl source() const { return m_source; }
    void setSource(const QUrl &source);

public slots:
    void play();

signals:
    void sourceChanged();

private:
    QUrl m_source;
};
