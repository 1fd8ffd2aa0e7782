// Thousands of random commands, answers and timer expiries through the window:
// every index stays in the store, the choice order stays a permutation, the
// score keeps its format, and no step hangs.

#include "app/OneLineTextEdit.h"
#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"
#include "tests/WindowFixture.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <random>

namespace {

class SeededRandom : public drill::RandomSource
{
public:
    explicit SeededRandom(unsigned seed)
        : m_engine(seed)
    {
    }
    int uniform(int bound) override { return std::uniform_int_distribution<int>(0, bound - 1)(m_engine); }

private:
    std::mt19937 m_engine;
};

class RandomAnswers : public RecordingBoxes
{
public:
    explicit RandomAnswers(std::mt19937 &engine)
        : m_engine(engine)
    {
    }
    bool confirm(QWidget *owner, const QString &text) override
    {
        RecordingBoxes::confirm(owner, text);
        return m_engine() % 2;
    }

private:
    std::mt19937 &m_engine;
};

const QStringList TypedTexts = {"", "palavra", "você", "vocês", "I have", "to", "você vocês", "a b", "  ", "_",
                                "ção", "€", "Ω", "😀", "é está", "he_(she_it) is", "they meant", QString(300, 'x')};

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void randomCommands_data()
    {
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<int>("steps");
        for (unsigned seed : {1u, 2u, 3u, 4u})
            QTest::addRow("seed %u", seed) << seed << 20000;
    }

    void randomCommands()
    {
        QFETCH(unsigned, seed);
        QFETCH(int, steps);
        std::mt19937 engine(seed);
        RandomAnswers boxes(engine);
        Window w;
        w.form->setRandomSource(std::make_unique<SeededRandom>(seed));
        w.start();

        QList<QAction *> actions;
        for (QAction *action : w.form->findChildren<QAction *>()) {
            const QString name = action->objectName();
            if (!name.isEmpty() && name != "Exit2" && name != "ProgramHelp" && !action->menu())
                actions << action;
        }
        for (QAction *level : w.form->levelActions)
            actions << level;
        const QList<QPushButton *> keys = w.form->centralWidget()->findChildren<QPushButton *>();
        const QRegularExpression scoreFormat(QStringLiteral("^(\\d+\\.\\d\\d%)?$"));

        int mostTrials = 0;
        const auto pick = [&](int n) { return int(engine() % unsigned(n)); };
        for (int step = 0; step < steps; ++step) {
            QElapsedTimer clock;
            clock.start();
            QString what;
            switch (pick(12)) {
            case 0:
            case 1: {
                QAction *action = actions[pick(actions.size())];
                what = action->objectName();
                action->trigger();
                break;
            }
            case 2:
            case 3:
                what = "choice";
                w.choices()[pick(4)]->click();
                break;
            case 4:
                what = "right choice";
                if (!w.form->ChoiceOrder.isEmpty())
                    w.choose(true);
                break;
            case 5:
                what = "check";
                w.form->Answer->setPlainText(TypedTexts[pick(TypedTexts.size())]);
                w.form->Button1->click();
                break;
            case 6:
                what = "accent key";
                keys[pick(keys.size())]->click();
                break;
            case 7:
                what = "Timer1";
                w.expire(w.form->Timer1);
                break;
            case 8:
                what = "Timer2";
                if (w.form->Timer2->isActive() || pick(4) == 0)
                    w.expire(w.form->Timer2);
                break;
            case 9: {
                what = "button";
                TGradBtn *buttons[] = {w.form->Button2, w.form->OstrelButton1, w.form->Reset1, w.form->GradBtn1};
                QTest::mouseClick(buttons[pick(4)], Qt::LeftButton);
                break;
            }
            case 10:
                what = "New/All text";
                w.form->NewAll->setText(pick(3) ? QStringLiteral("New Words Only") : TypedTexts[pick(TypedTexts.size())]);
                break;
            case 11:
                what = "background";
                w.form->Conjunctions1Click();
                break;
            }
            QVERIFY2(clock.elapsed() < 2000, qPrintable("step took too long: " + what));

            const TForm1 &f = *w.form;
            QVERIFY2(f.CurrentIndex >= 0 && f.CurrentIndex < 2595, qPrintable(what));
            QVERIFY2(f.AskedIndex >= 0 && f.AskedIndex < 2595, qPrintable(what));
            QVERIFY2(f.ChoiceOrder.isEmpty() || f.ChoiceOrder.size() == 4, qPrintable(what));
            if (f.ChoiceOrder.size() == 4) {
                QStringList sorted = f.ChoiceOrder;
                sorted.sort();
                QCOMPARE(sorted, (QStringList{"0", "1", "2", "3"}));
            }
            QVERIFY2(scoreFormat.match(w.text("Score")).hasMatch(), qPrintable(w.text("Score")));
            QVERIFY(f.CorrectCount <= f.TrialCount);
            QVERIFY(w.text("NumTrials").isEmpty() || w.text("NumTrials") == QString::number(f.TrialCount));
            QVERIFY(!w.text("Answer").contains('\n'));
            QVERIFY2(!w.text("Edit1").isEmpty(), qPrintable("empty question after " + what));
            for (const QRadioButton *choice : w.choices())
                QVERIFY2(!choice->text().isEmpty(), qPrintable("empty choice after " + what));
            mostTrials = std::max(mostTrials, f.TrialCount);
        }
        QVERIFY2(mostTrials > 0, "answers were judged");
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
