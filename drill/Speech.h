#pragma once

#include "vocabulary/WordGroups.h"

#include <string>
#include <string_view>

namespace drill {

// What a reader says for an English text of the word data (Windows-1252):
// the notes in parentheses ("he_(she_it)", "you(pl)", "(noun)") are left
// out, underscores join words as blanks do, and the blank-separated
// alternatives of a text follow one another after a comma, so that a speech
// synthesizer pauses between them. A verb form is one phrase ("I have"):
// its blanks are not alternatives.
std::string speakableText(std::string_view english, bool verbForm);

// What Repeat hands the voice for an English text of a group: its speakable
// text, in which every word that is said by its part of speech ("use" the
// noun or the verb, "live" the verb or the adjective) carries its phones in
// braces, "I use{y uw1 z}", as the group means it. The voice's own guess
// goes by the words around it and takes the noun after "I".
std::string spokenText(std::string_view english, vocabulary::Group group);

} // namespace drill
