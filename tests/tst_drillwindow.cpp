// The drill through the window: group commands and their ranges, pass-ons,
// the end-of-group prompt, judging, timers, Peek, Reset and the accent keys.

#include "app/OneLineTextEdit.h"
#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"
#include "drill/Speech.h"
#include "drill/Text.h"
#include "tests/WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>

namespace {

const char *const GroupItems[] = {"Nouns1", "Verbs1", "Pronouns1", "Adjectives1", "Adverbs1", "Prepositions1",
                                  "Conjunctions1"};
const char *const GroupTexts[] = {"Nouns", "Verbs", "Pronouns", "Adjectives", "Adverbs", "Prepositions",
                                  "Conjunctions"};

// The two range tables: entries asked with New Words Only (0 = the group passes
// on) and with All Words, per group, 100 to 1000 Words.
const int NewCounts[7][10] = {
    {11, 35, 53, 55, 59, 69, 72, 58, 73, 79},        {137, 126, 375, 211, 255, 255, 278, 317, 354, 287},
    {21, 3, 1, 0, 0, 0, 0, 1, 1, 0},                  {18, 44, 3, 27, 25, 15, 19, 18, 24, 15},
    {18, 17, 8, 11, 3, 3, 5, 4, 3, 3},                {10, 3, 1, 5, 1, 0, 0, 0, 0, 0},
    {8, 0, 2, 2, 0, 0, 1, 0, 0, 1},
};
const int AllCounts[7][10] = {
    {11, 46, 99, 154, 213, 282, 354, 412, 485, 564}, {137, 263, 638, 849, 1104, 1359, 1637, 1954, 2308, 2595},
    {21, 24, 25, 25, 25, 25, 25, 26, 27, 27},        {18, 62, 65, 92, 117, 132, 151, 169, 193, 208},
    {18, 35, 43, 54, 57, 60, 65, 69, 72, 75},        {10, 13, 14, 19, 20, 20, 20, 20, 20, 20},
    {8, 8, 10, 12, 12, 12, 13, 13, 13, 14},
};

QByteArray level(int k)
{
    return QStringLiteral("N%1Words").arg(k * 100).toLatin1();
}

QString levelText(int k)
{
    return QStringLiteral("%1 Words").arg(k * 100);
}

} // namespace

