// The import options a reader reads: the general ones of every built-in format and the column
// and code-block layouts of some formats. Where they are stored is the import dialog's business.
#pragma once

#include <string>

struct ImportSettings {
    // General settings (every built-in format).
    int CheckUnique = 1;
    int CheckAuto = 0;
    int CheckDel = 0;
    int XStyle = 0;
    double X0 = 0.0;
    int YStyle = 0;
    double Y0 = 0.0;
    int Zone = 0;
    int NZone = 0;
    int CodeNumeric = 1;
    int LinesAttr = 0;
    int ForceCode = 0;
    int CSFromProject = 0;
    int CodeSystem = -1;
    int OnRelief = 0;
    std::string CodeSep = "/";
    std::string Link = "=";
    std::string AtrAtr = ";";
    std::string AtrVal = "#";
    // Leica word 41 code blocks (format 5).
    int Format16Digits = 0;
    std::string StationW41 = "1";
    int Station412 = 42;
    std::string HiW41 = "1";
    int Hi412 = 43;
    std::string HvW41 = "3";
    int Hv412 = 42;
    std::string CodeW41 = "2";
    int Code412 = 42;
    // Elta M5 columns (format 2).
    int NameStart = 1;
    int NameWidth = 14;
    int CodeStart = 15;
    int CodeWidth = 13;
    int StnM5Def = 1;
    int StnM5O = 0;
    int StnM5Known = 0;
    // Elta Rec 500 columns (format 3).
    int NameStartE = 1;
    int NameWidthE = 14;
    int CodeStartE = 15;
    int CodeWidthE = 13;
};
