#pragma once

// The program's fixed texts and file names.

inline constexpr char ApplicationTitle[] = "ZolPTypedAns.exe";
inline constexpr char ApplicationHelpFile[] = "C:\\Zol_1000\\Zaverov.hlp";
inline constexpr char HelpDocument[] = "ZolPort Help.pdf";
inline constexpr char HelpDirectory[] = "C:\\Zol_1000";
inline constexpr char WindowCaption[] = "1000 Roze Rozi Rovevar Evudu -Brazilian Portuguese";

inline constexpr char GoodbyeMessage[] =
    "Espero que você goste deste programa. Por favor vá a "
    "https://zolport.example.org/programas"
    " para um programa com palavras inglesas faladas.";

inline constexpr char VersionMessage[] =
    "ZolPort 1.0 - 1000 Roze Rozi Rovevar Evudu\n"
    "Vocabulário: as 1000 palavras inglesas mais usadas, para falantes de português do Brasil.\n"
    "Copyright (c) the ZolPort developers.";
