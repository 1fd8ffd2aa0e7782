#pragma once

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

} // namespace drill
