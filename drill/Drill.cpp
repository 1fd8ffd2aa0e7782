#include "drill/Drill.h"

#include <algorithm>
#include <vector>

#include "drill/Articles.h"
#include "drill/Text.h"

#include "vocabulary/WordGroups.h"
#include "vocabulary/WordStore.h"

using vocabulary::WordStore;

namespace drill {

namespace {

const char *const LevelTexts[vocabulary::LevelCount] = {"100 Words", "200 Words", "300 Words", "400 Words",
                                                         "500 Words", "600 Words", "700 Words", "800 Words",
                                                         "900 Words", "1000 Words"};

// A text begins with a marker when the marker's first occurrence is at its start.
bool beginsWith(std::string_view text, std::string_view marker)
{
    return text.find(marker) == 0;
}

bool leftOutByVerbForm(const Settings &settings, std::string_view english)
{
    if (settings.verbsChecked && settings.noSecondPerson && beginsWith(english, "you"))
        return true;
    if (settings.infinitives) {
        for (std::string_view marker : {"I", "you", "he_(", "we", "they"})
            if (beginsWith(english, marker))
                return true;
    }
    return false;
}

std::string_view english(const WordStore &words, int index)
{
    return words.text(WordStore::English, index);
}

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

// An entry the store does not hold: beyond every group loaded so far (or
// outside the store), its texts are empty.
bool holdsEntry(const WordStore &words, int index)
{
    return index >= 0 && index < vocabulary::MaxEntries && !words.text(WordStore::English, index).empty()
           && !words.text(WordStore::Portuguese, index).empty();
}

// How many positions from start may be asked: the range, cut before the
// entries that the store does not hold. A New/All text typed without a reload
// can put the range past the loaded words; an empty question is never asked.
// Loading fills the store from index 0 up, so the empty entries all lie past
// the filled ones.
int askableEnd(const WordStore &words, int start, int rangeEnd)
{
    int end = std::min(rangeEnd, vocabulary::MaxEntries - start);
    while (end > 0 && !holdsEntry(words, start + end - 1))
        --end;
    return end;
}

// Enough draws to find the last unknown position of the largest range many
// times over; past them the range counts as complete instead of looping.
int drawLimit(int rangeEnd)
{
    return 100 * std::max(rangeEnd, 1) + 100;
}

} // namespace

QString levelText(int level)
{
    return QString::fromLatin1(LevelTexts[level]);
}

std::optional<int> levelOfText(const QString &levelText)
{
    for (int level = 0; level < vocabulary::LevelCount; ++level)
        if (levelText == QLatin1String(LevelTexts[level]))
            return level;
    return std::nullopt;
}

QString groupText(vocabulary::Group group)
{
    const std::string_view name = vocabulary::info(group).name;
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

std::optional<vocabulary::Group> groupOfText(const QString &groupText)
{
    for (const vocabulary::GroupInfo &group : vocabulary::Groups)
        if (groupText == drill::groupText(group.group))
            return group.group;
    return std::nullopt;
}

int newWordsStart(const Settings &settings)
{
    if (settings.newAll != QLatin1String("New Words Only"))
        return 0;
    const std::optional<vocabulary::Group> group = groupOfText(settings.wordGroup);
    const std::optional<int> level = levelOfText(settings.level);
    return group && level ? vocabulary::firstNewIndex(*group, *level) : 0;
}

void pickEntry(DrillState &state, const Settings &settings, const WordStore &words, RandomSource &random)
{
    int start = newWordsStart(settings);
    int rangeEnd = askableEnd(words, start, std::max(state.RangeEnd, 1));
    if (rangeEnd == 0) {
        // Not one entry from the start on: the range starts at entry 0 instead.
        start = 0;
        rangeEnd = std::max(askableEnd(words, 0, std::max(state.RangeEnd, 1)), 1);
    }
    int drawsLeft = drawLimit(rangeEnd);
    for (;;) {
        int position = 0;
        bool exhausted = false;
        if (settings.successive) {
            // Wraps at the end of the range rather than running on into the store.
            const int next = state.SequencePos + 1;
            state.SequencePos = next >= rangeEnd || next < 0 ? 0 : next;
            position = state.SequencePos;
            state.AskedKey = QString::number(position);
            state.FirstTry = true;
            exhausted = --drawsLeft <= 0;
        } else {
            do {
                position = random.uniform(rangeEnd);
                state.AskedKey = QString::number(position);
                exhausted = --drawsLeft <= 0;
            } while (state.KnownList.contains(state.AskedKey) && !exhausted);
        }
        state.CurrentIndex = std::min(position + start, vocabulary::MaxEntries - 1);

        if (state.KnownList.size() == rangeEnd - 1 || exhausted) {
            state.KnownList.clear();
            state.GroupFinished = true;
        }
        state.QuestionText = bytes(english(words, state.CurrentIndex));

        if (exhausted || !leftOutByVerbForm(settings, english(words, state.CurrentIndex)))
            return;
        state.KnownList.append(state.AskedKey);
    }
}

std::string_view personMarker(std::string_view english)
{
    for (std::string_view marker : {"I ", "you ", "he_(", "we ", "you(", "they", "to "})
        if (english.find(marker) != std::string_view::npos)
            return marker;
    return "I";
}

namespace {

// Whether visit holds for one of a text's alternatives (separated by blanks).
template<typename Visit>
bool anyAlternative(std::string_view text, Visit visit)
{
    while (!text.empty()) {
        const size_t blank = text.find(' ');
        if (visit(text.substr(0, blank)))
            return true;
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    }
    return false;
}

// What the learner may answer to the question on screen: the expected
// answers of every entry the question may mean.
using RightAnswers = std::vector<ExpectedAnswer>;

// Whether a text, chosen or typed whole or as one of its alternatives, is
// right for the question.
bool offersARightAnswer(std::string_view text, const RightAnswers &right)
{
    const auto isRight = [&](std::string_view answer) {
        const std::optional<std::string> typed{std::string(answer)};
        return std::any_of(right.begin(), right.end(),
                           [&](const ExpectedAnswer &expected) { return typedAnswerIsRight(typed, expected); });
    };
    return isRight(text) || anyAlternative(text, isRight);
}

// Whether a wrong answer would show the same text as the right one or as a
// wrong one found before it, or a text that is right for the question: two
// alike choices make a right click wrong ("we chose" and "we choose" are both
// "escolhemos"), and "aprendemos" means "we learn" as well as "we learned".
bool repeatsAChoice(const DrillState &state, const WordStore &words, const RightAnswers &right, int index,
                    const std::array<int, 3> &found, const int *next)
{
    const std::string_view text = words.text(state.AnswerLang, index);
    if (text == words.text(state.AnswerLang, state.AskedIndex) || offersARightAnswer(text, right))
        return true;
    for (const int *earlier = found.data(); earlier != next; ++earlier)
        if (text == words.text(state.AnswerLang, *earlier))
            return true;
    return false;
}

// The verbs' wrong answers: the nearest entries with the same marker in the
// step's direction, passing over texts already shown. Near an end of the
// store the search turns round at the asked entry, and if no entry has the
// marker at all, the asked one is shown.
void findVerbDistractors(DrillState &state, const WordStore &words, const RightAnswers &right, int step,
                         std::array<int, 3> &found)
{
    const std::string_view marker = personMarker(state.QuestionText.toStdString());
    bool turned = false;
    for (int &target : found) {
        for (;;) {
            const int next = state.CurrentIndex + step;
            if (next < 0 || next >= vocabulary::MaxEntries) {
                if (turned) {
                    state.CurrentIndex = state.AskedIndex;
                    break;
                }
                turned = true;
                step = -step;
                state.CurrentIndex = state.AskedIndex;
                continue;
            }
            state.CurrentIndex = next;
            if (english(words, next).find(marker) != std::string_view::npos
                && !repeatsAChoice(state, words, right, next, found, &target))
                break;
        }
        target = state.CurrentIndex;
    }
}

// The other groups' wrong answers: the entries one, two and three steps from
// the asked one, one step further where a text is already shown. An entry
// that the store does not hold is never shown: the reads turn round at the
// asked entry; where that also fails, the nearest entry that fits is shown,
// and where none fits, the asked one. Reads reach
// from entry 1 to entry 24 at most (unless texts repeat), so this changes
// nothing once a group of 25 entries or more has been loaded.
void findNeighbourDistractors(DrillState &state, const WordStore &words, const RightAnswers &right, int step,
                              std::array<int, 3> &found)
{
    bool turned = false;
    const auto passRepeats = [&](int next, const int *target) {
        while (holdsEntry(words, next) && repeatsAChoice(state, words, right, next, found, target))
            next += step;
        return next;
    };
    for (int &target : found) {
        int next = passRepeats(state.CurrentIndex + step, &target);
        if (!holdsEntry(words, next) && !turned) {
            turned = true;
            step = -step;
            next = passRepeats(state.AskedIndex + step, &target);
        }
        for (int distance = 1; !holdsEntry(words, next) && distance < vocabulary::MaxEntries; ++distance)
            for (const int nearby : {state.AskedIndex + distance, state.AskedIndex - distance})
                if (!holdsEntry(words, next) && holdsEntry(words, nearby)
                    && !repeatsAChoice(state, words, right, nearby, found, &target))
                    next = nearby;
        state.CurrentIndex = holdsEntry(words, next) ? next : state.AskedIndex;
        target = state.CurrentIndex;
    }
}

} // namespace

Question buildQuestion(DrillState &state, const Settings &settings, const WordStore &words, RandomSource &random)
{
    state.QuestionLang = settings.englishToPortuguese ? 0 : 1;
    pickEntry(state, settings, words, random);

    Question question;
    question.text = words.text(state.QuestionLang, state.CurrentIndex);
    state.AnswerLang = settings.englishToPortuguese ? 1 : 0;

    // Every value is appended at its first draw, so the order is a uniform
    // permutation. A complete order still takes one draw.
    int draws = 0;
    do {
        const QString place = QString::number(random.uniform(4));
        if (!state.ChoiceOrder.contains(place))
            state.ChoiceOrder.append(place);
    } while (state.ChoiceOrder.size() < 4 && ++draws < 1000);
    for (int place = 0; state.ChoiceOrder.size() < 4; ++place) // only a broken source gets here
        if (!state.ChoiceOrder.contains(QString::number(place)))
            state.ChoiceOrder.append(QString::number(place));

    question.choices[state.ChoiceOrder[0].toInt()] = words.text(state.AnswerLang, state.CurrentIndex);
    state.QuestionText = bytes(english(words, state.CurrentIndex));
    state.AskedIndex = state.CurrentIndex;

    RightAnswers right;
    for (const int meant : sameQuestionEntries(settings, words, state.QuestionLang, state.AskedIndex))
        right.push_back(expectedAnswerOf(settings, words, state.AnswerLang, meant));
    std::array<int, 3> wrong{};
    if (settings.wordGroup == QLatin1String("Verbs")) {
        findVerbDistractors(state, words, right, settings.level == QLatin1String("100 Words") ? 1 : -1, wrong);
    } else {
        int step = random.uniform(4) + 1;
        if (state.CurrentIndex > 12)
            step = -step;
        findNeighbourDistractors(state, words, right, step, wrong);
    }
    for (int i = 0; i < 3; ++i)
        question.choices[state.ChoiceOrder[i + 1].toInt()] = words.text(state.AnswerLang, wrong[i]);
    return question;
}

namespace {

// A blank before a note in parentheses is the learner's choice: "you (pl)".
std::string notesJoined(std::string text)
{
    for (size_t at = text.find("_("); at != std::string::npos; at = text.find("_(", at))
        text.erase(at, 1);
    return text;
}

// English contractions read as their full forms, so that either stands for
// the other: "I'm" is "I_am", "don't" is "do_not", "can't" and "can not" are
// "cannot". A word's "'s" is "is" only after a pronoun: "mother's" is no verb.
std::string fullForms(std::string_view text)
{
    static const std::array<std::pair<std::string_view, std::string_view>, 6> Whole = {{
        {"won't", "will_not"}, {"can't", "cannot"}, {"shan't", "shall_not"}, {"I'm", "I_am"},
        {"can_not", "cannot"}, {"ain't", "am_not"}}};
    static const std::array<std::pair<std::string_view, std::string_view>, 5> Endings = {{
        {"n't", "_not"}, {"'re", "_are"}, {"'ll", "_will"}, {"'ve", "_have"}, {"'d", "_would"}}};
    std::string result;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('_', start), text.size());
        std::string word(text.substr(start, end - start));
        // "can not" is two words: looked at with the next one.
        if (word == "can" && text.substr(end, 4) == "_not" && (end + 4 == text.size() || text[end + 4] == '_')) {
            word = "can_not";
            start = end + 4;
        } else {
            start = end;
        }
        for (const auto &[contracted, full] : Whole)
            if (word == contracted)
                word = full;
        for (const auto &[ending, full] : Endings)
            if (word.size() > ending.size() && word.ends_with(ending))
                word.replace(word.size() - ending.size(), ending.size(), full);
        for (std::string_view pronoun : {"he", "she", "it", "that", "there", "what", "who"})
            if (word.size() == pronoun.size() + 2 && word.compare(0, pronoun.size(), pronoun) == 0
                && word.compare(pronoun.size(), 2, "'s") == 0)
                word = std::string(pronoun) + "_is";
        if (!result.empty())
            result += '_';
        result += word;
        ++start;
    }
    return result;
}

// The text with a capital first letter made small: "Tempo", "Água" (Windows-1252).
std::string withSmallFirstLetter(std::string text)
{
    if (text.empty())
        return text;
    const unsigned char first = text[0];
    if ((first >= 'A' && first <= 'Z') || (first >= 0xC0 && first <= 0xDE && first != 0xD7))
        text[0] = char(first + 0x20);
    return text;
}

bool matchesAlternative(const std::string &typed, std::string_view alternative)
{
    const std::string written = fullForms(notesJoined(std::string(alternative)));
    const bool hasNote = written.find('(') != std::string::npos;
    if (typed == written || (hasNote && typed == joinedWords(withoutNotes(written))))
        return true;
    // A second person without its pronoun: "recebe" for "você_recebe".
    for (std::string_view subject : {"voc\xEA_", "voc\xEAs_"}) // Windows-1252
        if (written.size() > subject.size() && written.compare(0, subject.size(), subject) == 0)
            return typed == written.substr(subject.size());
    return false;
}

// The answer as joined words, contractions read in full.
bool answerIsRight(const std::string &answer, const ExpectedAnswer &expected)
{
    const auto matches = [&](std::string_view alternative) { return matchesAlternative(answer, alternative); };
    const size_t blank = expected.text.find(' ');
    if (!expected.markerAndForm || blank == std::string_view::npos) {
        if (anyAlternative(expected.text, matches) || anyAlternative(expected.accepted, matches))
            return true;
        // A noun with its article: "the word", "o tempo", never "a tempo".
        const size_t joint = answer.find('_');
        if (expected.articles == Articles::None || joint == std::string::npos)
            return false;
        const std::string article = answer.substr(0, joint);
        const std::string noun = answer.substr(joint + 1);
        const auto agrees = [&](std::string_view alternative) {
            return matchesAlternative(noun, alternative)
                   && articleAgrees(expected.articles, article, alternative);
        };
        return anyAlternative(expected.text, agrees) || anyAlternative(expected.accepted, agrees);
    }

    // The person stays part of the answer: "I have", never "have".
    const std::string_view marker = expected.text.substr(0, blank);
    const std::string_view form = expected.text.substr(blank + 1);
    std::vector<std::string> markers = {std::string(marker)};
    if (marker == "he_(she_it)")
        markers.insert(markers.end(), {"she", "it"});
    for (const std::string &person : markers) {
        const auto withPerson = [&](std::string_view f) { return matches(person + '_' + std::string(f)); };
        if (withPerson(form) || anyAlternative(expected.accepted, withPerson))
            return true;
    }
    return false;
}

} // namespace

