#include "export/export_leica.h"

#include <algorithm>
#include <cstdio>

namespace {

// The unit code of the coordinate words: decimals of the presentation and the distance unit.
// Empty for a combination GSI cannot state.
std::string UnitCodeFor(int precision, zut::dist_unit unit) {
    if (unit == zut::du_metre) {
        switch (precision) {
            case 3:
                return "10";
            case 4:
                return "16";
            case 5:
                return "18";
            default:
                return {};
        }
    }
    if (unit == zut::du_foot && precision == 3)
        return "11";
    return {};
}

}  // namespace

CExportLeica::CExportLeica(int word_size) : m_nWordSize(word_size) {
    if (word_size != 8 && word_size != 16)
        return;
    const std::string format = word_size == 8 ? "%+010.*f" : "%+018.*f";
    m_XFormat = m_YFormat = m_HFormat = format;
    m_nXWidth = m_nYWidth = m_nHWidth = word_size + 2;  // sign and decimal point
    m_nNameWidth = word_size;
}

bool CExportLeica::ExportFirst(platform::TextFile&, vrk::CVrkObject& project) {
    // The zone prefix does not fit into 8 digits.
    if (project.GetEStyle() == zut::es_zone_prefix && m_nWordSize == 8)
        return RefuseForEastingStyle();
    const std::string code = UnitCodeFor(zut::CNorth::precision(), zut::CLinear::unit());
    if (code.empty())
        return RefuseForEastingStyle();
    m_UnitCode = code;
    return true;
}

std::string CExportLeica::FormNameStroka(const std::string& name) {
    const auto width = static_cast<size_t>(std::max(m_nNameWidth, 0));
    return FitName(name, NameChars::LatinDigits, width, NameAlign::Right, width, '0');
}

std::string CExportLeica::WordDigits(std::string text) const {
    std::erase_if(text, [](char c) { return c == ',' || c == '.'; });
    if (text.empty())
        return "+" + std::string(static_cast<size_t>(std::max(m_nWordSize, 0)), '0');
    return text;
}

std::string CExportLeica::FormExpStroka(const vrk::CVrkPoint& point, const std::string& name) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d", m_nExported + 1);
    const std::string x = WordDigits(FormXStroka(point));
    const std::string y = WordDigits(FormYStroka(point));
    const std::string h = WordDigits(FormHStroka(point));
    std::string line = m_nWordSize == 16 ? "*" : "";
    line += "11";
    line += number;
    line += "+" + FormNameStroka(name);
    line += " 81.." + m_UnitCode + y;
    line += " 82.." + m_UnitCode + x;
    line += " 83.." + m_UnitCode + h;
    line += " \n";
    return line;
}
