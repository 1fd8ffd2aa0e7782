// The word store, the built-in data, and the build's data checker.

#include "drill/Text.h"
#include "vocabulary/WordGroups.h"
#include "vocabulary/WordStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

using vocabulary::Group;
using vocabulary::WordStore;

// Counts heap allocations, to show that loading a group makes none.
static std::atomic<long> allocations{0};

void *operator new(std::size_t size)
{
    ++allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }

Q_DECLARE_METATYPE(vocabulary::Group)

namespace {

QString text(const WordStore &words, int language, int index)
{
    return drill::fromWindows1252(words.text(language, index));
}

} // namespace

class TestVocabulary : public QObject
{
    Q_OBJECT

private slots:
    void freshStoreIsEmpty()
    {
        auto words = std::make_unique<WordStore>();
        for (int index : {0, 1, 563, 2594})
            QVERIFY(words->text(WordStore::English, index).empty() && words->text(WordStore::Portuguese, index).empty());
    }

    void firstEntries_data()
    {
        QTest::addColumn<vocabulary::Group>("group");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("portuguese");
        QTest::newRow("nouns") << Group::Nouns << "word" << "palavra";
        QTest::newRow("verbs") << Group::Verbs << "he_(she_it) is" << "é está";
        QTest::newRow("pronouns") << Group::Pronouns << "it" << "o a ele lhe isso isto";
        QTest::newRow("adjectives") << Group::Adjectives << "the" << "o a os as";
        QTest::newRow("adverbs") << Group::Adverbs << "slow" << "lento";
        QTest::newRow("prepositions") << Group::Prepositions << "of" << "de";
        QTest::newRow("conjunctions") << Group::Conjunctions << "and" << "e";
    }

    void firstEntries()
    {
        QFETCH(vocabulary::Group, group);
        QFETCH(QString, english);
        QFETCH(QString, portuguese);
        auto words = std::make_unique<WordStore>();
        words->load(group);
        QCOMPARE(text(*words, WordStore::English, 0), english);
        QCOMPARE(text(*words, WordStore::Portuguese, 0), portuguese);
        const int size = vocabulary::info(group).size();
        QVERIFY(!words->text(WordStore::English, size - 1).empty());
        if (size < vocabulary::MaxEntries)
            QVERIFY2(words->text(WordStore::English, size).empty(), "nothing is written past the group");
    }

    void groupSizes()
    {
        const int sizes[] = {564, 2595, 27, 208, 75, 20, 14};
        int total = 0;
        for (int g = 0; g < vocabulary::GroupCount; ++g) {
            QCOMPARE(vocabulary::groupData(Group(g)).count, sizes[g]);
            total += vocabulary::groupData(Group(g)).count;
        }
        QCOMPARE(total, 3503);
    }

    void verbsThenNouns()
    {
        auto words = std::make_unique<WordStore>();
        words->load(Group::Verbs);
        const std::string verb564(words->text(WordStore::English, 564));
        words->load(Group::Nouns);
        QCOMPARE(text(*words, WordStore::English, 563), QStringLiteral("neck"));
        QCOMPARE(text(*words, WordStore::Portuguese, 563), QStringLiteral("pescoço"));
        QCOMPARE(std::string(words->text(WordStore::English, 564)), verb564);
        QCOMPARE(text(*words, WordStore::English, 2594), QStringLiteral("they meant"));
        QCOMPARE(text(*words, WordStore::Portuguese, 2594), QStringLiteral("significaram"));
    }

    void prepositionsAfterNouns()
    {
        auto words = std::make_unique<WordStore>();
        words->load(Group::Nouns);
        const std::string noun20(words->text(WordStore::English, 20));
        words->load(Group::Prepositions);
        const vocabulary::GroupData prepositions = vocabulary::groupData(Group::Prepositions);
        QCOMPARE(std::string(words->text(WordStore::English, 19)), std::string(prepositions.pairs[19].english));
        QCOMPARE(text(*words, WordStore::English, 5), QStringLiteral("over"));
        QCOMPARE(std::string(words->text(WordStore::English, 20)), noun20);
        QCOMPARE(text(*words, WordStore::English, 563), QStringLiteral("neck"));
    }

