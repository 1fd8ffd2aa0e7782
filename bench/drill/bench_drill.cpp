// Times the drill's core on plain values: one step (pick the entry, build the
// question with its four choices, judge the answer) and the load of each word
// group into the store. No widgets, no event loop.
#include "drill/Drill.h"
#include "vocabulary/WordGroups.h"
#include "vocabulary/WordStore.h"

#include <QElapsedTimer>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

namespace {

class Mt19937 : public drill::RandomSource {
public:
    int uniform(int bound) override { return std::uniform_int_distribution<int>(0, bound - 1)(m_engine); }

private:
    std::mt19937 m_engine {1000};
};

struct Case {
    const char *label;
    vocabulary::Group group;
    const char *groupText;
    bool successive;
    bool typed;
};

// Microseconds per step, over the whole 1000-word range of a group.
double timeSteps(const Case &c, vocabulary::WordStore &words, int rounds, long &checksum)
{
    drill::DrillState state;
    state.RangeEnd = vocabulary::allWordCount(c.group, vocabulary::LevelCount - 1);
    drill::Settings settings;
    settings.successive = c.successive;
    settings.newAll = QStringLiteral("All Words");
    settings.wordGroup = QString::fromLatin1(c.groupText);
    settings.level = QStringLiteral("1000 Words");
    settings.verbsChecked = c.group == vocabulary::Group::Verbs;
    words.load(c.group);
    Mt19937 random;

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        const drill::Question question = drill::buildQuestion(state, settings, words, random);
        if (c.typed) {
            std::string typed(drill::expectedAnswer(state, words));
            typed = typed.substr(0, typed.find(' ')); // one alternative, as a learner types it
            checksum += drill::checkTypedAnswer(state, settings, words, typed);
        } else {
            checksum += int(drill::checkChoice(state, state.ChoiceOrder.value(0).toInt()));
        }
        checksum += long(question.text.size());
        state.GroupFinished = false;
    }
    return double(timer.nsecsElapsed()) / rounds / 1000.0;
}

} // namespace

int main()
{
    auto words = std::make_unique<vocabulary::WordStore>();
    long checksum = 0;
    const int rounds = 20000;

    const Case cases[] = {
        {"nouns, successive, choice", vocabulary::Group::Nouns, "Nouns", true, false},
        {"nouns, random, choice", vocabulary::Group::Nouns, "Nouns", false, false},
        {"nouns, random, typed", vocabulary::Group::Nouns, "Nouns", false, true},
        {"verbs, random, choice", vocabulary::Group::Verbs, "Verbs", false, false},
        {"verbs, random, typed", vocabulary::Group::Verbs, "Verbs", false, true},
    };
    std::printf("one drill step (pick, build the question, judge), 1000-word level, mean of %d\n", rounds);
    for (const Case &c : cases) {
        timeSteps(c, *words, 500, checksum); // warm up
        std::printf("  %-28s %8.2f us\n", c.label, timeSteps(c, *words, rounds, checksum));
    }

    const int loads = 2000;
    std::printf("one word-group load into the store, mean of %d\n", loads);
    for (const vocabulary::GroupInfo &group : vocabulary::Groups) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < loads; ++i)
            words->load(group.group);
        const double us = double(timer.nsecsElapsed()) / loads / 1000.0;
        checksum += long(words->text(0, 0).size());
        std::printf("  %-13s %5d entries %8.2f us\n", std::string(group.name).c_str(), group.size(), us);
    }
    std::printf("(checksum %ld)\n", checksum);
    return 0;
}
