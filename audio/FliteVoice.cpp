// The speech module: flite, a small synthesizer made for embedding, with its
// US English voice "slt". It works offline, needs no daemon, and says a word
// in a few tens of milliseconds. (Qt TextToSpeech 6.4's own flite plugin
// lists the voices but fails every say() with "Audio streaming error".)

#include "audio/Output.h"

#include <QObject>

#include <flite/flite.h>
#include <flite/flite_version.h>

#include <algorithm>
#include <cstdlib>

extern "C" cst_voice *register_cmu_us_slt(const char *voxdir);

namespace {

// A little slower than flite's normal pace, for learners.
constexpr float DurationStretch = 1.15f;

// The voice starts with about 0.2 s of silence; the sound begins where a
// sample first rises above this (of 32767), less a few milliseconds.
constexpr int SilenceLevel = 200;
constexpr int LeadInMs = 10;

} // namespace

class FliteVoice : public QObject, public audio::Synthesizer {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZolportAudioSynthesizer_iid)
    Q_INTERFACES(audio::Synthesizer)

public:
    FliteVoice()
    {
        flite_init();
        m_voice = register_cmu_us_slt(nullptr);
        if (m_voice)
            feat_set_float(m_voice->features, "duration_stretch", DurationStretch);
    }

    QString voiceName() const override
    {
        return QStringLiteral("flite %1 cmu_us_slt").arg(QLatin1String(FLITE_PROJECT_VERSION));
    }

    audio::Speech synthesize(const QString &text) override
    {
        audio::Speech speech;
        if (!m_voice || text.isEmpty())
            return speech;
        cst_wave *wave = flite_text_to_wave(text.toLatin1().constData(), m_voice);
        if (!wave)
            return speech;
        if (wave->num_channels == 1 && wave->sample_rate > 0) {
            int first = 0;
            while (first < wave->num_samples && std::abs(wave->samples[first]) <= SilenceLevel)
                ++first;
            first = std::max(0, first - wave->sample_rate * LeadInMs / 1000);
            speech.sampleRate = wave->sample_rate;
            speech.samples = QByteArray(reinterpret_cast<const char *>(wave->samples + first),
                                        qsizetype(wave->num_samples - first) * qsizetype(sizeof(short)));
        }
        delete_wave(wave);
        return speech;
    }

private:
    cst_voice *m_voice = nullptr;
};

#include "FliteVoice.moc"
