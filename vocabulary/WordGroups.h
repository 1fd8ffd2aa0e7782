#pragma once

// The seven word groups and their level runs. Plain constants, shared by the
// program and by the build's word-data generator, which checks the data
// files against them.

#include <array>
#include <string_view>

namespace vocabulary {

enum class Group { Nouns, Verbs, Pronouns, Adjectives, Adverbs, Prepositions, Conjunctions };

inline constexpr int GroupCount = 7;
inline constexpr int LevelCount = 10;

struct GroupInfo
{
    Group group;
    std::string_view name;     // the text the window shows in its group box
    std::string_view dataFile; // base name of the data file
    // Last entry index of each level's run, 100 to 1000 words. A level that
    // brings no new words repeats the previous level's last index.
    std::array<int, LevelCount> levelEnds;

    constexpr int size() const { return levelEnds.back() + 1; }
};

inline constexpr std::array<GroupInfo, GroupCount> Groups = {{
    {Group::Nouns, "Nouns", "nouns", {10, 45, 98, 153, 212, 281, 353, 411, 484, 563}},
    {Group::Verbs, "Verbs", "verbs", {136, 262, 637, 848, 1103, 1358, 1636, 1953, 2307, 2594}},
    {Group::Pronouns, "Pronouns", "pronouns", {20, 23, 24, 24, 24, 24, 24, 25, 26, 26}},
    {Group::Adjectives, "Adjectives", "adjectives", {17, 61, 64, 91, 116, 131, 150, 168, 192, 207}},
    {Group::Adverbs, "Adverbs", "adverbs", {17, 34, 42, 53, 56, 59, 64, 68, 71, 74}},
    {Group::Prepositions, "Prepositions", "prepositions", {9, 12, 13, 18, 19, 19, 19, 19, 19, 19}},
    {Group::Conjunctions, "Conjunctions", "conjunctions", {7, 7, 9, 11, 11, 11, 12, 12, 12, 13}},
}};

constexpr const GroupInfo &info(Group group)
{
    return Groups[static_cast<int>(group)];
}

// Level 0 is 100 words, level 9 is 1000 words.
constexpr int firstNewIndex(Group group, int level)
{
    return level == 0 ? 0 : info(group).levelEnds[level - 1] + 1;
}

constexpr int newWordCount(Group group, int level)
{
    return info(group).levelEnds[level] + 1 - firstNewIndex(group, level);
}

constexpr int allWordCount(Group group, int level)
{
    return info(group).levelEnds[level] + 1;
}

inline constexpr int MaxEntries = 2595; // the largest group, the verbs
inline constexpr int MaxTextLength = 31;

static_assert(info(Group::Verbs).size() == MaxEntries);
static_assert(info(Group::Nouns).size() + info(Group::Verbs).size() + info(Group::Pronouns).size()
                  + info(Group::Adjectives).size() + info(Group::Adverbs).size()
                  + info(Group::Prepositions).size() + info(Group::Conjunctions).size()
              == 3503);

} // namespace vocabulary
