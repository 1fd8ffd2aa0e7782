#include "drill/Text.h"

#include <algorithm>
#include <iterator>

namespace drill {

namespace {

// The characters of bytes 0x80 to 0x9F; the five bytes that have none hold 0.
// Bytes below 0x80 are ASCII and bytes from 0xA0 up are Latin-1. A table of
// our own keeps the toolkit's converters (and the memory they take) unloaded.
constexpr char16_t HighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

QString fromWindows1252(std::string_view text)
{
    QString result(qsizetype(text.size()), Qt::Uninitialized);
    QChar *out = result.data();
    for (const unsigned char byte : text) {
        char16_t c = byte;
        if (byte >= 0x80 && byte < 0xA0)
            c = HighControls[byte - 0x80] ? HighControls[byte - 0x80] : char16_t(QChar::ReplacementCharacter);
        *out++ = QChar(c);
    }
    return result;
}

std::optional<std::string> toWindows1252(const QString &text)
{
    std::string result;
    result.reserve(size_t(text.size()));
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            result += char(c);
            continue;
        }
        // Everything else, surrogate halves included, is either in the table or outside the set.
        const auto found = std::find(std::begin(HighControls), std::end(HighControls), c);
        if (found == std::end(HighControls))
            return std::nullopt;
        result += char(0x80 + (found - std::begin(HighControls)));
    }
    return result;
}

std::string withoutNotes(std::string_view text)
{
    std::string bare;
    int depth = 0;
    for (const char c : text) {
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (depth == 0)
            bare += c;
    }
    return bare;
}

std::string joinedWords(std::string_view text)
{
    std::string joined;
    bool pendingBlank = false;
    for (const char c : text) {
        if (c == ' ' || c == '_' || c == '\t' || c == '\xA0') {
            pendingBlank = !joined.empty();
            continue;
        }
        if (pendingBlank)
            joined += '_';
        pendingBlank = false;
        joined += c;
    }
    return joined;
}

} // namespace drill
