// Turns the word-data files into constant tables of Windows-1252 texts.
//
//   wordgen DATADIR OUTPUT.cpp
//
// Every mechanical rule of the data is checked here, so that bad data fails
// the build with the file, the line and the reason. Standard library only.

#include "vocabulary/WordGroups.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace vocabulary;

namespace {

struct Row
{
    int line = 0;
    int level = 0;
    std::string english; // Windows-1252
    std::string portuguese;
    std::string acceptedEnglish; // further answers, never shown; may be empty
    std::string acceptedPortuguese;
};

struct Failure
{
    std::string where;
    std::string reason;
};

// UTF-8 to Windows-1252, for the letters the data may hold (all in Latin-1).
std::optional<std::string> toWindows1252(const std::string &utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = utf8[i];
        if (c < 0x80) {
            out += char(c);
            ++i;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size() && (utf8[i + 1] & 0xC0) == 0x80) {
            const unsigned code = ((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F);
            if (code < 0xA0 || code > 0xFF)
                return std::nullopt;
            out += char(code);
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

// The accepted answers may also hold "à", which a learner types ("às_vezes")
// though the shown texts and the accent keys do without it.
bool allowedCharacter(unsigned char c, bool shown)
{
    static const std::string accented = "\xE1\xE2\xE3\xE7\xE9\xEA\xED\xF3\xF4\xF5\xFA\xFC"; // á â ã ç é ê í ó ô õ ú ü
    return (c >= 'a' && c <= 'z') || c == 'I' || c == ' ' || c == '_' || c == '(' || c == ')' || c == '-'
           || c == '\'' || accented.find(char(c)) != std::string::npos || (!shown && c == 0xE0);
}

// Shown texts are never empty and fit the store; accepted answers are never
// shown, so they may be empty and keep no length.
std::optional<std::string> textProblem(const std::string &text, bool shown = true)
{
    if (text.empty())
        return shown ? std::optional<std::string>("empty text") : std::nullopt;
    if (shown && text.size() > size_t(MaxTextLength))
        return "text longer than 31 characters";
    for (unsigned char c : text)
        if (!allowedCharacter(c, shown))
            return std::string("character not allowed: '") + char(c) + "'";
    if (text.front() == ' ' || text.back() == ' ' || text.find("  ") != std::string::npos)
        return "stray blank";
    for (size_t i = 0; i < text.size(); ++i) {
        const bool wordStart = i == 0 || text[i - 1] == ' ' || text[i - 1] == '_';
        const bool wordEnd = i + 1 == text.size() || text[i + 1] == ' ';
        if (text[i] == 'I' && !(wordStart && wordEnd))
            return "capital letter other than the word \"I\"";
    }
    return std::nullopt;
}

const std::array<std::string, 7> VerbMarkers = {"to", "I", "you", "he_(she_it)", "we", "you(pl)", "they"};
const std::map<std::string, int> VerbMarkerCounts = {{"to", 328}, {"I", 373}, {"you", 373}, {"he_(she_it)", 378},
                                                     {"we", 373}, {"you(pl)", 374}, {"they", 375}, {"", 21}};

// The person marker of a verb entry, "" for a bare past participle, or nothing when malformed.
std::optional<std::string> verbMarker(const std::string &english)
{
    const size_t blank = english.find(' ');
    if (blank == std::string::npos)
        return english.find_first_of("()") == std::string::npos ? std::optional<std::string>("") : std::nullopt;
    const std::string marker = english.substr(0, blank);
    const std::string form = english.substr(blank + 1);
    bool known = false;
    for (const std::string &m : VerbMarkers)
        known = known || m == marker;
    if (!known)
        return std::nullopt;
    if (form.find(' ') != std::string::npos)
        return std::nullopt;
    return marker;
}

struct TellingRow
{
    Group group;
    int index;
    const char *english;
    const char *portuguese; // UTF-8 here, compared after conversion
};

// Entries that the drill's behaviour and its documentation rely on.
const TellingRow TellingRows[] = {
    {Group::Nouns, 0, "word", "palavra"},
    {Group::Nouns, 5, "day", nullptr},
    {Group::Nouns, 8, "people", nullptr},
    {Group::Nouns, 9, "water", "\xC3\xA1gua"},
    {Group::Nouns, 11, "work", nullptr},
    {Group::Nouns, 14, "back", nullptr},
    {Group::Nouns, 23, "turn", "volta giro"},
    {Group::Nouns, 217, "present(noun)", "presente"},
    {Group::Nouns, 563, "neck", "pesco\xC3\xA7o"},
    {Group::Verbs, 0, "he_(she_it) is", "\xC3\xA9 est\xC3\xA1"},
    {Group::Verbs, 1, "I was", nullptr},
    {Group::Verbs, 3, "to have", nullptr},
    {Group::Verbs, 4, "I have", nullptr},
    {Group::Verbs, 9, "I had", "tive"},
    {Group::Verbs, 15, "to be", "ser estar"},
    {Group::Verbs, 16, "I can", "posso"},
    {Group::Verbs, 26, "to use", "usar"},
    {Group::Verbs, 27, "I use", "uso"},
    {Group::Verbs, 28, "you use", "voc\xC3\xAA_usa"},
    {Group::Verbs, 29, "he_(she_it) uses", "usa"},
    {Group::Verbs, 30, "we use", "usamos"},
    {Group::Verbs, 31, "you(pl) use", "voc\xC3\xAAs_usam"},
    {Group::Verbs, 32, "they use", "usam"},
    {Group::Verbs, 33, "you are", nullptr},
    {Group::Verbs, 136, "been", "sido estado"},
    {Group::Verbs, 1118, "I am", nullptr},
    {Group::Verbs, 1301, "sat", "sentado"},
    {Group::Verbs, 1302, "I sat", "me_sentei"},
    {Group::Verbs, 1303, "you sat", "voc\xC3\xAA_se_sentou"},
    {Group::Verbs, 1304, "he_(she_it) sat", "se_sentou"},
    {Group::Verbs, 1305, "we sat", "nos_sentamos"},
    {Group::Verbs, 1306, "you(pl) sat", "voc\xC3\xAAs_se_sentaram"},
    {Group::Verbs, 1307, "they sat", "se_sentaram"},
    {Group::Verbs, 2201, "you(pl) truck", "voc\xC3\xAAs_transportam_em_caminh\xC3\xA3o"},
    {Group::Verbs, 2594, "they meant", "significaram"},
    {Group::Pronouns, 0, "it", "o a ele lhe isso isto"},
    {Group::Pronouns, 3, "I", "eu"},
    {Group::Pronouns, 14, "which", "qual quais que o_que qualquer"},
    {Group::Pronouns, 24, "those", nullptr},
    {Group::Adjectives, 0, "the", "o a os as"},
    {Group::Adjectives, 1, "a an", "um uma"},
    {Group::Adjectives, 18, "most", "maior_parte a_maioria"},
    {Group::Adverbs, 0, "slow", "lento"},
    {Group::Adverbs, 7, "up", "para_cima"},
    {Group::Prepositions, 0, "of", "de"},
    {Group::Prepositions, 1, "to toward", "para"},
    {Group::Prepositions, 5, "over", "em_cima_de"},
    {Group::Conjunctions, 0, "and", "e"},
    {Group::Conjunctions, 3, "for", "pois desde_que"},
    {Group::Conjunctions, 13, "nor", "nem"},
};

// Outside the verbs, the only entries that the verb-form filter's subject
// markers match.
const std::map<Group, std::vector<std::string>> MarkerLookalikes = {
    {Group::Nouns, {"west", "week", "weight", "weather"}},
    {Group::Pronouns, {"you", "I", "they", "we"}},
    {Group::Adjectives, {"your", "young", "west"}},
    {Group::Adverbs, {"well"}},
    {Group::Prepositions, {}},
    {Group::Conjunctions, {}},
};

bool beginsWithSubjectMarker(const std::string &english)
{
    for (const char *marker : {"I", "you", "he_(", "we", "they"})
        if (english.rfind(marker, 0) == 0)
            return true;
    return false;
}

std::vector<Row> readRows(const std::string &path, std::vector<Failure> &failures)
{
    std::vector<Row> rows;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        failures.push_back({path, "cannot be read"});
        return rows;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = path + ":" + std::to_string(number);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, '\t'))
            fields.push_back(field);
        if (line.back() == '\t')
            fields.push_back("");
        if (fields.size() < 3 || fields.size() > 5) {
            failures.push_back({where, "expected level, English and Portuguese, then the accepted English and "
                                       "Portuguese answers if any, separated by tabs"});
            continue;
        }
        fields.resize(5);
        Row row;
        row.line = number;
        if (fields[0].size() < 3 || fields[0].size() > 4 || fields[0].find_first_not_of("0123456789") != std::string::npos
            || std::stoi(fields[0]) % 100 != 0 || std::stoi(fields[0]) < 100 || std::stoi(fields[0]) > 1000) {
            failures.push_back({where, "level must be 100, 200, ... 1000"});
            continue;
        }
        row.level = std::stoi(fields[0]) / 100 - 1;
        bool good = true;
        std::string *const texts[] = {&row.english, &row.portuguese, &row.acceptedEnglish, &row.acceptedPortuguese};
        const char *const names[] = {"English", "Portuguese", "accepted English", "accepted Portuguese"};
        for (int column = 1; column < 5; ++column) {
            const auto converted = toWindows1252(fields[column]);
            const char *name = names[column - 1];
            if (!converted) {
                failures.push_back({where, std::string(name) + " text is not UTF-8 of Windows-1252 letters"});
                good = false;
                continue;
            }
            if (const auto problem = textProblem(*converted, column <= 2)) {
                failures.push_back({where, std::string(name) + " " + *problem});
                good = false;
                continue;
            }
            *texts[column - 1] = *converted;
        }
        if (good)
            rows.push_back(row);
    }
    return rows;
}

void checkGroup(const GroupInfo &group, const std::string &path, const std::vector<Row> &rows,
                std::vector<Failure> &failures)
{
    const auto at = [&](const Row &row) { return path + ":" + std::to_string(row.line); };
    if (int(rows.size()) != group.size()) {
        failures.push_back({path, "holds " + std::to_string(rows.size()) + " entries, expected "
                                      + std::to_string(group.size())});
        return;
    }
    for (int i = 0; i < int(rows.size()); ++i) {
        int level = 0;
        while (group.levelEnds[level] < i)
            ++level;
        if (rows[i].level != level)
            failures.push_back({at(rows[i]), "entry " + std::to_string(i) + " belongs to level "
                                                 + std::to_string(100 * (level + 1))});
    }
    std::map<std::string, int> markerCounts;
    for (const Row &row : rows) {
        if (group.group == Group::Verbs) {
            const auto marker = verbMarker(row.english);
            if (!marker)
                failures.push_back({at(row), "verb entry must be a person marker, a blank and one word"});
            else
                ++markerCounts[*marker];
            // The row's marker goes with every accepted form: "I obtain" is "obtain" on "I get".
            std::istringstream accepted(row.acceptedEnglish);
            for (std::string form; accepted >> form;)
                for (std::string_view person : {"to", "I", "you", "he", "she", "it", "we", "you(pl)", "they"})
                    if (form.rfind(std::string(person) + "_", 0) == 0)
                        failures.push_back({at(row), "accepted English \"" + form
                                                         + "\" holds a person marker: give the form alone"});
        } else if (beginsWithSubjectMarker(row.english)) {
            const auto &allowed = MarkerLookalikes.at(group.group);
            if (std::find(allowed.begin(), allowed.end(), row.english) == allowed.end())
                failures.push_back({at(row), "English text begins like a verb's person marker"});
        }
    }
    if (group.group == Group::Verbs) {
        for (const auto &[marker, expected] : VerbMarkerCounts)
            if (markerCounts[marker] != expected)
                failures.push_back({path, "verb entries with marker \"" + (marker.empty() ? "(none)" : marker)
                                              + "\": " + std::to_string(markerCounts[marker]) + ", expected "
                                              + std::to_string(expected)});
    }
    for (const TellingRow &telling : TellingRows) {
        if (telling.group != group.group)
            continue;
        const Row &row = rows[telling.index];
        if (row.english != telling.english
            || (telling.portuguese && row.portuguese != *toWindows1252(telling.portuguese)))
            failures.push_back({at(row), "entry " + std::to_string(telling.index) + " must be \"" + telling.english
                                             + "\"" + (telling.portuguese ? std::string(" / \"") + telling.portuguese + "\"" : "")});
    }
}

std::string cString(const std::string &text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c < 0x80 && c != '"' && c != '\\') {
            out += char(c);
        } else {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
            out += "\"\""; // ends the escape so that a following hex digit is not swallowed
        }
    }
    return out + "\"";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: wordgen DATADIR OUTPUT.cpp\n";
        return 2;
    }
    const std::string dataDir = argv[1];
    std::vector<Failure> failures;
    std::ostringstream out;
    out << "// Generated from the word-data files by wordgen. Do not edit.\n"
        << "#include \"vocabulary/WordStore.h\"\n\nnamespace vocabulary {\nnamespace {\n";
    for (const GroupInfo &group : Groups) {
        const std::string path = dataDir + "/" + std::string(group.dataFile) + ".tsv";
        const std::vector<Row> rows = readRows(path, failures);
        checkGroup(group, path, rows, failures);
        out << "const WordPair " << group.dataFile << "[] = {\n";
        for (const Row &row : rows)
            out << "    {" << cString(row.english) << ", " << cString(row.portuguese) << ", "
                << cString(row.acceptedEnglish) << ", " << cString(row.acceptedPortuguese) << "},\n";
        if (rows.empty())
            out << "    {\"\", \"\"},\n";
        out << "};\n";
    }
    out << "} // namespace\n\nGroupData groupData(Group group)\n{\n    switch (group) {\n";
    for (const GroupInfo &group : Groups)
        out << "    case Group::" << group.name << ": return {" << group.dataFile << ", " << group.size() << "};\n";
    out << "    }\n    return {nullptr, 0};\n}\n\n} // namespace vocabulary\n";

    for (const Failure &failure : failures)
        std::cerr << failure.where << ": " << failure.reason << "\n";
    if (!failures.empty())
        return 1;
    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    return file ? 0 : 1;
}
