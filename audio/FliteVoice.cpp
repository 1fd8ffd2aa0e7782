// The speech module: flite, a small synthesizer made for embedding, with its
// US English voice "slt". It works offline, needs no daemon, and says a word
// in a few tens of milliseconds. (Qt TextToSpeech 6.4's own flite plugin
// lists the voices but fails every say() with "Audio streaming error".)

#include "audio/Output.h"

#include <QObject>
#include <QRegularExpression>

#include <flite/flite.h>
#include <flite/flite_version.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

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
        cst_utterance *utterance = utteranceOf(text);
        cst_wave *wave = utterance ? utt_wave(utterance) : nullptr;
        if (wave && wave->num_channels == 1 && wave->sample_rate > 0) {
            int first = 0;
            while (first < wave->num_samples && std::abs(wave->samples[first]) <= SilenceLevel)
                ++first;
            first = std::max(0, first - wave->sample_rate * LeadInMs / 1000);
            speech.sampleRate = wave->sample_rate;
            speech.samples = QByteArray(reinterpret_cast<const char *>(wave->samples + first),
                                        qsizetype(wave->num_samples - first) * qsizetype(sizeof(short)));
        }
        if (utterance)
            delete_utterance(utterance);
        return speech;
    }

    QStringList phones(const QString &text) override
    {
        QStringList words;
        cst_utterance *utterance = utteranceOf(text);
        if (!utterance)
            return words;
        for (cst_item *word = relation_head(utt_relation(utterance, "Word")); word; word = item_next(word)) {
            QStringList said;
            for (cst_item *syllable = item_daughter(item_as(word, "SylStructure")); syllable;
                 syllable = item_next(syllable)) {
                const QString stress = QLatin1String(item_feat_string(syllable, "stress"));
                for (cst_item *phone = item_daughter(syllable); phone; phone = item_next(phone)) {
                    const bool vowel = QLatin1String(ffeature_string(phone, "ph_vc")) == QLatin1String("+");
                    said << QLatin1String(item_feat_string(phone, "name")).toString().toUpper()
                                + (vowel ? stress : QString());
                }
            }
            words << said.join(QLatin1Char(' '));
        }
        delete_utterance(utterance);
        return words;
    }

private:
    // The utterance, wave included, for a text in which a word may carry its
    // phones: "I use{y uw1 z}" says "use" as the verb, whatever flite's
    // tagger makes of it (after "I" it takes the noun).
    cst_utterance *utteranceOf(const QString &text) const
    {
        if (!m_voice || text.isEmpty())
            return nullptr;
        static const QRegularExpression marked(QStringLiteral("([A-Za-z']+)\\{([a-z0-9 ]+)\\}"));
        std::map<std::string, std::string> given;
        QString plain = text;
        for (const QRegularExpressionMatch &word : marked.globalMatch(text))
            given[word.captured(1).toLower().toStdString()] = word.captured(2).toStdString();
        plain.replace(marked, QStringLiteral("\\1"));
        const QByteArray latin1 = plain.toLatin1();
        cst_utterance *utterance = new_utterance();
        utt_set_input_text(utterance, latin1.constData());
        utt_init(utterance, m_voice);
        default_tokenization(utterance);
        for (cst_item *token = relation_head(utt_relation(utterance, "Token")); token; token = item_next(token)) {
            const auto phones = given.find(QString::fromLatin1(item_feat_string(token, "name")).toLower().toStdString());
            if (phones != given.end())
                item_set(token, "phones", val_readlist_string(phones->second.c_str()));
        }
        if (!utt_synth_tokens(utterance)) {
            delete_utterance(utterance);
            return nullptr;
        }
        return utterance;
    }

    cst_voice *m_voice = nullptr;
};

#include "FliteVoice.moc"
