// The drill's rules on plain values: typed answers, the score, person markers,
// wrong-answer choices and the picking of entries.

#include "drill/Drill.h"
#include "drill/Speech.h"
#include "drill/Text.h"
#include "tests/FixedRandom.h"
#include "vocabulary/WordStore.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <memory>
#include <random>

using drill::DrillState;
using drill::Settings;
using vocabulary::Group;
using vocabulary::WordStore;

namespace {

QByteArray cp1252(const QString &text)
{
    return QByteArray::fromStdString(*drill::toWindows1252(text));
}

Settings settingsFor(const QString &group, const QString &level = QStringLiteral("100 Words"),
                     const QString &newAll = QStringLiteral("New Words Only"))
{
    Settings s;
    s.wordGroup = group;
    s.level = level;
    s.newAll = newAll;
    s.verbsChecked = group == QLatin1String("Verbs");
    return s;
}

} // namespace

class TestDrill : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WordStore> m_words = std::make_unique<WordStore>();

    // Asks the entry at a position of an All Words range in successive order.
    drill::Question ask(DrillState &state, const Settings &settings, int position, QList<int> draws = {})
    {
        FixedRandom random(draws);
        state.SequencePos = position - 1;
        return drill::buildQuestion(state, settings, *m_words, random);
    }

    QString english(int index) const { return drill::fromWindows1252(m_words->text(WordStore::English, index)); }

