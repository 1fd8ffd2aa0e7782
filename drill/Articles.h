#pragma once

#include <string_view>

namespace drill {

enum class Articles;

// Whether an article typed before a noun agrees with it: English "the", or
// "a"/"an" by the noun's first sound; Portuguese "o um os" or "a uma as" by
// the noun's gender and number. The noun is one alternative of the word data
// ("ponto_de_vista": its first word names the thing).
bool articleAgrees(Articles language, std::string_view article, std::string_view noun);

} // namespace drill
