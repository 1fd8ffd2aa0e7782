#include "drill/Speech.h"

#include <algorithm>

#include "drill/Text.h"

namespace drill {

namespace {

using vocabulary::Group;

// The words of the data that are said by their part of speech, in the
// phones of the voice's lexicon (CMU Pronouncing Dictionary); a word's group
// is its part of speech. The verbs' "read" is the past participle, as the
// voice says it.
struct Pronunciation {
    std::string_view word;
    Group group;
    std::string_view phones;
};

constexpr Pronunciation Pronunciations[] = {
    {"close", Group::Verbs, "k l ow1 z"},
    {"closes", Group::Verbs, "k l ow1 z ih0 z"},
    {"collect", Group::Verbs, "k ax0 l eh1 k t"},
    {"collects", Group::Verbs, "k ax0 l eh1 k t s"},
    {"desert", Group::Nouns, "d eh1 z er0 t"},
    {"desert", Group::Verbs, "d ih0 z er1 t"},
    {"does", Group::Verbs, "d ah1 z"},
    {"house", Group::Nouns, "hh aw1 s"},
    {"lead", Group::Verbs, "l iy1 d"},
    {"leads", Group::Verbs, "l iy1 d z"},
    {"live", Group::Verbs, "l ih1 v"},
    {"live", Group::Adjectives, "l ay1 v"},
    {"lives", Group::Verbs, "l ih1 v z"},
    {"minute", Group::Nouns, "m ih1 n ax0 t"},
    {"mouth", Group::Nouns, "m aw1 th"},
    {"object", Group::Nouns, "aa1 b jh eh0 k t"},
    {"present", Group::Nouns, "p r eh1 z ax0 n t"},
    {"present", Group::Verbs, "p r iy0 z eh1 n t"},
    {"present", Group::Adjectives, "p r eh1 z ax0 n t"},
    {"presents", Group::Verbs, "p r iy0 z eh1 n t s"},
    {"produce", Group::Verbs, "p r ax0 d uw1 s"},
    {"produces", Group::Verbs, "p r ax0 d uw1 s ih0 z"},
    {"read", Group::Verbs, "r eh1 d"},
    {"record", Group::Nouns, "r eh1 k er0 d"},
    {"record", Group::Verbs, "r ih0 k ao1 r d"},
    {"records", Group::Verbs, "r ih0 k ao1 r d z"},
    {"segment", Group::Nouns, "s eh1 g m ax0 n t"},
    {"separate", Group::Verbs, "s eh1 p er0 ey1 t"},
    {"separate", Group::Adjectives, "s eh1 p r ax0 t"},
    {"separates", Group::Verbs, "s eh1 p er0 ey1 t s"},
    {"subject", Group::Nouns, "s ah1 b jh ih0 k t"},
    {"use", Group::Verbs, "y uw1 z"},
    {"uses", Group::Verbs, "y uw1 z ih0 z"},
    {"wind", Group::Nouns, "w ih1 n d"},
};

std::string_view phonesOf(std::string_view word, Group group)
{
    for (const Pronunciation &p : Pronunciations)
        if (p.word == word && p.group == group)
            return p.phones;
    return {};
}

// Without the notes in parentheses, underscores read as blanks, one blank between words.
std::string phrase(std::string_view text)
{
    std::string out = joinedWords(withoutNotes(text));
    std::replace(out.begin(), out.end(), '_', ' ');
    return out;
}

} // namespace

std::string speakableText(std::string_view english, bool verbForm)
{
    if (verbForm)
        return phrase(english);
    std::string out;
    size_t at = 0;
    while (at <= english.size()) {
        const size_t end = std::min(english.find(' ', at), english.size());
        const std::string alternative = phrase(english.substr(at, end - at));
        if (!alternative.empty()) {
            if (!out.empty())
                out += ", ";
            out += alternative;
        }
        at = end + 1;
    }
    return out;
}


std::string spokenText(std::string_view english, vocabulary::Group group)
{
    const std::string text = speakableText(english, group == Group::Verbs);
    std::string spoken;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find_first_of(" ,", at), text.size());
        const std::string_view word = std::string_view(text).substr(at, end - at);
        spoken += word;
        if (const std::string_view phones = phonesOf(word, group); !phones.empty())
            spoken.append("{").append(phones).append("}");
        if (end < text.size())
            spoken += text[end];
        at = end + 1;
    }
    return spoken;
}

} // namespace drill
