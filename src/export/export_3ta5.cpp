#include "export/export_3ta5.h"

CExport3TA5::CExport3TA5() {
    m_XFormat = m_YFormat = m_HFormat = "%11.*f";
    m_nPrecision = 3;
    m_nXWidth = m_nYWidth = m_nHWidth = 11;
    m_nNameWidth = 12;
}

bool CExport3TA5::ExportFirst(platform::TextFile&, vrk::CVrkObject& project) {
    if (!AskMetresOnly())
        return false;
    if (project.GetEStyle() == zut::es_zone_prefix)
        return RefuseForEastingStyle();
    return true;
}

// The instrument takes 1 to 11 digits, right-aligned in the 12-character field.
std::string CExport3TA5::FormNameStroka(const std::string& name) {
    const auto width = static_cast<size_t>(m_nNameWidth);
    return FitName(name, NameChars::Digits, width - 1, NameAlign::Right, width, ' ');
}

std::string CExport3TA5::FormExpStroka(const vrk::CVrkPoint& point, const std::string& name) {
    const Coords c = FormCoordsInMetres(point);
    const std::string blanks(12, ' ');
    // Record kind 1 (coordinate station), variant 1, unit code 0.
    std::string line = "        1100";
    line += FormNameStroka(name);
    line += blanks;
    line += " " + c.x + " " + c.y + " " + c.h;
    line += blanks;
    line += "\n";
    return line;
}
