#include "drill/Speech.h"

#include <algorithm>

#include "drill/Text.h"

namespace drill {

namespace {

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

} // namespace drill