private slots:
    void typedAnswer_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<bool>("markerAndForm");
        QTest::addColumn<bool>("right");

        // One whole alternative, blanks and underscores alike.
        QTest::newRow("first alternative") << "você" << "você vocês" << "" << false << true;
        QTest::newRow("last alternative") << "vocês" << "você vocês" << "" << false << true;
        QTest::newRow("middle alternative") << "os" << "o a os as" << "" << false << true;
        QTest::newRow("blanks for underscores") << "em cima de" << "em_cima_de" << "" << false << true;
        QTest::newRow("blank typed, second person") << "você rema" << "você_rema" << "" << false << true;
        QTest::newRow("stray blanks") << "  em   cima de " << "em_cima_de" << "" << false << true;
        QTest::newRow("leading blank") << " palavra" << "palavra" << "" << false << true;
        QTest::newRow("trailing blank") << "palavra " << "palavra" << "" << false << true;
        QTest::newRow("only blanks") << "   " << "palavra" << "" << false << false;
        QTest::newRow("empty") << "" << "palavra" << "" << false << false;
        // Near misses: letters, accents and case exact; never a piece or two alternatives.
        QTest::newRow("accent missing") << "esta" << "é está" << "" << false << false;
        QTest::newRow("capital letter inside") << "paLavra" << "palavra" << "" << false << false;
        QTest::newRow("tail of an alternative") << "ocê" << "você vocês" << "" << false << false;
        QTest::newRow("head of the last") << "consegu" << "conseguir pegar receber" << "" << false << false;
        QTest::newRow("word of an alternative") << "parte" << "maior_parte a_maioria" << "" << false << false;
        QTest::newRow("two alternatives") << "o a" << "o a os as" << "" << false << false;
        QTest::newRow("two alternatives, whole") << "ser estar" << "ser estar" << "" << false << false;
        QTest::newRow("no blank, head only") << "palav" << "palavra" << "" << false << false;
        // Second persons without the pronoun.
        QTest::newRow("você form bare") << "recebe" << "você_recebe você_pega" << "" << false << true;
        QTest::newRow("vocês form bare") << "pegam" << "vocês_recebem vocês_pegam" << "" << false << true;
        QTest::newRow("reflexive bare") << "se sentou" << "você_se_sentou" << "" << false << true;
        QTest::newRow("bare, other person") << "recebem" << "você_recebe" << "" << false << false;
        // Further accepted answers, one at a time.
        QTest::newRow("accepted") << "às vezes" << "de_vez_em_quando" << "às_vezes algumas_vezes" << false << true;
        QTest::newRow("accepted, second") << "algumas vezes" << "de_vez_em_quando" << "às_vezes algumas_vezes" << false << true;
        QTest::newRow("accepted, second person bare") << "obtém" << "você_recebe" << "você_obtém" << false << true;
        QTest::newRow("accepted, two together") << "às_vezes algumas_vezes" << "de_vez_em_quando"
                                                << "às_vezes algumas_vezes" << false << false;
        QTest::newRow("accepted, tail") << "vezes" << "de_vez_em_quando" << "às_vezes" << false << false;
        // A note in parentheses may be left out.
        QTest::newRow("noun without its tag") << "record" << "record(noun)" << "" << false << true;
        QTest::newRow("noun with its tag") << "record(noun)" << "record(noun)" << "" << false << true;
        // Verbs answered in English: the person stays part of the answer.
        QTest::newRow("verb: whole") << "I have" << "I have" << "" << true << true;
        QTest::newRow("verb: no marker") << "have" << "I have" << "" << true << false;
        QTest::newRow("verb: other person") << "they have" << "I have" << "" << true << false;
        QTest::newRow("verb: lower-case i") << "i have" << "I have" << "" << true << false;
        QTest::newRow("verb: he") << "he is" << "he_(she_it) is" << "" << true << true;
        QTest::newRow("verb: she") << "she is" << "he_(she_it) is" << "" << true << true;
        QTest::newRow("verb: it") << "it is" << "he_(she_it) is" << "" << true << true;
        QTest::newRow("verb: he (she it)") << "he (she it) is" << "he_(she_it) is" << "" << true << true;
        QTest::newRow("verb: marker alone") << "he" << "he_(she_it) is" << "" << true << false;
        QTest::newRow("verb: you for you(pl)") << "you have" << "you(pl) have" << "" << true << true;
        QTest::newRow("verb: you (pl)") << "you (pl) have" << "you(pl) have" << "" << true << true;
        QTest::newRow("verb: you(pl)") << "you(pl) have" << "you(pl) have" << "" << true << true;
        QTest::newRow("verb: accepted form") << "I obtain" << "I get" << "obtain receive" << true << true;
        QTest::newRow("verb: accepted, no marker") << "obtain" << "I get" << "obtain receive" << true << false;
        QTest::newRow("verb: accepted, she") << "she obtains" << "he_(she_it) gets" << "obtains" << true << true;
        QTest::newRow("verb: participle") << "been" << "been" << "" << true << true;
        // A capital first letter is a habit; the rest keeps its case and "I" its capital.
        QTest::newRow("capital first letter") << "Tempo" << "tempo vez hora" << "" << false << true;
        QTest::newRow("capital accented letter") << "Água" << "água" << "" << false << true;
        QTest::newRow("verb: capital person") << "He is" << "he_(she_it) is" << "" << true << true;
        QTest::newRow("capital, all letters") << "TEMPO" << "tempo" << "" << false << false;
        // English contractions and their full forms alike.
        QTest::newRow("verb: I'm") << "I'm" << "I am" << "" << true << true;
        QTest::newRow("verb: he's") << "he's" << "he_(she_it) is" << "" << true << true;
        QTest::newRow("verb: you're") << "you're" << "you(pl) are" << "" << true << true;
        QTest::newRow("verb: do not") << "I do not" << "I don't" << "" << true << true;
        QTest::newRow("verb: won't") << "we won't" << "we will_not" << "" << true << true;
        QTest::newRow("verb: cannot") << "I cannot" << "I can't" << "" << true << true;
        QTest::newRow("verb: can not") << "I can not" << "I can't" << "" << true << true;
        QTest::newRow("verb: I'm for I was") << "I'm" << "I was" << "" << true << false;
        QTest::newRow("verb: I won't for I will") << "I won't" << "I will" << "" << true << false;
        // Text the drill cannot hold.
        QTest::newRow("outside Windows-1252") << "vocêΩ" << "você vocês" << "" << false << false;
        QTest::newRow("very long") << QString(10000, QLatin1Char('a')) << "palavra" << "" << false << false;
        QTest::newRow("trailing lone surrogate") << QStringLiteral("palavra\xD800") << "palavra" << "" << false
                                                 << false;
    }

    void typedAnswer()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(QString, accepted);
        QFETCH(bool, markerAndForm);
        QFETCH(bool, right);
        const std::string text = *drill::toWindows1252(expected);
        const std::string further = *drill::toWindows1252(accepted);
        QCOMPARE(drill::typedAnswerIsRight(drill::toWindows1252(typed), {text, further, markerAndForm}), right);
    }

    // A noun may come with an article that agrees with it.
    void nounArticles_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("right");
        QTest::newRow("the") << "the word" << "word" << true << true;
        QTest::newRow("an") << "an answer" << "answer" << true << true;
        QTest::newRow("an hour") << "an hour" << "hour" << true << true;
        QTest::newRow("a use") << "a use" << "use" << true << true;
        QTest::newRow("a before a vowel") << "a answer" << "answer" << true << false;
        QTest::newRow("Portuguese article for English") << "o word" << "word" << true << false;
        QTest::newRow("article alone") << "the" << "word" << true << false;
        QTest::newRow("o, masculine") << "o tempo" << "tempo vez hora" << false << true;
        QTest::newRow("a, feminine") << "a palavra" << "palavra" << false << true;
        QTest::newRow("a, last alternative") << "a hora" << "tempo vez hora" << false << true;
        QTest::newRow("a, -ção") << "a ação" << "ação" << false << true;
        QTest::newRow("o, masculine -a") << "o problema" << "problema" << false << true;
        QTest::newRow("a, feminine -ão") << "a mão" << "mão" << false << true;
        QTest::newRow("os, plural") << "os olhos" << "olhos" << false << true;
        QTest::newRow("first word names it") << "o ponto de vista" << "ponto_de_vista" << false << true;
        QTest::newRow("a tempo") << "a tempo" << "tempo vez hora" << false << false;
        QTest::newRow("a problema") << "a problema" << "problema" << false << false;
        QTest::newRow("os, singular") << "os tempo" << "tempo" << false << false;
        QTest::newRow("listed feminine -e") << "a parte" << "parte" << false << true;
        QTest::newRow("listed plural") << "os homens" << "homens" << false << true;
        QTest::newRow("either gender") << "a estudante" << "estudante" << false << true;
        QTest::newRow("ending tells nothing") << "o ônibus" << "ônibus" << false << false;
        QTest::newRow("English article for Portuguese") << "the palavra" << "palavra" << false << false;
    }

    void nounArticles()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(bool, english);
        QFETCH(bool, right);
        const std::string text = *drill::toWindows1252(expected);
        drill::ExpectedAnswer answer{text, {}, false};
        answer.articles = english ? drill::Articles::English : drill::Articles::Portuguese;
        QCOMPARE(drill::typedAnswerIsRight(drill::toWindows1252(typed), answer), right);
        answer.articles = drill::Articles::None;
        QVERIFY(!drill::typedAnswerIsRight(drill::toWindows1252(typed), answer));
    }

    // The same question text means every entry that shows it: an answer right for one is right.
    void sameQuestion_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("toPortuguese");
        QTest::addColumn<QString>("asked"); // English text of the asked entry
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("aprendemos: we learned") << "Verbs" << false << "we learn" << "we learned" << true;
        QTest::newRow("aprendemos: we learn") << "Verbs" << false << "we learned" << "we learn" << true;
        QTest::newRow("aprendemos: other person") << "Verbs" << false << "we learn" << "they learned" << false;
        QTest::newRow("disse: he said") << "Verbs" << false << "I said" << "he said" << true;
        QTest::newRow("relógio: the clock") << "Nouns" << false << "watch" << "the clock" << true;
        QTest::newRow("um uma: one") << "Adjectives" << false << "a an" << "one" << true;
        QTest::newRow("I let: deixei") << "Verbs" << true << "I let" << "deixei" << true;
        QTest::newRow("you cost: você custou") << "Verbs" << true << "you cost" << "você custou" << true;
        QTest::newRow("I learn: aprendi") << "Verbs" << true << "I learn" << "aprendi" << false;
    }

    void sameQuestion()
    {
        QFETCH(QString, group);
        QFETCH(bool, toPortuguese);
        QFETCH(QString, asked);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        const Group loaded = *drill::groupOfText(group);
        m_words->load(loaded);
        DrillState state;
        for (state.AskedIndex = 0; state.AskedIndex < vocabulary::info(loaded).size(); ++state.AskedIndex)
            if (english(state.AskedIndex) == asked)
                break;
        QVERIFY(state.AskedIndex < vocabulary::info(loaded).size());
        Settings settings = settingsFor(group);
        settings.englishToPortuguese = toPortuguese;
        settings.portugueseToEnglish = !toPortuguese;
        QCOMPARE(drill::checkTypedAnswer(state, settings, *m_words, drill::toWindows1252(typed)), right);
        m_words->load(Group::Nouns);
    }

    // Every answer the data gives, shown or further, typed with blanks, is judged right in its direction.
    void everyAnswerOfTheDataIsRight()
    {
        for (const vocabulary::GroupInfo &info : vocabulary::Groups) {
            m_words->load(info.group);
            const bool verbs = info.group == Group::Verbs;
            for (int index = 0; index < info.size(); ++index) {
                for (int language : {WordStore::English, WordStore::Portuguese}) {
                    const drill::ExpectedAnswer expected{m_words->text(language, index),
                                                         m_words->accepted(language, index),
                                                         verbs && language == WordStore::English};
                    const std::string_view text = expected.text;
                    const size_t blank = text.find(' ');
                    const std::string person = expected.markerAndForm && blank != std::string_view::npos
                                                   ? std::string(text.substr(0, blank)) + ' ' : std::string();
                    QStringList answers = drill::fromWindows1252(expected.accepted).split(' ', Qt::SkipEmptyParts);
                    if (!person.empty())
                        answers.append(drill::fromWindows1252(text.substr(blank + 1)));
                    else
                        answers += drill::fromWindows1252(text).split(' ');
                    for (const QString &answer : answers) {
                        const QString typed = drill::fromWindows1252(person) + QString(answer).replace('_', ' ');
                        QVERIFY2(drill::typedAnswerIsRight(drill::toWindows1252(typed), expected),
                                 qPrintable(QStringLiteral("%1 %2: %3").arg(info.name.data()).arg(index).arg(typed)));
                    }
                }
            }
        }
        m_words->load(Group::Nouns);
    }

    // Both directions, exactly; a row that does not decode is only encoded.
    void windows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("encodes");
        QTest::addColumn<bool>("decodes");
        QString ascii, latin1;
        QByteArray asciiBytes, latin1Bytes;
        for (int c = 0; c < 0x80; ++c)
            ascii += QChar(c), asciiBytes += char(c);
        for (int c = 0xA0; c <= 0xFF; ++c)
            latin1 += QChar(c), latin1Bytes += char(c);
        QTest::newRow("ASCII") << ascii << asciiBytes << true << true;
        QTest::newRow("0xA0 to 0xFF") << latin1 << latin1Bytes << true << true;
        QTest::newRow("Portuguese letters") << "áâãçéêíóôõúÁÂÃÇÉÊÍÓÔÕÚ"
                                            << QByteArray("\xE1\xE2\xE3\xE7\xE9\xEA\xED\xF3\xF4\xF5\xFA"
                                                          "\xC1\xC2\xC3\xC7\xC9\xCA\xCD\xD3\xD4\xD5\xDA")
                                            << true << true;
        QTest::newRow("0x80 to 0x9F") << "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"
                                      << QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"
                                                    "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F")
                                      << true << true;
        QTest::newRow("undefined bytes") << QString(5, QChar::ReplacementCharacter)
                                         << QByteArray("\x81\x8D\x8F\x90\x9D") << false << true;
        QTest::newRow("C1 controls") << QStringLiteral("\u0081\u008D\u0090") << QByteArray() << false << false;
        QTest::newRow("lone surrogate, leading") << QStringLiteral("\xDC00gato") << QByteArray() << false << false;
        QTest::newRow("lone surrogate, middle") << QStringLiteral("ga\xD800to") << QByteArray() << false << false;
        QTest::newRow("lone surrogate, trailing") << QStringLiteral("gato\xD800") << QByteArray() << false << false;
        QTest::newRow("outside the set") << "Ωĉ" << QByteArray() << false << false;
        QTest::newRow("outside the set, surrogate pair") << "gato😀" << QByteArray() << false << false;
    }

    void windows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, encodes);
        QFETCH(bool, decodes);
        const std::optional<std::string> encoded = drill::toWindows1252(text);
        QCOMPARE(encoded.has_value(), encodes);
        if (encodes)
            QCOMPARE(QByteArray::fromStdString(*encoded), bytes);
        if (decodes)
            QCOMPARE(drill::fromWindows1252(bytes.toStdString()), text);
    }

    void score_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("trials");
        QTest::addColumn<QString>("text");
        QTest::newRow("2 of 3") << 2 << 3 << "66.66%";
        QTest::newRow("1 of 2") << 1 << 2 << "50.00%";
        QTest::newRow("1 of 7") << 1 << 7 << "14.28%";
        QTest::newRow("201 of 4000") << 201 << 4000 << "5.02%";
        QTest::newRow("3 of 3") << 3 << 3 << "100.00%";
        QTest::newRow("0 of 4") << 0 << 4 << "0.00%";
        QTest::newRow("0 of 1") << 0 << 1 << "0.00%";
        QTest::newRow("29 of 100") << 29 << 100 << "29.00%";
        QTest::newRow("1 of 3") << 1 << 3 << "33.33%";
        QTest::newRow("999999 of 1000000") << 999999 << 1000000 << "99.99%";
        QTest::newRow("large counts") << 1000000000 << 2000000000 << "50.00%";
        QTest::newRow("largest counts") << 2147483647 << 2147483647 << "100.00%";
    }

    void score()
    {
        QFETCH(int, correct);
        QFETCH(int, trials);
        QFETCH(QString, text);
        QCOMPARE(drill::scoreText(correct, trials), text);
    }

    void spokenScore_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("trials");
        QTest::addColumn<QString>("text");
        QTest::newRow("one trial") << 0 << 1 << "1 trial, 0%";
        QTest::newRow("whole percent, truncated") << 2 << 3 << "3 trials, 66%";
        QTest::newRow("all right") << 4 << 4 << "4 trials, 100%";
        QTest::newRow("largest counts") << 2147483647 << 2147483647 << "2147483647 trials, 100%";
    }

    void spokenScore()
    {
        QFETCH(int, correct);
        QFETCH(int, trials);
        QFETCH(QString, text);
        QCOMPARE(drill::spokenScore(correct, trials), text);
    }

    void personMarker_data()
    {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("marker");
        QTest::newRow("first person") << "I have" << "I ";
        QTest::newRow("second person") << "you have" << "you ";
        QTest::newRow("third person") << "he_(she_it) is" << "he_(";
        QTest::newRow("third person, two words") << "he_(she_it) does or makes" << "he_(";
        QTest::newRow("first plural") << "we have" << "we ";
        QTest::newRow("second plural") << "you(pl) have" << "you(";
        QTest::newRow("third plural") << "they have" << "they";
        QTest::newRow("infinitive") << "to have" << "to ";
        QTest::newRow("participle") << "been" << "I";
        QTest::newRow("negative") << "they don't" << "they";
    }

    void personMarker()
    {
        QFETCH(QString, english);
        QFETCH(QString, marker);
        const std::string text = cp1252(english).toStdString();
        const std::string_view found = drill::personMarker(text);
        QCOMPARE(QString::fromLatin1(found.data(), qsizetype(found.size())), marker);
    }

    void verbChoices_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QList<int>>("wrong");
        // Right answer at place 0, wrong ones at 1, 2, 3.
        QTest::newRow("I have, forward") << "100 Words" << 4 << QList<int>{9, 16, 27};
        QTest::newRow("you(pl) have, forward") << "100 Words" << 7 << QList<int>{13, 20, 24};
        QTest::newRow("he is, forward") << "100 Words" << 0 << QList<int>{2, 11, 18};
        QTest::newRow("he is, backward turns round") << "200 Words" << 0 << QList<int>{2, 11, 18};
        QTest::newRow("I use, backward") << "500 Words" << 27 << QList<int>{16, 9, 4};
        QTest::newRow("you can, backward runs out") << "200 Words" << 17 << QList<int>{10, 5, 22};
    }

    void verbChoices()
    {
        QFETCH(QString, level);
        QFETCH(int, asked);
        QFETCH(QList<int>, wrong);
        m_words->load(Group::Verbs);
        DrillState state;
        state.RangeEnd = 2595;
        state.ChoiceOrder = QStringList{"0", "1", "2", "3"};
        const drill::Question question = ask(state, settingsFor("Verbs", level, "All Words"), asked);
        QCOMPARE(state.AskedIndex, asked);
        QCOMPARE(question.choices[0], m_words->text(WordStore::Portuguese, asked));
        for (int i = 0; i < 3; ++i)
            QVERIFY2(question.choices[i + 1] == m_words->text(WordStore::Portuguese, wrong[i]),
                     qPrintable(QStringLiteral("wrong answer %1 should be entry %2").arg(i).arg(wrong[i])));
    }

    void verbChoicesKnownExample()
    {
        m_words->load(Group::Verbs);
        DrillState state;
        state.RangeEnd = 137;
        state.ChoiceOrder = QStringList{"2", "0", "3", "1"};
        const drill::Question question = ask(state, settingsFor("Verbs"), 4);
        QCOMPARE(drill::fromWindows1252(question.choices[2]), QStringLiteral("tenho"));
        QCOMPARE(drill::fromWindows1252(question.choices[0]), QStringLiteral("tive"));
        QCOMPARE(drill::fromWindows1252(question.choices[3]), QStringLiteral("posso"));
        QCOMPARE(drill::fromWindows1252(question.choices[1]), QStringLiteral("uso"));
    }

    // Wherever a verb is asked, the wrong answers are the nearest entries with
    // its marker, and the search never leaves the store.
    void verbChoicesStayInTheStore_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("asked");
        for (int asked : {0, 3, 15, 26, 136, 137, 1118, 1301, 2201, 2593, 2594})
            for (const char *level : {"100 Words", "1000 Words"})
                QTest::addRow("%s entry %d", level, asked) << QString::fromLatin1(level) << asked;
    }

    void verbChoicesStayInTheStore()
    {
        QFETCH(QString, level);
        QFETCH(int, asked);
        m_words->load(Group::Verbs);
        DrillState state;
        state.RangeEnd = 2595;
        state.ChoiceOrder = QStringList{"0", "1", "2", "3"};
        const drill::Question question = ask(state, settingsFor("Verbs", level, "All Words"), asked);
        const std::string_view marker = drill::personMarker(m_words->text(WordStore::English, asked));
        QVERIFY(state.CurrentIndex >= 0 && state.CurrentIndex < 2595);
        for (int place = 1; place < 4; ++place) {
            bool found = false;
            for (int i = 0; i < 2595 && !found; ++i)
                found = i != asked && m_words->text(WordStore::Portuguese, i) == question.choices[place]
                        && m_words->text(WordStore::English, i).find(marker) != std::string_view::npos;
            QVERIFY2(found, qPrintable(QStringLiteral("choice %1 is no entry with the asked marker").arg(place)));
        }
    }

    void otherGroupChoices_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("draw");
        QTest::addColumn<QList<int>>("wrong");
        QTest::newRow("day, step 3") << 5 << 2 << QList<int>{8, 11, 14};
        QTest::newRow("entry 13, step 2 backward") << 13 << 1 << QList<int>{11, 9, 7};
        QTest::newRow("entry 12, step 4 forward") << 12 << 3 << QList<int>{16, 20, 24};
        QTest::newRow("entry 0, step 1") << 0 << 0 << QList<int>{1, 2, 3};
        QTest::newRow("last noun, step 4") << 563 << 3 << QList<int>{559, 555, 551};
    }

    void otherGroupChoices()
    {
        QFETCH(int, asked);
        QFETCH(int, draw);
        QFETCH(QList<int>, wrong);
        m_words->load(Group::Nouns);
        DrillState state;
        state.RangeEnd = 564;
        state.ChoiceOrder = QStringList{"3", "2", "1", "0"};
        // One draw completes the (already complete) order, the next gives the step.
        const drill::Question question = ask(state, settingsFor("Nouns", "1000 Words", "All Words"), asked, {0, draw});
        QCOMPARE(question.choices[3], m_words->text(WordStore::Portuguese, asked));
        QCOMPARE(question.choices[2], m_words->text(WordStore::Portuguese, wrong[0]));
        QCOMPARE(question.choices[1], m_words->text(WordStore::Portuguese, wrong[1]));
        QCOMPARE(question.choices[0], m_words->text(WordStore::Portuguese, wrong[2]));
        QCOMPARE(state.CurrentIndex, wrong[2]);
        QCOMPARE(state.AskedIndex, asked);
    }

    void noTwoChoicesAlike_data()
    {
        QTest::addColumn<Group>("group");
        QTest::addColumn<bool>("englishToPortuguese");
        for (const vocabulary::GroupInfo &info : vocabulary::Groups)
            for (bool toPortuguese : {true, false})
                QTest::addRow("%s, %s", info.name.data(), toPortuguese ? "to Portuguese" : "to English")
                    << info.group << toPortuguese;
    }

    // Whatever entry is asked, the four choices read differently: with two
    // alike, a click on the right text could be judged wrong.
    void noTwoChoicesAlike()
    {
        QFETCH(Group, group);
        QFETCH(bool, englishToPortuguese);
        m_words->load(group);
        const int size = vocabulary::info(group).size();
        Settings settings = settingsFor(QString::fromLatin1(vocabulary::info(group).name), "1000 Words", "All Words");
        settings.englishToPortuguese = englishToPortuguese;
        settings.portugueseToEnglish = !englishToPortuguese;
        QStringList alike;
        for (int asked = 0; asked < size; ++asked) {
            DrillState state;
            state.RangeEnd = size;
            state.ChoiceOrder = QStringList{"0", "1", "2", "3"};
            const drill::Question question = ask(state, settings, asked, {0, asked % 4});
            for (int i = 0; i < 4; ++i)
                for (int j = i + 1; j < 4; ++j)
                    if (question.choices[i] == question.choices[j])
                        alike << english(asked);
        }
        QVERIFY2(alike.isEmpty(), qPrintable(alike.join(QStringLiteral(", "))));
    }

    // No wrong choice is right for the question shown: not the answer of an
    // entry that shows the same question, nor a text the judge accepts for it.
    void noWrongChoiceIsRight()
    {
        QFETCH(Group, group);
        QFETCH(bool, englishToPortuguese);
        m_words->load(group);
        const int size = vocabulary::info(group).size();
        const int answerLang = englishToPortuguese ? WordStore::Portuguese : WordStore::English;
        QStringList faults;
        for (const QString level : {"100 Words", "1000 Words"}) { // the verbs search forward, then backward
            Settings settings = settingsFor(QString::fromLatin1(vocabulary::info(group).name), level, "All Words");
            settings.englishToPortuguese = englishToPortuguese;
            settings.portugueseToEnglish = !englishToPortuguese;
            const int steps = group == Group::Verbs ? 1 : 4; // the verbs' search draws no step
            for (int asked = 0; asked < size * steps; ++asked) {
                DrillState state;
                state.RangeEnd = size;
                state.ChoiceOrder = QStringList{"0", "1", "2", "3"};
                const drill::Question question = ask(state, settings, asked / steps, {0, asked % steps});
                for (int place = 1; place < 4; ++place) {
                    const std::string_view choice = question.choices[place];
                    bool right = false;
                    for (int meant = 0; meant < size; ++meant)
                        right = right
                                || (m_words->text(1 - answerLang, meant) == question.text
                                    && m_words->text(answerLang, meant) == choice);
                    DrillState judged = state;
                    const QStringList typings = drill::fromWindows1252(choice).split(' ') << drill::fromWindows1252(choice);
                    for (const QString &typed : typings)
                        right = right || drill::checkTypedAnswer(judged, settings, *m_words, drill::toWindows1252(typed));
                    if (right)
                        faults << QStringLiteral("%1 %2: %3").arg(level, drill::fromWindows1252(question.text),
                                                                  drill::fromWindows1252(choice));
                }
            }
        }
        m_words->load(Group::Nouns);
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults: ").arg(faults.size()) + faults.join(", ")));
    }

    void noWrongChoiceIsRight_data() { noTwoChoicesAlike_data(); }

    void smallGroupChoicesReadWhatTheStoreHolds()
    {
        auto words = std::make_unique<WordStore>();
        words->load(Group::Nouns);
        words->load(Group::Conjunctions);
        DrillState state;
        state.RangeEnd = 13;
        state.SequencePos = 11;
        state.ChoiceOrder = QStringList{"0", "1", "2", "3"};
        FixedRandom random({0, 3});
        const drill::Question question =
            drill::buildQuestion(state, settingsFor("Conjunctions", "700 Words", "All Words"), *words, random);
        words->load(Group::Nouns);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(question.choices[i + 1], words->text(WordStore::Portuguese, 16 + 4 * i));
    }

    // With only a small group in the store, a read past its words turns round
    // at the asked entry rather than offer an empty choice.
    void choicesTurnRoundBeforeEmptyEntries_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("draw");
        QTest::addColumn<QList<int>>("wrong");
        // "se" (entry 4) is right for "whether" and "desde_que" (11) for "for": passed over.
        QTest::newRow("entry 12, step 4") << 12 << 3 << QList<int>{8, 0, 13};
        QTest::newRow("entry 10, step 2") << 10 << 1 << QList<int>{12, 8, 6};
        QTest::newRow("entry 3, step 4, both ends") << 3 << 3 << QList<int>{7, 4, 0};
    }

    void choicesTurnRoundBeforeEmptyEntries()
    {
        QFETCH(int, asked);
        QFETCH(int, draw);
        QFETCH(QList<int>, wrong);
        auto words = std::make_unique<WordStore>();
        words->load(Group::Conjunctions);
        DrillState state;
        state.RangeEnd = 14;
        state.SequencePos = asked - 1;
        state.ChoiceOrder = QStringList{"0", "1", "2", "3"};
        FixedRandom random({0, draw});
        const drill::Question question =
            drill::buildQuestion(state, settingsFor("Conjunctions", "1000 Words", "All Words"), *words, random);
        QCOMPARE(state.AskedIndex, asked);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(question.choices[i + 1], words->text(WordStore::Portuguese, wrong[i]));
    }

    void portugueseToEnglishSwapsLanguages()
    {
        m_words->load(Group::Nouns);
        DrillState state;
        state.RangeEnd = 11;
        Settings settings = settingsFor("Nouns");
        settings.englishToPortuguese = false;
        settings.portugueseToEnglish = true;
        const drill::Question question = ask(state, settings, 0, {0, 1, 2, 3, 0});
        QCOMPARE(drill::fromWindows1252(question.text), QStringLiteral("palavra"));
        QCOMPARE(state.QuestionLang, 1);
        QCOMPARE(state.AnswerLang, 0);
        QCOMPARE(drill::fromWindows1252(question.choices[state.ChoiceOrder[0].toInt()]), QStringLiteral("word"));
    }

    void choiceOrderIsAUniformPermutation()
    {
        m_words->load(Group::Nouns);
        QHash<QString, int> seen;
        class Mt : public drill::RandomSource
        {
        public:
            int uniform(int bound) override { return std::uniform_int_distribution<int>(0, bound - 1)(engine); }
            std::mt19937 engine{12345};
        } random;
        const int runs = 24000;
        for (int i = 0; i < runs; ++i) {
            DrillState state;
            state.RangeEnd = 11;
            drill::buildQuestion(state, settingsFor("Nouns"), *m_words, random);
            QCOMPARE(state.ChoiceOrder.size(), 4);
            ++seen[state.ChoiceOrder.join(QString())];
        }
        QCOMPARE(seen.size(), 24);
        for (int count : std::as_const(seen))
            QVERIFY2(count > 800 && count < 1200, "each of the 24 orders about 1000 times in 24000");
    }

    void newWordsStart_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QList<int>>("starts"); // 200 to 1000 Words
        QTest::newRow("Nouns") << "Nouns" << QList<int>{11, 46, 99, 154, 213, 282, 354, 412, 485};
        QTest::newRow("Verbs") << "Verbs" << QList<int>{137, 263, 638, 849, 1104, 1359, 1637, 1954, 2308};
        QTest::newRow("Pronouns") << "Pronouns" << QList<int>{21, 24, 25, 25, 25, 25, 25, 26, 27};
        QTest::newRow("Adjectives") << "Adjectives" << QList<int>{18, 62, 65, 92, 117, 132, 151, 169, 193};
        QTest::newRow("Adverbs") << "Adverbs" << QList<int>{18, 35, 43, 54, 57, 60, 65, 69, 72};
        QTest::newRow("Prepositions") << "Prepositions" << QList<int>{10, 13, 14, 19, 20, 20, 20, 20, 20};
        QTest::newRow("Conjunctions") << "Conjunctions" << QList<int>{8, 8, 10, 12, 12, 12, 13, 13, 13};
    }

    void newWordsStart()
    {
        QFETCH(QString, group);
        QFETCH(QList<int>, starts);
        QCOMPARE(drill::newWordsStart(settingsFor(group, "100 Words")), 0);
        for (int level = 2; level <= 10; ++level) {
            const QString levelText = QStringLiteral("%1 Words").arg(level * 100);
            QCOMPARE(drill::newWordsStart(settingsFor(group, levelText)), starts[level - 2]);
            QCOMPARE(drill::newWordsStart(settingsFor(group, levelText, "All Words")), 0);
            QCOMPARE(drill::newWordsStart(settingsFor(group, levelText, "new words only")), 0);
        }
        QCOMPARE(drill::newWordsStart(settingsFor("nouns", "200 Words")), 0);
    }

    void successiveOrderWithNewWords()
    {
        m_words->load(Group::Nouns);
        DrillState state;
        state.RangeEnd = 35;
        FixedRandom random;
        QList<int> asked;
        for (int i = 0; i < 4; ++i) {
            drill::pickEntry(state, settingsFor("Nouns", "200 Words"), *m_words, random);
            asked << state.CurrentIndex;
            QCOMPARE(state.AskedKey, QString::number(i));
            QVERIFY(state.FirstTry);
        }
        QCOMPARE(asked, (QList<int>{11, 12, 13, 14}));
        QCOMPARE(random.draws, 0);
    }

    void successiveOrderWrapsAtTheRangeEnd()
    {
        m_words->load(Group::Nouns);
        DrillState state;
        state.RangeEnd = 3;
        state.SequencePos = 1;
        state.KnownList = QStringList{"0"};
        FixedRandom random;
        const Settings settings = settingsFor("Nouns", "300 Words");
        drill::pickEntry(state, settings, *m_words, random);
        QCOMPARE(state.CurrentIndex, 48);
        drill::pickEntry(state, settings, *m_words, random);
        QCOMPARE(state.SequencePos, 0);
        QCOMPARE(state.CurrentIndex, 46);
    }

    // The level box can change without a reload (opening a level's submenu) and
    // New/All can be typed: start plus position must still address the store;
    // past its end the successive order starts the range again.
    void pickStaysInTheStore()
    {
        m_words->load(Group::Verbs);
        DrillState state;
        state.RangeEnd = 2595;
        state.SequencePos = 2593;
        FixedRandom random;
        drill::pickEntry(state, settingsFor("Verbs", "1000 Words"), *m_words, random);
        QCOMPARE(state.AskedKey, QStringLiteral("0"));
        QCOMPARE(state.CurrentIndex, 2308);
    }

    // A New/All text typed without a reload can put the range past the loaded
    // words: the entries that the store does not hold are outside the range.
    void emptyEntriesAreOutsideTheRange_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("rangeEnd");
        QTest::addColumn<bool>("successive");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        const int nouns = int(Group::Nouns);
        QTest::newRow("nouns, All Words' count, random") << nouns << "1000 Words" << 564 << false << 485 << 563;
        QTest::newRow("nouns, All Words' count, successive") << nouns << "1000 Words" << 564 << true << 485 << 563;
        QTest::newRow("prepositions, start past their words")
            << int(Group::Prepositions) << "1000 Words" << 20 << false << 0 << 19;
        QTest::newRow("nouns, as loaded") << nouns << "200 Words" << 35 << false << 11 << 45;
    }

    void emptyEntriesAreOutsideTheRange()
    {
        QFETCH(int, group);
        QFETCH(QString, level);
        QFETCH(int, rangeEnd);
        QFETCH(bool, successive);
        QFETCH(int, first);
        QFETCH(int, last);
        auto words = std::make_unique<WordStore>();
        words->load(Group(group));
        DrillState state;
        state.RangeEnd = rangeEnd;
        Settings settings = settingsFor(drill::groupText(Group(group)), level);
        settings.successive = successive;
        FixedRandom random;
        QSet<int> asked;
        for (int pick = 0; pick < 10000 && !state.GroupFinished; ++pick) {
            drill::pickEntry(state, settings, *words, random);
            QVERIFY2(state.CurrentIndex >= first && state.CurrentIndex <= last,
                     qPrintable(QStringLiteral("entry %1 asked").arg(state.CurrentIndex)));
            asked.insert(state.CurrentIndex);
            if (!state.GroupFinished)
                state.KnownList.append(state.AskedKey);
        }
        QVERIFY2(state.GroupFinished, "the range completes once every entry held is known");
        QCOMPARE(int(asked.size()), last - first + 1);
    }

    void rangeCompletion()
    {
        m_words->load(Group::Pronouns);
        DrillState state;
        state.RangeEnd = 1;
        FixedRandom random;
        Settings settings = settingsFor("Pronouns", "300 Words");
        settings.successive = false;
        drill::pickEntry(state, settings, *m_words, random);
        QCOMPARE(state.CurrentIndex, 24);
        QCOMPARE(state.QuestionText, QByteArray("those"));
        QVERIFY(state.GroupFinished);
        QVERIFY(state.KnownList.isEmpty());
    }

    void randomOrderSkipsKnownPositions()
    {
        m_words->load(Group::Nouns);
        DrillState state;
        state.RangeEnd = 11;
        state.KnownList = QStringList{"3", "5"};
        state.FirstTry = false;
        FixedRandom random({3, 5, 3, 7});
        Settings settings = settingsFor("Nouns");
        settings.successive = false;
        drill::pickEntry(state, settings, *m_words, random);
        QCOMPARE(state.CurrentIndex, 7);
        QCOMPARE(state.AskedKey, QStringLiteral("7"));
        QVERIFY2(!state.FirstTry, "random order keeps FirstTry");
        QVERIFY(!state.GroupFinished);
    }

    // Every position known, and a filter that leaves out everything: the pick
    // ends, treating the range as complete.
    void hopelessRangesEnd_data()
    {
        QTest::addColumn<bool>("successive");
        QTest::addColumn<bool>("allKnown");
        QTest::newRow("random, all known") << false << true;
        QTest::newRow("random, all filtered") << false << false;
        QTest::newRow("successive, all filtered") << true << false;
    }

    void hopelessRangesEnd()
    {
        QFETCH(bool, successive);
        QFETCH(bool, allKnown);
        auto words = std::make_unique<WordStore>();
        words->store(0, {"you", "voc\xEA"});
        words->store(1, {"I", "eu"});
        DrillState state;
        state.RangeEnd = allKnown ? 1 : 2;
        if (allKnown)
            state.KnownList = QStringList{"0"};
        Settings settings = settingsFor("Pronouns");
        settings.successive = successive;
        settings.infinitives = !allKnown;
        FixedRandom random;
        drill::pickEntry(state, settings, *words, random);
        QVERIFY(state.GroupFinished);
        QVERIFY(state.KnownList.isEmpty());
        QVERIFY(state.CurrentIndex >= 0 && state.CurrentIndex < state.RangeEnd);
        QVERIFY(random.draws < 1000);
    }

    void verbFormFilters_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("infinitives");
        QTest::addColumn<int>("asked");   // distinct entries asked over the whole group
        QTest::addColumn<int>("leftOut");
        QTest::newRow("verbs, infinitives and p.p.") << "Verbs" << true << 328 + 21 << 2595 - 349;
        QTest::newRow("verbs, no second person") << "Verbs" << false << 2595 - 373 - 374 << 373 + 374;
        QTest::newRow("pronouns, infinitives") << "Pronouns" << true << 27 - 4 << 4;
        QTest::newRow("nouns, infinitives") << "Nouns" << true << 564 - 4 << 4;
        QTest::newRow("adjectives, infinitives") << "Adjectives" << true << 208 - 3 << 3;
        QTest::newRow("adverbs, infinitives") << "Adverbs" << true << 75 - 1 << 1;
        QTest::newRow("nouns, no second person") << "Nouns" << false << 564 << 0;
    }

    void verbFormFilters()
    {
        QFETCH(QString, group);
        QFETCH(bool, infinitives);
        QFETCH(int, asked);
        QFETCH(int, leftOut);
        const Group g = group == "Verbs" ? Group::Verbs
                        : group == "Pronouns" ? Group::Pronouns
                        : group == "Nouns" ? Group::Nouns
                        : group == "Adjectives" ? Group::Adjectives : Group::Adverbs;
        m_words->load(g);
        DrillState state;
        state.RangeEnd = vocabulary::info(g).size();
        Settings settings = settingsFor(group, "1000 Words", "All Words");
        settings.infinitives = infinitives;
        settings.noSecondPerson = !infinitives;
        FixedRandom random;
        QSet<int> seen;
        while (!state.GroupFinished) {
            drill::pickEntry(state, settings, *m_words, random);
            seen.insert(state.CurrentIndex);
            const QString text = english(state.CurrentIndex);
            if (infinitives)
                QVERIFY2(!QRegularExpression("^(I|you|he_\\(|we|they)").match(text).hasMatch(), qPrintable(text));
            else if (settings.verbsChecked)
                QVERIFY2(!text.startsWith("you"), qPrintable(text));
            // Known entries are those answered right or left out.
            if (!state.GroupFinished)
                state.KnownList.append(state.AskedKey);
        }
        QCOMPARE(seen.size(), asked);
        QCOMPARE(state.RangeEnd - int(seen.size()), leftOut);
    }

    void speakableText_data()
    {
        QTest::addColumn<QString>("english");
        QTest::addColumn<bool>("verbForm");
        QTest::addColumn<QString>("said");
        QTest::newRow("one word") << "house" << false << "house";
        QTest::newRow("alternatives pause") << "to toward" << false << "to, toward";
        QTest::newRow("three alternatives") << "bigger larger greater" << false << "bigger, larger, greater";
        QTest::newRow("underscores join") << "each_other" << false << "each other";
        QTest::newRow("joined alternative") << "a_little a_lot" << false << "a little, a lot";
        QTest::newRow("noun note") << "record(noun)" << false << "record";
        QTest::newRow("hyphen and apostrophe") << "right-hand" << false << "right-hand";
        QTest::newRow("marker to") << "to have" << true << "to have";
        QTest::newRow("marker I") << "I don't" << true << "I don't";
        QTest::newRow("marker you") << "you have" << true << "you have";
        QTest::newRow("marker he") << "he_(she_it) uses" << true << "he uses";
        QTest::newRow("marker we") << "we have" << true << "we have";
        QTest::newRow("marker you(pl)") << "you(pl) use" << true << "you use";
        QTest::newRow("marker they") << "they won't" << true << "they won't";
        QTest::newRow("verb form is one phrase") << "he_(she_it) does or makes" << true << "he does or makes";
        QTest::newRow("participle") << "said" << true << "said";
        QTest::newRow("empty") << "" << false << "";
    }

    void speakableText()
    {
        QFETCH(QString, english);
        QFETCH(bool, verbForm);
        QFETCH(QString, said);
        QCOMPARE(QString::fromStdString(drill::speakableText(cp1252(english).toStdString(), verbForm)), said);
    }
};

QTEST_GUILESS_MAIN(TestDrill)
#include "tst_drill.moc"