    void loadingTwiceChangesNothing()
    {
        auto once = std::make_unique<WordStore>();
        auto twice = std::make_unique<WordStore>();
        once->load(Group::Verbs);
        once->load(Group::Adjectives);
        twice->load(Group::Verbs);
        twice->load(Group::Adjectives);
        twice->load(Group::Adjectives);
        for (int language : {0, 1})
            for (int i = 0; i < vocabulary::MaxEntries; ++i)
                QVERIFY(once->text(language, i) == twice->text(language, i));
    }

    void loadingAllocatesNothing()
    {
        auto words = std::make_unique<WordStore>();
        const long before = allocations.load();
        for (int g = 0; g < vocabulary::GroupCount; ++g)
            words->load(Group(g));
        QCOMPARE(allocations.load() - before, 0L);
    }

    void tellingRows_data()
    {
        QTest::addColumn<vocabulary::Group>("group");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("portuguese");
        QTest::newRow("water") << Group::Nouns << 9 << "water" << "água";
        QTest::newRow("turn") << Group::Nouns << 23 << "turn" << "volta giro";
        QTest::newRow("present") << Group::Nouns << 217 << "present(noun)" << "presente";
        QTest::newRow("I had") << Group::Verbs << 9 << "I had" << "tive";
        QTest::newRow("to be") << Group::Verbs << 15 << "to be" << "ser estar";
        QTest::newRow("I can") << Group::Verbs << 16 << "I can" << "posso";
        QTest::newRow("I use") << Group::Verbs << 27 << "I use" << "uso";
        QTest::newRow("been") << Group::Verbs << 136 << "been" << "sido estado";
        QTest::newRow("I sat") << Group::Verbs << 1302 << "I sat" << "me_sentei";
        QTest::newRow("truck") << Group::Verbs << 2201 << "you(pl) truck" << "vocês_transportam_em_caminhão";
        QTest::newRow("which") << Group::Pronouns << 14 << "which" << "qual quais que o_que qualquer";
        QTest::newRow("most") << Group::Adjectives << 18 << "most" << "maior_parte a_maioria";
        QTest::newRow("up") << Group::Adverbs << 7 << "up" << "para_cima";
        QTest::newRow("over") << Group::Prepositions << 5 << "over" << "em_cima_de";
        QTest::newRow("for") << Group::Conjunctions << 3 << "for" << "pois desde_que";
        QTest::newRow("nor") << Group::Conjunctions << 13 << "nor" << "nem";
    }

    void tellingRows()
    {
        QFETCH(vocabulary::Group, group);
        QFETCH(int, index);
        QFETCH(QString, english);
        QFETCH(QString, portuguese);
        auto words = std::make_unique<WordStore>();
        words->load(group);
        QCOMPARE(text(*words, WordStore::English, index), english);
        QCOMPARE(text(*words, WordStore::Portuguese, index), portuguese);
    }

