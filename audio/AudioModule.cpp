// The audio module: plays the cues and the spoken word through Qt
// Multimedia's audio output, one sink per sound.
//
// All of Qt Multimedia's work runs on a thread of its own: its PulseAudio
// backend waits for the server's answer with no time limit (a frozen server
// held the window for as long as it stayed frozen). The window only posts
// its requests; one that waited too long for the server is dropped.
//
// A sink stays open after its sound, until the same sound starts again. Qt
// 6.4's QSoundEffect closes its PulseAudio stream as soon as it has handed
// over the last bytes, and the server drops what it has not played yet: of a
// 60 ms cue, mostly everything (a recording heard 10 of 20 cues, most of
// them cut short). An open stream that runs out of data is drained instead,
// so the server plays it to the end.

#include "audio/Output.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBasicTimer>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMediaDevices>
#include <QMutex>
#include <QObject>
#include <QPluginLoader>
#include <QThread>
#include <QTimerEvent>
#include <QtEndian>

#include <dlfcn.h>

#include <atomic>
#include <cstdio>

#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace {

// The sound server's buffer for a stream: long enough for the UI thread
// that feeds it every 20 ms, short for a prompt start.
constexpr qint64 BufferMicroseconds = 150000;

// Qt 6.4 tries a sound server that went away once more, 3 s after it lost it,
// and no sink opens before then. A word asked for in that time is tried again
// this often, for this long, so that it is said once the server is back; a
// cue is not, as it belongs to the moment of its answer. (A server still away
// at Qt's one try is never tried again: the drill stays silent until it is
// started anew.)
constexpr int RetryMilliseconds = 100;
constexpr qint64 WordWaitMilliseconds = 4000;

// A cue belongs to the moment of its answer: one that could not start by
// then is dropped. The sound thread is given this long to let go of its
// sinks when the program ends.
constexpr qint64 CueWaitMilliseconds = 500;
constexpr unsigned long ReleaseWaitMilliseconds = 1000;

struct Sound {
    QAudioFormat format;
    QByteArray samples;
};

// One line on the console when the sound is lost, once a run; the drill
// goes on silently. Qt Multimedia itself writes a line for every stream that
// a vanished sound server takes with it, and for every later try to reach
// it (from the sound server's thread, too); those become that one line.
std::atomic_bool soundLostSaid = false;
QtMessageHandler previousHandler = nullptr;

void passOn(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void reportLostSound(const QMessageLogContext &context, QString why)
{
    if (soundLostSaid.exchange(true))
        return;
    if (why.startsWith(QLatin1Char('"')) && why.endsWith(QLatin1Char('"')))
        why = why.mid(1, why.size() - 2);
    passOn(QtWarningMsg, context, QStringLiteral("zolport: no sound: ") + why);
}

void filterSoundMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    static const QLatin1String qtSoundLines[]
        = {QLatin1String("Stream error:"), QLatin1String("PulseAudioService:"), QLatin1String("QAudioSink"),
           QLatin1String("pa_stream"), QLatin1String("No audio device detected")};
    const QStringView text = QStringView(message).mid(message.startsWith(QLatin1Char('"')) ? 1 : 0);
    for (const QLatin1String &line : qtSoundLines) {
        if (text.startsWith(line)) {
            reportLostSound(context, message);
            return;
        }
    }
    passOn(type, context, message);
}

void complainOnce(bool &said, const QString &line)
{
    if (std::exchange(said, true))
        return;
    qWarning("zolport: %s", qPrintable(line));
}

