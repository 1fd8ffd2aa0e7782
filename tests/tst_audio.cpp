// The real sound modules, without a sound server: found from a test in the
// build tree, speaking, and quiet when something is missing (one console line
// at most, never a hang).

#include "app/OneLineTextEdit.h"
#include "app/Sound.h"
#include "app/TForm1.h"
#include "audio/Output.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList consoleLines;
QtMessageHandler testHandler = nullptr;

void record(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    consoleLines << message;
    testHandler(type, context, message);
}

QString module(const char *name)
{
    return QDir(QStringLiteral(ZOLPORT_MODULE_BUILD_DIR)).filePath(QLatin1String(name));
}

} // namespace

class TestAudio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // No sound server, whatever the machine has.
        qputenv("PULSE_SERVER", "unix:/nonexistent/zolport-test");
        testHandler = qInstallMessageHandler(record);
    }

    void firstPressLoadsTheModule()
    {
        TForm1 form;
        QVERIFY(audio::moduleFile().isEmpty());
        QTest::keyClick(form.Answer, Qt::Key_A);
        QCOMPARE(audio::moduleFile(), module("libzolport_audio.so"));
        consoleLines.clear();
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 10; ++i) {
            form.OleContainer1->play();
            form.OleContainer2->play();
            audio::output().say(QStringLiteral("he uses"));
        }
        QVERIFY2(clock.elapsed() < 3000, "ten rounds of cues and speech without a server took too long");
        QVERIFY2(consoleLines.size() <= 1, qPrintable(consoleLines.join('\n')));
    }

    void theVoiceSpeaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        QTest::newRow("one word") << "word" << 0.3 << 1.2;
        QTest::newRow("three alternatives") << "bigger, larger, greater" << 1.2 << 3.5;
    }

    void theVoiceSpeaks()
    {
        QFETCH(QString, text);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        QPluginLoader loader(module("libzolport_speech.so"));
        auto *voice = qobject_cast<audio::Synthesizer *>(loader.instance());
        QVERIFY2(voice, qPrintable(loader.errorString()));
        qInfo("voice: %s", qPrintable(voice->voiceName()));
        const audio::Speech speech = voice->synthesize(text);
        QVERIFY(speech.sampleRate >= 8000);
        const auto *samples = reinterpret_cast<const qint16 *>(speech.samples.constData());
        const qsizetype count = speech.samples.size() / 2;
        const double seconds = double(count) / speech.sampleRate;
        QVERIFY2(seconds >= shortest && seconds <= longest, qPrintable(QString::number(seconds)));
        // The silence before the first word is cut: the sound starts within 30 ms.
        const qsizetype lead = std::min<qsizetype>(count, speech.sampleRate * 30 / 1000);
        QVERIFY(std::any_of(samples, samples + lead, [](qint16 v) { return std::abs(v) > 1000; }));
    }

    void aVoiceThatSaysNothing()
    {
        // As a synthesizer without its voice does: no samples, one line, no sound.
        QPluginLoader loader(module("libzolport_audio.so"));
        auto *output = qobject_cast<audio::Output *>(loader.instance());
        QVERIFY2(output, qPrintable(loader.errorString()));
        consoleLines.clear();
        for (int i = 0; i < 3; ++i)
            output->say(QString());
        QCOMPARE(consoleLines.filter(QStringLiteral("said nothing")).size(), 1);
        QCOMPARE(consoleLines.size(), 1);
    }

    void noSynthesizerBesideTheModule()
    {
        QTemporaryDir alone;
        const QString copy = alone.filePath(QStringLiteral("libzolport_audio.so"));
        QVERIFY(QFile::copy(module("libzolport_audio.so"), copy));
        QPluginLoader loader(copy);
        auto *output = qobject_cast<audio::Output *>(loader.instance());
        QVERIFY2(output, qPrintable(loader.errorString()));
        consoleLines.clear();
        for (int i = 0; i < 3; ++i) {
            output->say(QStringLiteral("word"));
            output->playCue(QUrl(QStringLiteral("qrc:/sounds/right.wav")));
        }
        const QStringList speechLines = consoleLines.filter(QStringLiteral("no speech"));
        QCOMPARE(speechLines.size(), 1);
        QVERIFY2(consoleLines.size() <= 2, qPrintable(consoleLines.join('\n'))); // and the lost sound
    }
};

QTEST_MAIN(TestAudio)
#include "tst_audio.moc"