class TestDrillWindow : public QObject
{
    Q_OBJECT

private slots:
    void rangeEnd_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("allWords");
        for (int g = 0; g < 7; ++g)
            for (int k = 1; k <= 10; ++k)
                for (bool all : {false, true})
                    if (all || NewCounts[g][k - 1] > 0)
                        QTest::addRow("%s %d00 %s", GroupTexts[g], k, all ? "all" : "new") << g << k << all;
    }

    void rangeEnd()
    {
        QFETCH(int, group);
        QFETCH(int, level);
        QFETCH(bool, allWords);
        RecordingBoxes boxes;
        Window w;
        w.start();
        w.trigger(allWords ? "AllWords" : "NewWords");
        w.trigger(::level(level).constData());
        w.form->KnownList = QStringList{"5"};
        w.trigger(GroupItems[group]);
        QCOMPARE(w.form->RangeEnd, (allWords ? AllCounts : NewCounts)[group][level - 1]);
        QCOMPARE(w.text("WordGroup"), QString::fromLatin1(GroupTexts[group]));
        QVERIFY(w.action(GroupItems[group])->isChecked());
        QVERIFY(w.form->KnownList.isEmpty());
        QCOMPARE(w.form->GroupFinished, w.form->RangeEnd == 1); // a one-entry range is complete at once
        QVERIFY(boxes.messages.isEmpty());
        // Successive order starts at the range's first entry.
        const int first = allWords || level == 1 ? 0 : AllCounts[group][level - 2];
        QCOMPARE(w.form->AskedIndex, first);
        QCOMPARE(w.text("Edit1"), drill::fromWindows1252(w.form->Words.text(0, first)));
    }

    void passOns_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("endLevel");
        QTest::addColumn<QString>("endGroup");
        QTest::addColumn<int>("endRange");
        QTest::addColumn<int>("asked");
        for (int k : {4, 5, 6, 7, 10})
            QTest::addRow("pronouns %d00", k) << "Pronouns1" << k << QStringList{"There are no new pronouns at this level"}
                                              << levelText(k) << "Adjectives" << NewCounts[3][k - 1]
                                              << AllCounts[3][k - 2];
        QTest::newRow("prepositions 700") << "Prepositions1" << 7
                                          << QStringList{"There are no new prepositions at this level"} << "700 Words"
                                          << "Conjunctions" << 1 << 12;
        QTest::newRow("prepositions 1000") << "Prepositions1" << 10
                                           << QStringList{"There are no new prepositions at this level"}
                                           << "1000 Words" << "Conjunctions" << 1 << 13;
        for (int k : {6, 8, 9})
            QTest::addRow("prepositions %d00", k)
                << "Prepositions1" << k
                << QStringList{"There are no new prepositions at this level",
                               QStringLiteral("There are no new conjunctions at the %1 level. Continue at the %2 level?")
                                   .arg(levelText(k), levelText(k + 1))}
                << levelText(k + 1) << "Nouns" << NewCounts[0][k] << AllCounts[0][k - 1];
        for (int k : {2, 5, 6, 8, 9})
            QTest::addRow("conjunctions %d00", k)
                << "Conjunctions1" << k
                << QStringList{QStringLiteral("There are no new conjunctions at the %1 level. Continue at the %2 level?")
                                   .arg(levelText(k), levelText(k + 1))}
                << levelText(k + 1) << "Nouns" << NewCounts[0][k] << AllCounts[0][k - 1];
    }

    void passOns()
    {
        QFETCH(QString, item);
        QFETCH(int, level);
        QFETCH(QStringList, messages);
        QFETCH(QString, endLevel);
        QFETCH(QString, endGroup);
        QFETCH(int, endRange);
        QFETCH(int, asked);
        RecordingBoxes boxes;
        Window w;
        w.start();
        w.trigger(::level(level).constData());
        w.trigger(qPrintable(item));
        QCOMPARE(boxes.messages, messages);
        QCOMPARE(w.text("Level"), endLevel);
        QCOMPARE(w.text("WordGroup"), endGroup);
        QCOMPARE(w.form->RangeEnd, endRange);
        QCOMPARE(w.form->AskedIndex, asked);
        QCOMPARE(w.text("Edit1"), drill::fromWindows1252(w.form->Words.text(0, asked)));
    }

    void newAllTextThatIsNeither()
    {
        Window w;
        w.start();
        w.trigger("N200Words");
        w.find<QLineEdit>("NewAll")->setText(QStringLiteral("anything"));
        w.trigger("Nouns1");
        QCOMPARE(w.form->RangeEnd, 35); // new words' count...
        QCOMPARE(w.form->AskedIndex, 0); // ...but no start added
    }

    void answeringAOneEntryGroupLeadsToThePrompt_data()
    {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("endGroup");
        QTest::addColumn<int>("asked");
        QTest::newRow("yes") << QList<bool>{true} << "Adjectives" << 62;
        QTest::newRow("no") << QList<bool>{false} << "Pronouns" << 24;
    }

    void answeringAOneEntryGroupLeadsToThePrompt()
    {
        QFETCH(QList<bool>, answers);
        QFETCH(QString, endGroup);
        QFETCH(int, asked);
        RecordingBoxes boxes;
        boxes.answers = answers;
        Window w;
        w.start();
        w.trigger("N300Words");
        w.trigger("Pronouns1");
        QCOMPARE(w.text("Edit1"), QStringLiteral("those"));
        QVERIFY(w.form->GroupFinished);
        w.choose();
        QVERIFY(w.form->Timer2->isActive());
        w.expire(w.form->Timer2);
        QCOMPARE(boxes.messages,
                 QStringList{"Those are the last Pronouns in New Words Only in 300 Words. Click YES and practice the next "
                             "word group? Click NO and repeat."});
        QCOMPARE(w.text("WordGroup"), endGroup);
        QCOMPARE(w.text("Level"), QStringLiteral("300 Words"));
        QCOMPARE(w.form->AskedIndex, asked);
        QVERIFY(!w.form->Timer2->isActive());
    }

    void wholeGroupAnsweredRight()
    {
        RecordingBoxes boxes;
        boxes.answers = {false};
        Window w;
        w.start();
        QList<int> asked;
        for (int i = 0; i < 11; ++i) {
            asked << w.form->AskedIndex;
            w.choose();
            w.expire(w.form->Timer2);
        }
        QCOMPARE(asked, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(boxes.confirmations, 1);
        // No: the same group again from its first entry.
        QCOMPARE(w.text("WordGroup"), QStringLiteral("Nouns"));
        QCOMPARE(w.form->AskedIndex, 0);
        QCOMPARE(w.form->TrialCount, 11);
        QCOMPARE(w.text("Score"), QStringLiteral("100.00%"));
    }

    void yesChain_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("allWords");
        QTest::addColumn<QString>("endLevel");
        QTest::addColumn<QString>("endGroup");
        QTest::addColumn<int>("messages"); // besides the prompt
        QTest::newRow("nouns 100") << 1 << "Nouns1" << false << "100 Words" << "Verbs" << 0;
        QTest::newRow("conjunctions 400") << 4 << "Conjunctions1" << false << "500 Words" << "Nouns" << 0;
        QTest::newRow("adverbs 600") << 6 << "Adverbs1" << false << "700 Words" << "Nouns" << 2;
        QTest::newRow("nouns 1000") << 10 << "Nouns1" << true << "1000 Words" << "Verbs" << 0;
        QTest::newRow("conjunctions 1000") << 10 << "Conjunctions1" << true << "1000 Words" << "Nouns" << 1;
        QTest::newRow("adjectives 200") << 2 << "Adjectives1" << false << "200 Words" << "Adverbs" << 0;
        QTest::newRow("adverbs 700") << 7 << "Adverbs1" << false << "700 Words" << "Conjunctions" << 1;
    }

    void yesChain()
    {
        QFETCH(int, level);
        QFETCH(QString, group);
        QFETCH(bool, allWords);
        QFETCH(QString, endLevel);
        QFETCH(QString, endGroup);
        QFETCH(int, messages);
        RecordingBoxes boxes;
        Window w;
        w.start();
        if (allWords)
            w.trigger("AllWords");
        w.trigger(::level(level).constData());
        w.trigger(qPrintable(group));
        const QString startGroup = w.text("WordGroup");
        w.form->GroupFinished = true; // as after the last unknown entry was picked
        w.choose();
        w.expire(w.form->Timer2);
        QCOMPARE(boxes.confirmations, 1);
        QVERIFY(boxes.messages.first().startsWith("Those are the last " + startGroup + " in "));
        QCOMPARE(boxes.messages.size(), 1 + messages);
        if (level == 10 && group == "Conjunctions1")
            QCOMPARE(boxes.messages[1], QStringLiteral("Congratulations! That was the last of 1000 most used English "
                                                       "words. Repeat this level automatically; or select another "
                                                       "level and group."));
        QCOMPARE(w.text("Level"), endLevel);
        QCOMPARE(w.text("WordGroup"), endGroup);
    }

    // The first entry of a group, asked in a direction, answered by typing.
    void typedAnswers_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("portugueseToEnglish");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("right") << "Nouns1" << false << "palavra" << true;
        QTest::newRow("wrong") << "Nouns1" << false << "palavr" << false;
        QTest::newRow("empty") << "Nouns1" << false << "" << false;
        QTest::newRow("outside Windows-1252") << "Nouns1" << false << "palavra😀" << false;
        QTest::newRow("stray blanks") << "Nouns1" << false << " palavra  " << true;
        QTest::newRow("accepted, never shown") << "Adverbs1" << false << "devagar" << true;
        QTest::newRow("verb: she for he_(she_it)") << "Verbs1" << true << "she is" << true;
        QTest::newRow("verb: no person") << "Verbs1" << true << "is" << false;
    }

    void typedAnswers()
    {
        QFETCH(QString, group);
        QFETCH(bool, portugueseToEnglish);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        Window w;
        w.start();
        if (portugueseToEnglish)
            w.trigger("SpanishtoEnglish1");
        w.trigger(qPrintable(group));
        w.trigger("TypeAnswer");
        w.form->Answer->setPlainText(typed);
        w.form->Button1->click();
        QCOMPARE(w.text("NumTrials"), QStringLiteral("1"));
        QCOMPARE(w.text("Answer"), typed + (right ? " is Correct!" : " is NOT Correct! Try Again"));
        QCOMPARE(w.text("Score"), right ? QStringLiteral("100.00%") : QStringLiteral("0.00%"));
        QVERIFY(w.form->Timer1->isActive());
        QCOMPARE(w.form->Timer2->isActive(), right);
        QCOMPARE(w.form->KnownList, right ? QStringList{"0"} : QStringList{});
        QCOMPARE(w.form->FirstTry, right);
    }

    // The cap is on what the learner puts in; the feedback is written whole.
    void feedbackFollowsACappedPaste()
    {
        Window w;
        w.start();
        w.trigger("TypeAnswer");
        QApplication::clipboard()->setText(QString(1000000, u'x'));
        w.form->Answer->paste();
        w.form->Button1->click();
        QCOMPARE(w.text("Answer"), QString(OneLineTextEdit::MaxTypedLength, u'x') + " is NOT Correct! Try Again");
    }

    // Enter pressed twice: the feedback is never judged; a new answer is.
    void secondCheckOnTheFeedbackChangesNothing()
    {
        Window w;
        w.start();
        w.trigger("TypeAnswer");
        w.form->Answer->setPlainText(QStringLiteral("palavra"));
        w.form->Button1->click();
        w.form->Button1->click();
        QCOMPARE(w.form->TrialCount, 1);
        QCOMPARE(w.text("Answer"), QStringLiteral("palavra is Correct!"));
        QCOMPARE(w.text("Score"), QStringLiteral("100.00%"));
        QCOMPARE(w.form->KnownList, QStringList{"0"});
        QVERIFY(w.form->FirstTry);
        w.expire(w.form->Timer2);
        QCOMPARE(w.text("Edit1"), QStringLiteral("time"));

        w.form->Answer->setPlainText(QStringLiteral("temp"));
        w.form->Button1->click();
        w.form->Button1->click();
        QCOMPARE(w.form->TrialCount, 2);
        QTest::keyClick(w.form->Answer, Qt::Key_O);
        w.form->Button1->click();
        QCOMPARE(w.form->TrialCount, 3);
    }

    void wrongThenRightChoice()
    {
        Window w;
        w.start();
        w.choose(false);
        QCOMPARE(w.text("Answer"), QStringLiteral("Error!"));
        QVERIFY(w.form->Timer1->isActive());
        QVERIFY(!w.form->Timer2->isActive());
        w.choose(true);
        QCOMPARE(w.text("Answer"), QStringLiteral("Error!")); // English to Portuguese writes nothing
        QCOMPARE(w.text("NumTrials"), QStringLiteral("2"));
        QCOMPARE(w.text("Score"), QStringLiteral("50.00%"));
        QVERIFY(w.form->KnownList.isEmpty());
        QVERIFY(w.form->FirstTry);
        QVERIFY(w.form->ChoiceOrder.isEmpty());
        QVERIFY(w.form->Timer2->isActive());
    }

    void rightChoiceTexts_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("portugueseToEnglish");
        QTest::addColumn<QString>("answer");
        QTest::newRow("nouns, to Portuguese") << "Nouns1" << false << "";
        QTest::newRow("nouns, to English") << "Nouns1" << true << "Correct!";
        QTest::newRow("verbs, to English") << "Verbs1" << true << "";
    }

    void rightChoiceTexts()
    {
        QFETCH(QString, group);
        QFETCH(bool, portugueseToEnglish);
        QFETCH(QString, answer);
        Window w;
        w.start();
        w.trigger(qPrintable(group));
        if (portugueseToEnglish)
            w.trigger("SpanishtoEnglish1");
        w.choose();
        QCOMPARE(w.text("Answer"), answer);
    }

    void clickAfterARightChoiceIsIgnored()
    {
        Window w;
        w.start();
        w.choose();
        QVERIFY(w.form->ChoiceOrder.isEmpty());
        for (QRadioButton *choice : w.choices())
            choice->click();
        QCOMPARE(w.form->TrialCount, 1);
        QCOMPARE(w.text("Score"), QStringLiteral("100.00%"));
    }

    void choicesInTypedModeCountNothing()
    {
        Window w;
        w.start();
        w.trigger("TypeAnswer");
        w.choices()[2]->setChecked(true);
        QCOMPARE(w.form->TrialCount, 0);
    }

    void choiceOrderKeptUntilARightChoice()
    {
        Window w;
        w.start();
        const QStringList order = w.form->ChoiceOrder;
        w.trigger("TypeAnswer");
        QTest::mouseClick(w.form->Button2, Qt::LeftButton);
        QTest::mouseClick(w.form->Button2, Qt::LeftButton);
        QCOMPARE(w.form->ChoiceOrder, order);
    }

    void peekThenTyping()
    {
        Window w;
        w.start();
        w.trigger("Pronouns1");
        w.trigger("TypeAnswer");
        w.form->SequencePos = 0;
        QTest::mouseClick(w.form->Button2, Qt::LeftButton); // pronoun 1
        QTest::mouseClick(w.form->OstrelButton1, Qt::LeftButton);
        const QString expected = w.text("Answer");
        QVERIFY(!expected.isEmpty());
        QVERIFY(w.form->Timer1->isActive());
        QCOMPARE(w.form->TrialCount, 0);
        QVERIFY(w.form->FirstTry);
        w.expire(w.form->Timer1);
        QCOMPARE(w.text("Answer"), QString());
        w.form->Answer->setPlainText(expected.section(' ', 0, 0));
        w.form->Button1->click();
        QVERIFY(w.text("Answer").endsWith(" is Correct!"));
        QCOMPARE(w.form->KnownList, QStringList{"1"});
    }

    void peekAtYou()
    {
        Window w;
        w.start();
        w.trigger("Pronouns1");
        w.trigger("TypeAnswer");
        w.form->SequencePos = 0; // pronoun 1 is "you"
        QTest::mouseClick(w.form->Button2, Qt::LeftButton);
        QCOMPARE(w.text("Edit1"), QStringLiteral("you"));
        QTest::mouseClick(w.form->OstrelButton1, Qt::LeftButton);
        QCOMPARE(w.text("Answer"), QStringLiteral("você vocês"));
        w.form->Button1->click();
        QCOMPARE(w.form->TrialCount, 0);
        w.form->Answer->setPlainText(QStringLiteral("você vocês"));
        w.form->Button1->click();
        QVERIFY(w.text("Answer").endsWith(" is NOT Correct! Try Again"));
    }

    void resetClearsTheCounts()
    {
        Window w;
        w.start();
        w.choose(false);
        w.choose(true);
        const QString question = w.text("Edit1");
        const QStringList known = w.form->KnownList;
        QTest::mouseClick(w.form->Reset1, Qt::LeftButton);
        QCOMPARE(w.text("NumTrials"), QString());
        QCOMPARE(w.text("Score"), QString());
        QCOMPARE(w.form->TrialCount, 0);
        QCOMPARE(w.form->CorrectCount, 0);
        QCOMPARE(w.text("Edit1"), question);
        QCOMPARE(w.form->KnownList, known);
        w.form->ChoiceOrder = QStringList{"0", "1", "2", "3"};
        w.choices()[1]->click();
        QCOMPARE(w.text("Score"), QStringLiteral("0.00%"));
    }

    void timersAreOneShotAndNotRestarted()
    {
        Window w;
        w.start();
        w.trigger("TypeAnswer");
        w.form->Answer->setPlainText(QStringLiteral("x"));
        w.form->Button1->click();
        QTest::qWait(600);
        const int remaining = w.form->Timer1->remainingTime();
        w.form->Answer->setPlainText(QStringLiteral("y"));
        w.form->Button1->click();
        QVERIFY2(w.form->Timer1->remainingTime() <= remaining, "a running timer keeps its interval");
        QTRY_VERIFY_WITH_TIMEOUT(!w.form->Timer1->isActive(), 3000);
        QCOMPARE(w.text("Answer"), QString());
        QTest::qWait(1700);
        QVERIFY2(!w.form->Timer1->isActive(), "Timer1 is one-shot");
    }

    void rightAnswerMovesOnByItself()
    {
        Window w;
        w.start();
        w.choose();
        QTRY_COMPARE_WITH_TIMEOUT(w.text("Edit1"), QStringLiteral("time"), 3000);
        QVERIFY(!w.form->Timer2->isActive());
    }

    void newQuestionStopsTheMoveOnButNotTheClearing()
    {
        Window w;
        w.start();
        w.choose(false);
        w.choose(true);
        QVERIFY(w.form->Timer1->isActive() && w.form->Timer2->isActive());
        QTest::mouseClick(w.form->Button2, Qt::LeftButton);
        QVERIFY(!w.form->Timer2->isActive());
        QVERIFY(w.form->Timer1->isActive());
        QCOMPARE(w.text("Answer"), QString());
    }

    void accentKeys_data()
    {
        QTest::addColumn<bool>("portugueseToEnglish");
        QTest::addColumn<QStringList>("appended");
        QTest::newRow("to Portuguese") << false << QStringList{"á", "â", "ã", "ç", "é", "ê", "í", "ó", "ô", "õ", "ú"};
        QTest::newRow("to English") << true
                                    << QStringList{"to ", "I ", "you ", "he_(she_it) ", "we ", "you(pl) ", "they ",
                                                   "ó", "ô", "õ", "ú"};
    }

    void accentKeys()
    {
        QFETCH(bool, portugueseToEnglish);
        QFETCH(QStringList, appended);
        const char *keys[] = {"Accenta", "AcuteA", "TildeA", "Tilden", "Accente", "AcuteE",
                              "accenti", "Accento", "AcuteO", "TildeO", "Accentu"};
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.trigger("TypeAnswer");
        if (portugueseToEnglish)
            w.trigger("SpanishtoEnglish1");
        for (int i = 0; i < 11; ++i) {
            w.form->Answer->setPlainText(QStringLiteral("abc"));
            QTextCursor cursor = w.form->Answer->textCursor();
            cursor.setPosition(1);
            w.form->Answer->setTextCursor(cursor);
            w.find<QPushButton>(keys[i])->click();
            w.find<QPushButton>(keys[i])->click();
            QCOMPARE(w.text("Answer"), "abc" + appended[i] + appended[i]);
            QCOMPARE(w.form->Answer->textCursor().position(), int(w.text("Answer").size()));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.form->Answer));
        }
        // Typing goes on after the appended text.
        w.form->Answer->clear();
        w.find<QPushButton>("Tilden")->click();
        QTest::keyClicks(w.form->Answer, "is");
        QCOMPARE(w.text("Answer"), portugueseToEnglish ? QStringLiteral("he_(she_it) is") : QStringLiteral("çis"));
    }

    void typedVerbInEnglishNeedsTheWholeText()
    {
        Window w;
        w.start();
        w.trigger("Verbs1");
        w.trigger("TypeAnswer");
        w.trigger("SpanishtoEnglish1");
        w.form->SequencePos = 3;
        QTest::mouseClick(w.form->Button2, Qt::LeftButton);
        QCOMPARE(w.text("Edit1"), QStringLiteral("tenho"));
        for (const char *typed : {"have", "i have", "I have"}) {
            w.form->Answer->setPlainText(QString::fromLatin1(typed));
            w.form->Button1->click();
        }
        QCOMPARE(w.form->CorrectCount, 1);
        QCOMPARE(w.form->TrialCount, 3);
    }

    void cues_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("cue");
        QTest::newRow("wrong choice") << false << false << "cue:qrc:/sounds/wrong.wav";
        QTest::newRow("right choice") << false << true << "cue:qrc:/sounds/right.wav";
        QTest::newRow("wrong typed") << true << false << "cue:qrc:/sounds/wrong.wav";
        QTest::newRow("right typed") << true << true << "cue:qrc:/sounds/right.wav";
    }

    void cues()
    {
        QFETCH(bool, typed);
        QFETCH(bool, right);
        QFETCH(QString, cue);
        Window w;
        w.start();
        if (typed) {
            w.trigger("TypeAnswer");
            w.form->Answer->setPlainText(right ? QStringLiteral("palavra") : QStringLiteral("x"));
            w.form->Button1->click();
        } else {
            w.choose(right);
        }
        QCOMPARE(w.sound.events, QStringList{cue});
    }

    // Repeat says the English question, made speakable, and nothing else moves.
    void repeatSaysTheQuestion_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("skip"); // New Question clicks before Repeat
        QTest::addColumn<bool>("portugueseToEnglish");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("first noun") << "Nouns1" << 0 << false << QStringList{"say:word"};
        QTest::newRow("verb with marker") << "Verbs1" << 0 << false << QStringList{"say:he is"};
        QTest::newRow("alternatives") << "Prepositions1" << 1 << false << QStringList{"say:to, toward"};
        QTest::newRow("question in Portuguese") << "Nouns1" << 0 << true << QStringList{};
    }

    void repeatSaysTheQuestion()
    {
        QFETCH(QString, group);
        QFETCH(int, skip);
        QFETCH(bool, portugueseToEnglish);
        QFETCH(QStringList, said);
        Window w;
        w.form->show(); // the first activation starts the drill
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.trigger(qPrintable(group));
        if (portugueseToEnglish)
            w.trigger("SpanishtoEnglish1");
        for (int i = 0; i < skip; ++i)
            w.form->Button2->click();
        w.form->Answer->setFocus();
        w.choose(false); // a trial, a running timer and a choice order to keep
        w.sound.events.clear();
        const auto snapshot = [&w] {
            const TForm1 &f = *w.form;
            return QStringList{w.text("Edit1"), w.text("Answer"), w.text("NumTrials"), w.text("Score"),
                               QString::number(f.AskedIndex), QString::number(f.SequencePos),
                               QString::number(f.TrialCount), QString::number(f.CorrectCount),
                               QString::number(f.FirstTry), f.KnownList.join(','), f.ChoiceOrder.join(','),
                               QString::number(f.Timer1->isActive()), QString::number(f.Timer2->isActive())}
                   << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
        };
        const QStringList before = snapshot();
        const int remaining = w.form->Timer1->remainingTime();
        if (portugueseToEnglish) {
            QVERIFY(!w.form->GradBtn1->isEnabled());
            w.form->GradBtn1Click(); // even when called, the answer is not given away
        } else {
            w.form->GradBtn1->click(); // as Enter or a screen reader presses it
        }
        QCOMPARE(w.sound.events, said);
        QCOMPARE(snapshot(), before);
        QVERIFY2(w.form->Timer1->remainingTime() <= remaining, "Repeat restarted the feedback timer");
    }
};

QTEST_MAIN(TestDrillWindow)
#include "tst_drillwindow.moc"
