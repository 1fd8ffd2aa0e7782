#pragma once

#include "drill/DrillState.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vocabulary/WordGroups.h"

namespace vocabulary {
class WordStore;
}

// The drill's rules on plain values: choosing the next entry, building the
// four choices, judging answers and writing the score. The window reads its
// controls into Settings, calls these, and shows the results.
namespace drill {

// The level-box text of a level: "100 Words" for 0 ... "1000 Words" for 9.
QString levelText(int level);

// The level named by a level-box text: 0 for "100 Words" ... 9 for "1000 Words".
std::optional<int> levelOfText(const QString &levelText);

// The group named by a group-box text ("Nouns" ... "Conjunctions").
std::optional<vocabulary::Group> groupOfText(const QString &groupText);

// The group-box text of a group.
QString groupText(vocabulary::Group group);

// First entry index of the New Words Only range, 0 where no start applies.
int newWordsStart(const Settings &settings);

// Chooses the entry to ask next. On return CurrentIndex is its index,
// AskedKey its position and QuestionText its English text.
void pickEntry(DrillState &state, const Settings &settings, const vocabulary::WordStore &words,
               RandomSource &random);

// The person marker that the verbs' wrong answers share with the asked entry.
std::string_view personMarker(std::string_view english);

struct Question
{
    std::string_view text;               // in the question language
    std::array<std::string_view, 4> choices; // top to bottom
};

// Picks an entry and fills the four choices (steps of asking a question that
// touch no widget).
Question buildQuestion(DrillState &state, const Settings &settings, const vocabulary::WordStore &words,
                       RandomSource &random);

// The articles a noun may be typed with, in the answer's language.
enum class Articles { None, English, Portuguese };

// What a typed answer is judged against: the entry in the answer language.
struct ExpectedAnswer
{
    std::string_view text;     // as shown, alternatives separated by blanks
    std::string_view accepted; // further answers, never shown
    // A verb answered in English: its person marker, then one of its forms
    // (the shown one or an accepted one, which the data gives without marker).
    bool markerAndForm = false;
    Articles articles = Articles::None; // a noun's, "the word", "a palavra"
};

// Whether a typed answer (Windows-1252; nothing when the typed text has a
// character outside that set) is right, as a teacher marks it: one whole
// alternative, with blanks and underscores alike and stray blanks ignored,
// letters and accents exact, and the case too but for a capital first letter
// ("Tempo"; "i have" stays wrong). A second person "você_X" may be typed
// as "X", a note in parentheses left out ("record" for "record(noun)",
// "you have" for "you(pl) have"), "he_(she_it)" typed as "she" or "it", an
// English contraction or its full form for the other ("I'm", "do not"), and
// a noun given with an article that agrees with it ("the word", "a palavra").
bool typedAnswerIsRight(const std::optional<std::string> &typed, const ExpectedAnswer &expected);

// The entries of the loaded group that the question on screen may mean: the
// asked one first, then every other whose text in the question's language
// reads the same ("aprendemos" is "we learn" and "we learned").
std::vector<int> sameQuestionEntries(const Settings &settings, const vocabulary::WordStore &words,
                                     int questionLang, int askedIndex);

// What a typed answer for an entry is judged against in a language.
ExpectedAnswer expectedAnswerOf(const Settings &settings, const vocabulary::WordStore &words, int answerLang,
                                int index);

// The expected answer of the question on screen, as shown.
std::string_view expectedAnswer(const DrillState &state, const vocabulary::WordStore &words);

// Judges a typed answer, right when it is right for any entry the question
// may mean, and updates counts, FirstTry and KnownList.
bool checkTypedAnswer(DrillState &state, const Settings &settings, const vocabulary::WordStore &words,
                      const std::optional<std::string> &typed);

enum class ChoiceResult { Ignored, Wrong, Right };

// Judges a click on the choice at place (0 is the top item).
ChoiceResult checkChoice(DrillState &state, int place);

// "66.66%": the exact percentage, truncated to two decimals.
QString scoreText(int correct, int trials);

// "3 trials, 66%": the count and the whole percentage, as a screen reader says them after an answer.
QString spokenScore(int correct, int trials);

} // namespace drill
