#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace drill {

// The drill's texts are Windows-1252; the widgets hold Unicode. The five bytes
// that have no character (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as U+FFFD.
QString fromWindows1252(std::string_view text);

// Nothing when the text holds a character that Windows-1252 cannot hold, or
// is not valid UTF-16 (a lone surrogate half).
std::optional<std::string> toWindows1252(const QString &text);

// The text without its notes in parentheses: "you" for "you(pl)",
// "he_ is" for "he_(she_it) is". Nothing else is touched.
std::string withoutNotes(std::string_view text);

// The words of a text joined as the data joins those of one alternative:
// blanks, underscores, tabs and no-break spaces alike, a run of them one
// underscore, none at either end ("em  cima de " gives "em_cima_de").
std::string joinedWords(std::string_view text);

} // namespace drill
