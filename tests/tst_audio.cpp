// The real sound modules, without a sound server: found from a test in the
// build tree, speaking, and quiet when something is missing (one console line
// at most, never a hang).

#include "app/OneLineTextEdit.h"
#include "app/Sound.h"
#include "app/TForm1.h"
#include "audio/Output.h"
#include "vocabulary/WordStore.h"

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
        QVERIFY2(clock.elapsed() < 100, "the window waited for the sound");
        QTRY_COMPARE(consoleLines.size(), 1); // the lost sound, once the sound thread has tried
        QTest::qWait(300);
        QVERIFY2(consoleLines.size() == 1, qPrintable(consoleLines.join('\n')));
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

    // Every entry whose last word is said by its part of speech (or tense)
    // is said as the CMU Pronouncing Dictionary gives it for its group.
    void everyHeteronymSaidByItsGroup_data()
    {
        using vocabulary::Group;
        struct Reference {
            const char *word;
            Group group;
            const char *phones; // alternatives after " / "
        };
        static const Reference references[] = {
            {"use", Group::Verbs, "Y UW1 Z"}, {"uses", Group::Verbs, "Y UW1 Z IH0 Z"},
            {"close", Group::Verbs, "K L OW1 Z"}, {"closes", Group::Verbs, "K L OW1 Z IH0 Z"},
            {"lead", Group::Verbs, "L IY1 D"}, {"leads", Group::Verbs, "L IY1 D Z"},
            {"record", Group::Verbs, "R IH0 K AO1 R D / R AX0 K AO1 R D"},
            {"records", Group::Verbs, "R IH0 K AO1 R D Z / R AX0 K AO1 R D Z"},
            {"present", Group::Verbs, "P R IY0 Z EH1 N T / P R IH0 Z EH1 N T"},
            {"presents", Group::Verbs, "P R IY0 Z EH1 N T S / P R IH0 Z EH1 N T S"},
            {"separate", Group::Verbs, "S EH1 P ER0 EY1 T / S EH1 P ER0 EY0 T"},
            {"separates", Group::Verbs, "S EH1 P ER0 EY1 T S / S EH1 P ER0 EY0 T S"},
            {"live", Group::Verbs, "L IH1 V"}, {"lives", Group::Verbs, "L IH1 V Z"},
            {"produce", Group::Verbs, "P R AX0 D UW1 S"},
            {"produces", Group::Verbs, "P R AX0 D UW1 S IH0 Z / P R AX0 D UW1 S AX0 Z"},
            {"row", Group::Verbs, "R OW1"}, {"rows", Group::Verbs, "R OW1 Z"},
            {"process", Group::Verbs, "P R AA1 S EH0 S / P R AA1 S EH1 S"},
            {"processes", Group::Verbs, "P R AA1 S EH0 S IH0 Z / P R AA1 S EH0 S AX0 Z"},
            {"collect", Group::Verbs, "K AX0 L EH1 K T"}, {"collects", Group::Verbs, "K AX0 L EH1 K T S"},
            {"desert", Group::Verbs, "D IH0 Z ER1 T"}, {"does", Group::Verbs, "D AH1 Z"},
            {"read", Group::Verbs, "R EH1 D"}, // the data's "read" is the past participle
            {"wind", Group::Nouns, "W IH1 N D"}, {"minute", Group::Nouns, "M IH1 N AX0 T"},
            {"object", Group::Nouns, "AA1 B JH EH0 K T / AA1 B JH IH0 K T"},
            {"record", Group::Nouns, "R EH1 K ER0 D"}, {"present", Group::Nouns, "P R EH1 Z AX0 N T"},
            {"subject", Group::Nouns, "S AH1 B JH IH0 K T / S AH1 B JH EH0 K T"},
            {"row", Group::Nouns, "R OW1"}, {"desert", Group::Nouns, "D EH1 Z ER0 T"},
            {"house", Group::Nouns, "HH AW1 S"}, {"mouth", Group::Nouns, "M AW1 TH"},
            {"segment", Group::Nouns, "S EH1 G M AX0 N T"}, {"number", Group::Nouns, "N AH1 M B ER0"},
            {"process", Group::Nouns, "P R AA1 S EH0 S / P R AA1 S EH1 S"},
            {"live", Group::Adjectives, "L AY1 V"}, {"present", Group::Adjectives, "P R EH1 Z AX0 N T"},
            {"separate", Group::Adjectives, "S EH1 P R AX0 T / S EH1 P ER0 IH0 T"},
        };
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("meant");
        vocabulary::WordStore store;
        int rows = 0;
        for (const Group group : {Group::Nouns, Group::Verbs, Group::Adjectives}) {
            store.load(group);
            for (int index = 0; index < vocabulary::info(group).size(); ++index) {
                const QString english = QString::fromLatin1(store.text(vocabulary::WordStore::English, index));
                const QString last = english.section(QLatin1Char(' '), -1).section(QLatin1Char('('), 0, 0);
                for (const Reference &r : references) {
                    if (r.group == group && last == QLatin1String(r.word)) {
                        QTest::addRow("%s %d %s", vocabulary::info(group).dataFile.data(), index, qPrintable(english))
                            << int(group) << index << QString::fromLatin1(r.phones).split(QStringLiteral(" / "));
                        ++rows;
                    }
                }
            }
        }
        QVERIFY2(rows >= 95, qPrintable(QString::number(rows)));
    }

    void everyHeteronymSaidByItsGroup()
    {
        QFETCH(int, group);
        QFETCH(int, index);
        QFETCH(QStringList, meant);
        vocabulary::WordStore store;
        store.load(vocabulary::Group(group));
        const QStringList said = audio::phonesSaid(store.text(vocabulary::WordStore::English, index),
                                                   vocabulary::Group(group));
        QVERIFY2(!said.isEmpty(), "no voice");
        // The voice's lexicon writes the unstressed schwa AX, the dictionary AH0.
        QStringList accepted;
        for (const QString &phones : meant)
            accepted << QString(phones).replace(QStringLiteral("AH0"), QStringLiteral("AX0"));
        QVERIFY2(accepted.contains(QString(said.last()).replace(QStringLiteral("AH0"), QStringLiteral("AX0"))),
                 qPrintable(said.join(QStringLiteral(" | "))));
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
        QTRY_COMPARE(consoleLines.filter(QStringLiteral("said nothing")).size(), 1);
        QTest::qWait(200);
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
        QTRY_VERIFY(!consoleLines.filter(QStringLiteral("no speech")).isEmpty());
        QTest::qWait(200);
        QCOMPARE(consoleLines.filter(QStringLiteral("no speech")).size(), 1);
        QVERIFY2(consoleLines.size() <= 2, qPrintable(consoleLines.join('\n'))); // and the lost sound
    }
};

QTEST_MAIN(TestAudio)
#include "tst_audio.moc"
