#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace drill {

// The drill's texts are Windows-1252; the widgets hold Unicode.
QString fromWindows1252(std::string_view text);

// Nothing when the text holds a character that Windows-1252 cannot hold.
std::optional<std::string> toWindows1252(const QString &text);

} // namespace drill
