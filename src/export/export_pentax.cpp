#include "export/export_pentax.h"

#include <cstdio>

CExportPentax::CExportPentax() {
    m_XFormat = m_YFormat = m_HFormat = "%+011.*f";
    m_nPrecision = 3;
    m_nXWidth = m_nYWidth = m_nHWidth = 11;
    m_nNameWidth = 15;
}

bool CExportPentax::ExportFirst(platform::TextFile&, vrk::CVrkObject& project) {
    if (project.GetEStyle() == zut::es_zone_prefix)
        return RefuseForEastingStyle();
    return true;
}

std::string CExportPentax::FormNameStroka(const std::string& name) {
    return FitName(name, NameChars::LatinDigitsPlusMinus, static_cast<size_t>(m_nNameWidth),
                   NameAlign::None, 0, ' ');
}

std::string CExportPentax::FormExpStroka(const vrk::CVrkPoint& point, const std::string& name) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d", m_nExported + 1);
    std::string line = number;
    line += "," + FormXStroka(point);
    line += "," + FormYStroka(point);
    line += "," + FormHStroka(point);
    line += "," + FormNameStroka(name);
    line += ",\n";
    return line;
}