// The samples and format of an uncompressed PCM RIFF WAVE file.
std::optional<Sound> readWave(const QByteArray &file)
{
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(file.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(file.constData() + at); };
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    Sound sound;
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = u32(at + 4);
        const qsizetype body = at + 8;
        if (size > file.size() - body)
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            const int bits = u16(body + 14);
            if (u16(body) != 1 || (bits != 8 && bits != 16))
                return std::nullopt;
            sound.format.setChannelCount(u16(body + 2));
            sound.format.setSampleRate(int(u32(body + 4)));
            sound.format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            sound.samples = file.mid(body, size);
            return sound;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

QString resourcePath(const QUrl &source)
{
    if (source.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + source.path();
    return source.toLocalFile();
}

// Where this module lies: the speech module is its neighbour.
QString moduleDirectory()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<const void *>(&moduleDirectory), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

// Plays one sound at a time, each new one from its start.
class Channel {
public:
    ~Channel() { close(); }

    void play(const Sound &sound)
    {
        if (!m_sink || m_format != sound.format) {
            close();
            m_sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), sound.format);
            m_format = sound.format;
        }
        m_sink->stop();
        // Asked for afresh each time: Qt 6.4 asks the next stream for the
        // buffer the server granted the last one, which comes back smaller on
        // every start, until a word played over and over underruns.
        m_sink->setBufferSize(int(sound.format.bytesForDuration(BufferMicroseconds)));
        m_buffer.close();
        m_buffer.setData(sound.samples);
        m_buffer.open(QIODevice::ReadOnly);
        m_sink->start(&m_buffer);
    }

    QAudio::Error error() const { return m_sink ? m_sink->error() : QAudio::NoError; }
    bool failed() const { return error() == QAudio::OpenError || error() == QAudio::FatalError; }

private:
    // Stopped before it goes: Qt 6.4's sink runs the event loop in its
    // destructor, after it has let go of its stream, and a feed still queued
    // for it (one is, while a sound starts) then asks the stream that is no
    // longer there, which libpulse answers with an abort. A stopped sink
    // ignores its feeds.
    void close()
    {
        if (!m_sink)
            return;
        m_sink->stop();
        m_sink.reset();
    }

    // Declared first, so that the sink, which reads it, goes first.
    QBuffer m_buffer;
    QAudioFormat m_format;
    std::unique_ptr<QAudioSink> m_sink;
};

} // namespace

// The sound thread's side: loads the voice, says and plays. Every call comes
// queued from the window's thread, stamped with the time it was asked.
class Player : public QObject {
public:
    void playCue(const QUrl &source, const QElapsedTimer &asked)
    {
        if (late(asked, CueWaitMilliseconds, source.toString()))
            return;
        const QString key = source.toString();
        auto cue = m_cues.constFind(key);
        if (cue == m_cues.cend()) {
            QFile file(resourcePath(source));
            std::optional<Sound> sound = file.open(QIODevice::ReadOnly) ? readWave(file.readAll()) : std::nullopt;
            if (!sound) {
                complainOnce(m_saidBadCue, QStringLiteral("no cue in %1").arg(key));
                return;
            }
            cue = m_cues.insert(key, *sound);
        }
        std::unique_ptr<Channel> &channel = m_channels[key];
        if (!channel)
            channel = std::make_unique<Channel>();
        channel->play(*cue);
        checkDevice(*channel);
    }

    void say(const QString &text, const QElapsedTimer &asked)
    {
        if (late(asked, WordWaitMilliseconds, text))
            return;
        audio::Synthesizer *voice = synthesizer();
        if (!voice)
            return;
        const audio::Speech speech = voice->synthesize(text);
        if (speech.samples.isEmpty()) {
            complainOnce(m_saidNoSpeech, QStringLiteral("%1 said nothing for \"%2\"").arg(voice->voiceName(), text));
            return;
        }
        Sound sound;
        sound.format.setSampleRate(speech.sampleRate);
        sound.format.setChannelCount(1);
        sound.format.setSampleFormat(QAudioFormat::Int16);
        sound.samples = speech.samples;
        if (!m_speech)
            m_speech = std::make_unique<Channel>();
        m_speech->play(sound);
        checkDevice(*m_speech);
        m_unsaid.reset();
        m_retry.stop();
        if (m_speech->failed()) {
            m_unsaid = sound;
            m_unsaidSince = asked;
            m_retry.start(RetryMilliseconds, this);
        }
    }

    audio::Synthesizer *synthesizer()
    {
        const QMutexLocker lock(&m_voiceLock);
        if (!std::exchange(m_triedSpeech, true)) {
            const QString path = QDir(moduleDirectory()).filePath(QStringLiteral("libzolport_speech.so"));
            m_speechModule.setFileName(path);
            m_voice = qobject_cast<audio::Synthesizer *>(m_speechModule.instance());
            if (!m_voice)
                complainOnce(m_saidNoSpeech,
                             QStringLiteral("no speech: %1: %2").arg(path, m_speechModule.errorString()));
        }
        return m_voice;
    }