bool typedAnswerIsRight(const std::optional<std::string> &typed, const ExpectedAnswer &expected)
{
    if (!typed)
        return false;
    const std::string answer = notesJoined(joinedWords(*typed));
    if (answer.empty())
        return false;
    if (answerIsRight(fullForms(answer), expected))
        return true;
    // A capital first letter is a habit, not a fault; "I" is written as it is.
    const std::string small = withSmallFirstLetter(answer);
    return small != answer && answerIsRight(fullForms(small), expected);
}

std::string_view expectedAnswer(const DrillState &state, const WordStore &words)
{
    return words.text(state.AnswerLang, state.AskedIndex);
}

std::vector<int> sameQuestionEntries(const Settings &settings, const WordStore &words, int questionLang,
                                     int askedIndex)
{
    const std::optional<vocabulary::Group> group = groupOfText(settings.wordGroup);
    const int size = group ? vocabulary::info(*group).size() : 0;
    const std::string_view question = words.text(questionLang, askedIndex);
    std::vector<int> meant = {askedIndex};
    for (int index = 0; index < size; ++index)
        if (index != askedIndex && words.text(questionLang, index) == question)
            meant.push_back(index);
    return meant;
}

ExpectedAnswer expectedAnswerOf(const Settings &settings, const WordStore &words, int answerLang, int index)
{
    ExpectedAnswer expected = {words.text(answerLang, index), words.accepted(answerLang, index),
                               answerLang == WordStore::English && settings.verbsChecked};
    if (settings.wordGroup == QLatin1String("Nouns"))
        expected.articles = answerLang == WordStore::English ? Articles::English : Articles::Portuguese;
    return expected;
}