    // The checker that runs in the build rejects each kind of bad line with its file and line.
    void generatorRejectsBadData_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("line"); // data line to replace (1 = first entry)
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("reason");
        QTest::newRow("two columns") << "nouns" << 3 << "100\tthing" << "expected level, English and Portuguese";
        QTest::newRow("six columns") << "nouns" << 3 << "100\tthing\tcoisa\t\ttreco\textra" << "expected level";
        QTest::newRow("accepted, bad character") << "nouns" << 3 << "100\tthing\tcoisa\t\ttreco," << "accepted Portuguese character";
        QTest::newRow("accepted, stray blank") << "nouns" << 3 << "100\tthing\tcoisa\tobject \t" << "accepted English stray blank";
        QTest::newRow("accepted form with its marker") << "verbs" << 4 << "100\tto have\tter\tto_possess" << "person marker";
        QTest::newRow("bad level") << "nouns" << 3 << "150\tthing\tcoisa" << "level must be";
        QTest::newRow("wrong level") << "nouns" << 3 << "200\tthing\tcoisa" << "belongs to level 100";
        QTest::newRow("empty text") << "nouns" << 3 << "100\t\tcoisa" << "empty text";
        QTest::newRow("too long") << "nouns" << 3 << "100\tthing\tcoisa_coisa_coisa_coisa_coisa_coi" << "longer than 31";
        QTest::newRow("bad character") << "nouns" << 3 << "100\tthing\tcoisa, treco" << "character not allowed";
        QTest::newRow("outside Windows-1252") << "nouns" << 3 << "100\tthing\tcoisaΩ" << "not UTF-8 of Windows-1252";
        QTest::newRow("capital letter") << "nouns" << 3 << "100\tIdea\tideia" << "capital letter";
        QTest::newRow("double blank") << "nouns" << 3 << "100\tthing\tcoisa  treco" << "stray blank";
        QTest::newRow("telling row") << "nouns" << 1 << "100\tword\tpalavras" << "must be \"word\"";
        QTest::newRow("marker lookalike") << "nouns" << 3 << "100\twealth\triqueza" << "person marker";
        QTest::newRow("missing line") << "conjunctions" << 5 << "" << "holds 13 entries, expected 14";
        QTest::newRow("verb without marker") << "verbs" << 40 << "100\tthem have\ttêm" << "verb entry must be";
        QTest::newRow("verb form of two words") << "verbs" << 40 << "100\tyou do make\tvocê_faz" << "verb entry must be";
        QTest::newRow("verb marker count") << "verbs" << 40 << "100\tto sit\tsentar" << "expected";
    }

    void generatorRejectsBadData()
    {
        QFETCH(QString, file);
        QFETCH(int, line);
        QFETCH(QString, replacement);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QDir source(QStringLiteral(ZOLPORT_DATA_DIR));
        for (const QString &name : source.entryList({"*.tsv"}))
            QVERIFY(QFile::copy(source.filePath(name), dir.filePath(name)));

        QFile data(dir.filePath(file + ".tsv"));
        QVERIFY(data.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(data.readAll()).split('\n');
        data.close();
        int dataLine = 0;
        int fileLine = 0;
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].isEmpty() || lines[i].startsWith('#'))
                continue;
            if (++dataLine == line) {
                if (replacement.isEmpty())
                    lines.removeAt(i);
                else
                    lines[i] = replacement;
                fileLine = i + 1;
                break;
            }
        }
        QVERIFY(data.open(QIODevice::WriteOnly | QIODevice::Truncate));
        data.write(lines.join('\n').toUtf8());
        data.close();

        QProcess generator;
        generator.start(QStringLiteral(ZOLPORT_WORDGEN), {dir.path(), dir.filePath("out.cpp")});
        QVERIFY(generator.waitForFinished(30000));
        const QString errors = QString::fromUtf8(generator.readAllStandardError());
        QVERIFY2(generator.exitCode() != 0, "bad data must fail the build");
        QVERIFY2(errors.contains(reason), qPrintable(errors));
        if (!replacement.isEmpty() && !reason.contains("expected") && !reason.contains("holds"))
            QVERIFY2(errors.contains(QStringLiteral("%1.tsv:%2:").arg(file).arg(fileLine)), qPrintable(errors));
        QVERIFY(!QFile::exists(dir.filePath("out.cpp")));
    }

    void generatorAcceptsTheRealData()
    {
        QTemporaryDir dir;
        QProcess generator;
        generator.start(QStringLiteral(ZOLPORT_WORDGEN), {QStringLiteral(ZOLPORT_DATA_DIR), dir.filePath("out.cpp")});
        QVERIFY(generator.waitForFinished(30000));
        QCOMPARE(generator.exitCode(), 0);
        QVERIFY(QFileInfo(dir.filePath("out.cpp")).size() > 100000);
    }
};

QTEST_GUILESS_MAIN(TestVocabulary)
#include "tst_vocabulary.moc"
