#pragma once

// What the window asks of the desktop's sound: the two cues and the spoken
// word. The window talks to this interface only. The implementation is a
// module (zolport_audio) loaded when the learner first presses a key or a
// button, so that starting the drill does not pay for the sound libraries;
// the speech synthesizer is a module of its own (zolport_speech), so that the
// cues still sound where no synthesizer is installed.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtPlugin>

namespace audio {

class Output {
public:
    virtual ~Output() = default;
    // Starts a short recording (a resource URL) and returns at once. Playing
    // a source again while it sounds starts it over.
    virtual void playCue(const QUrl &source) = 0;
    // Says a text aloud and returns at once; whatever was being said stops.
    // A word may carry its phones in braces (Synthesizer::synthesize()).
    virtual void say(const QString &text) = 0;
    // The phones say() says for each word of a text ("Y UW1 Z"); none
    // without a voice.
    virtual QStringList phones(const QString &) { return {}; }
};

// Speech as 16-bit mono samples.
struct Speech {
    int sampleRate = 0;
    QByteArray samples;
};

class Synthesizer {
public:
    virtual ~Synthesizer() = default;
    // Engine and voice, as a console line names them.
    virtual QString voiceName() const = 0;
    // The text said, from its first sound on; no samples when the voice
    // could not say it. A word may be followed by the phones it is said with,
    // in braces: "I use{y uw1 z}".
    virtual Speech synthesize(const QString &text) = 0;
    // The phones said for each word of the text, "Y UW1 Z" (vowels carry their
    // syllable's stress), through the same path as synthesize().
    virtual QStringList phones(const QString &text) = 0;
};

} // namespace audio

#define ZolportAudioOutput_iid "org.zolport.audio.Output/1"
#define ZolportAudioSynthesizer_iid "org.zolport.audio.Synthesizer/2"
Q_DECLARE_INTERFACE(audio::Output, ZolportAudioOutput_iid)
Q_DECLARE_INTERFACE(audio::Synthesizer, ZolportAudioSynthesizer_iid)