bool checkTypedAnswer(DrillState &state, const Settings &settings, const WordStore &words,
                      const std::optional<std::string> &typed)
{
    state.CurrentIndex = state.AskedIndex;
    ++state.TrialCount;
    state.AnswerLang = settings.englishToPortuguese ? 1 : 0;
    const std::vector<int> meant = sameQuestionEntries(settings, words, 1 - state.AnswerLang, state.AskedIndex);
    const bool right = std::any_of(meant.begin(), meant.end(), [&](int index) {
        return typedAnswerIsRight(typed, expectedAnswerOf(settings, words, state.AnswerLang, index));
    });
    if (right) {
        ++state.CorrectCount;
        if (state.FirstTry)
            state.KnownList.append(state.AskedKey);
        else
            state.FirstTry = true;
    } else {
        state.FirstTry = false;
    }
    return right;
}

ChoiceResult checkChoice(DrillState &state, int place)
{
    // After a right choice the order is empty until the next question: nothing to judge.
    if (state.ChoiceOrder.isEmpty())
        return ChoiceResult::Ignored;
    ++state.TrialCount;
    if (state.ChoiceOrder.first().toInt() != place) {
        state.FirstTry = false;
        return ChoiceResult::Wrong;
    }
    ++state.CorrectCount;
    state.ChoiceOrder.clear();
    if (state.FirstTry)
        state.KnownList.append(state.AskedKey);
    else
        state.FirstTry = true;
    return ChoiceResult::Right;
}

QString scoreText(int correct, int trials)
{
    const qint64 hundredths = qint64(10000) * correct / std::max(trials, 1);
    return QStringLiteral("%1.%2%").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

QString spokenScore(int correct, int trials)
{
    const qint64 percent = qint64(100) * correct / std::max(trials, 1);
    const QString count = trials == 1 ? QStringLiteral("1 trial") : QStringLiteral("%1 trials").arg(trials);
    return QStringLiteral("%1, %2%").arg(count).arg(percent);
}

} // namespace drill
