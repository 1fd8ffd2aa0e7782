#include "drill/Speech.h"

#include <algorithm>

namespace drill {

namespace {

// Drops the notes in parentheses and reads underscores as blanks.
std::string spoken(std::string_view text)
{
    std::string out;
    int depth = 0;
    for (const char c : text) {
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (depth == 0)
            out += c == '_' ? ' ' : c;
    }
    return out;
}

// The words of a phrase, one blank between them.
std::string tidy(std::string_view phrase)
{
    std::string out;
    size_t at = 0;
    while (at < phrase.size()) {
        const size_t begin = phrase.find_first_not_of(' ', at);
        if (begin == std::string_view::npos)
            break;
        const size_t end = std::min(phrase.find(' ', begin), phrase.size());
        if (!out.empty())
            out += ' ';
        out.append(phrase.substr(begin, end - begin));
        at = end;
    }
    return out;
}

} // namespace

std::string speakableText(std::string_view english, bool verbForm)
{
    if (verbForm)
        return tidy(spoken(english));
    std::string out;
    size_t at = 0;
    while (at <= english.size()) {
        const size_t end = std::min(english.find(' ', at), english.size());
        const std::string alternative = tidy(spoken(english.substr(at, end - at)));
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