    void release()
    {
        m_retry.stop();
        m_unsaid.reset();
        m_channels.clear();
        m_speech.reset();
    }

protected:
    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() != m_retry.timerId())
            return QObject::timerEvent(event);
        if (m_unsaid && m_speech && m_unsaidSince.elapsed() < WordWaitMilliseconds) {
            m_speech->play(*m_unsaid);
            if (m_speech->failed())
                return;
        }
        m_unsaid.reset();
        m_retry.stop();
    }

private:
    // A request that the sound server kept waiting past its time: one line.
    bool late(const QElapsedTimer &asked, qint64 limit, const QString &what)
    {
        const qint64 waited = asked.elapsed();
        if (waited <= limit)
            return false;
        complainOnce(m_saidLate, QStringLiteral("the sound server kept \"%1\" waiting %2 ms: dropped")
                                     .arg(what)
                                     .arg(waited));
        return true;
    }

    static void checkDevice(const Channel &channel)
    {
        if (channel.failed())
            reportLostSound(QMessageLogContext(), QStringLiteral("no audio output could be opened"));
    }

    QHash<QString, Sound> m_cues;
    std::map<QString, std::unique_ptr<Channel>> m_channels;
    std::unique_ptr<Channel> m_speech;
    // The last word, while the sound server cannot take it yet.
    std::optional<Sound> m_unsaid;
    QElapsedTimer m_unsaidSince;
    QBasicTimer m_retry;
    // The voice is also asked for phones from the window's thread.
    QMutex m_voiceLock;
    QPluginLoader m_speechModule;
    audio::Synthesizer *m_voice = nullptr;
    bool m_triedSpeech = false;
    bool m_saidBadCue = false;
    bool m_saidNoSpeech = false;
    bool m_saidLate = false;
};

class AudioModule : public QObject, public audio::Output {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZolportAudioOutput_iid)
    Q_INTERFACES(audio::Output)

public:
    AudioModule()
        : m_player(new Player)
    {
        s_instance = this;
        previousHandler = qInstallMessageHandler(filterSoundMessages);
        m_thread->setObjectName(QStringLiteral("zolport sound"));
        m_player->moveToThread(m_thread.get());
        m_thread->start();
        // The sinks go before the application does: the sound server's
        // connection belongs to it.
        qAddPostRoutine([] {
            if (s_instance)
                s_instance->release();
        });
    }

    ~AudioModule() override
    {
        release();
        s_instance = nullptr;
    }

    void playCue(const QUrl &source) override
    {
        post([source, asked = startedClock()](Player *player) { player->playCue(source, asked); });
    }

    void say(const QString &text) override
    {
        post([text, asked = startedClock()](Player *player) { player->say(text, asked); });
    }

    QStringList phones(const QString &text) override
    {
        audio::Synthesizer *voice = m_player ? m_player->synthesizer() : nullptr;
        return voice ? voice->phones(text) : QStringList();
    }

private:
    static QElapsedTimer startedClock()
    {
        QElapsedTimer clock;
        clock.start();
        return clock;
    }

    template<typename Call>
    void post(Call call)
    {
        if (m_player)
            QMetaObject::invokeMethod(m_player, [player = m_player, call] { call(player); }, Qt::QueuedConnection);
    }

    // The player lets go of its sinks on its own thread, which then ends. A
    // thread held by a frozen sound server is left to the end of the process,
    // with its player.
    void release()
    {
        if (!m_player)
            return;
        QMetaObject::invokeMethod(m_player, [player = m_player] {
            delete player;
            QThread::currentThread()->quit();
        }, Qt::QueuedConnection);
        m_player = nullptr;
        if (!m_thread->wait(ReleaseWaitMilliseconds)) {
            qWarning("zolport: the sound server does not answer: its thread is left to the end");
            s_heldThread = m_thread.release();
        }
    }

    static inline AudioModule *s_instance = nullptr;
    static inline QThread *s_heldThread = nullptr; // never destroyed: it still runs
    Player *m_player;
    std::unique_ptr<QThread> m_thread = std::make_unique<QThread>();
};
#include "AudioModule.moc"
