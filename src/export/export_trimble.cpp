#include "export/export_trimble.h"

#include <cstdio>

CExportTrimble::CExportTrimble(int model) : m_nModel(model) {
    m_XFormat = m_YFormat = "%14.*f";
    m_HFormat = "%13.*f";
    m_nPrecision = 3;
    m_nXWidth = m_nYWidth = 14;
    m_nHWidth = 13;
    m_nNameWidth = 12;
}

bool CExportTrimble::ExportFirst(platform::TextFile&, vrk::CVrkObject&) {
    return AskMetresOnly();
}

std::string CExportTrimble::FormNameStroka(const std::string& name) {
    const auto width = static_cast<size_t>(m_nNameWidth);
    if (m_nModel == 3300)
        return FitName(name, NameChars::Digits, width, NameAlign::Right, width, ' ');
    return FitName(name, NameChars::LatinDigitsCyrillic, width, NameAlign::Left, width, ' ');
}

std::string CExportTrimble::FormExpStroka(const vrk::CVrkPoint& point, const std::string& name) {
    char address[32];
    std::snprintf(address, sizeof address, "%5d", m_nExported + 1);
    const Coords c = FormCoordsInMetres(point);
    std::string line = "For M5|Adr ";
    line += address;
    line += "|PI1";
    if (m_nModel == 3300)
        line += std::string(16, ' ') + FormNameStroka(name);
    else
        line += " " + FormNameStroka(name) + std::string(15, ' ');
    line += "|X  " + c.x + " m   |Y  " + c.y + " m   |Z   " + c.h + " m   | \n";
    return line;
}
