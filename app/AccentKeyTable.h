#pragma once

// The eleven accent keys below the answer box: where each stands, and what it
// shows and types in each direction of the drill. The window builds the keys
// from it (DrillWindowSetup.cpp); the direction and accent commands read it
// (TForm1.cpp).

struct AccentKeyInfo
{
    const char *name;
    int left;
    int width;
    const char *portuguese; // caption and text, English to Portuguese
    const char *caption;    // caption, Portuguese to English
    const char *inserted;   // text appended, Portuguese to English
};

inline constexpr AccentKeyInfo AccentKeys[11] = {
    {"Accenta", 1, 45, "á", "to", "to "},
    {"AcuteA", 48, 45, "â", "I", "I "},
    {"TildeA", 95, 45, "ã", "you", "you "},
    {"Tilden", 142, 65, "ç", "he_(she_it)", "he_(she_it) "},
    {"Accente", 210, 45, "é", "we", "we "},
    {"AcuteE", 259, 55, "ê", "you (pl)", "you(pl) "},
    {"accenti", 316, 45, "í", "they", "they "},
    {"Accento", 363, 45, "ó", "", "ó"},
    {"AcuteO", 409, 45, "ô", "", "ô"},
    {"TildeO", 456, 45, "õ", "", "õ"},
    {"Accentu", 502, 45, "ú", "", "ú"},
};
