#pragma once

#include "vocabulary/WordGroups.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vocabulary {

// One English-Portuguese pair of the built-in data, Windows-1252 encoded, with
// the further answers that a typed answer may give in each language. Those are
// never shown, so they keep neither the shown texts' length nor their width.
struct WordPair
{
    const char *english;
    const char *portuguese;
    const char *acceptedEnglish = "";
    const char *acceptedPortuguese = "";
};

// The two-language word store. Every text lives inside the table, so loading
// a group copies bytes and allocates nothing. Loading writes only the group's
// own entries: the rest keeps what a larger group left there.
class WordStore
{
public:
    enum Language { English = 0, Portuguese = 1 };

    std::string_view text(int language, int index) const { return m_texts[language][index]; }

    // The entry's further accepted answers in a language: alternatives
    // separated by blanks, as in its text; empty when there are none.
    std::string_view accepted(int language, int index) const { return m_accepted[language][index]; }

    void store(int index, const WordPair &pair)
    {
        copy(m_texts[English][index], pair.english);
        copy(m_texts[Portuguese][index], pair.portuguese);
        m_accepted[English][index] = pair.acceptedEnglish;
        m_accepted[Portuguese][index] = pair.acceptedPortuguese;
    }

    void load(Group group);

private:
    using Text = char[MaxTextLength + 1];

    static void copy(Text &target, const char *source)
    {
        const size_t length = std::min(std::strlen(source), size_t(MaxTextLength));
        std::memcpy(target, source, length);
        target[length] = '\0';
    }

    Text m_texts[2][MaxEntries] = {};
    // Into the constant word data, which lives as long as the program.
    std::string_view m_accepted[2][MaxEntries] = {};
};

// The generated word data of a group.
struct GroupData
{
    const WordPair *pairs;
    int count;
};
GroupData groupData(Group group);

} // namespace vocabulary
