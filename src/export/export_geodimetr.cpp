#include "export/export_geodimetr.h"

#include <algorithm>

#include "text/code_page.h"

CExportGeodimetr::CExportGeodimetr() {
    m_XFormat = m_YFormat = m_HFormat = "%.*f";
    m_nPrecision = 3;
    m_nXWidth = 12;
    m_nYWidth = 12;
    m_nHWidth = 10;
}

bool CExportGeodimetr::ExportFirst(platform::TextFile& file, vrk::CVrkObject& project) {
    // A line break in the title would start a label line of its own.
    std::string title = text::FromUtf8(project.title);
    std::replace(title.begin(), title.end(), '\r', ' ');
    std::replace(title.begin(), title.end(), '\n', ' ');
    Put(file, "15=" + title + "\n");
    return true;
}

std::string CExportGeodimetr::FormNameStroka(const std::string& name) {
    return FitName(name, NameChars::LatinDigitsDashUnderCyrillic, name.size(), NameAlign::None, 0,
                   ' ', true);
}

bool CExportGeodimetr::ExportPoint(platform::TextFile& file, const vrk::CVrkPoint& point,
                                   const std::string& name) {
    const std::string label5 = "5=" + FormNameStroka(name) + "\n";
    const std::string label37 = "37=" + FormXStroka(point) + "\n";
    const std::string label38 = "38=" + FormYStroka(point) + "\n";
    const std::string label39 = "39=" + FormHStroka(point) + "\n";
    if (m_bNameInvalid || m_bCoordTooLong)
        return false;
    Put(file, label5);
    // A coordinate without a value is left out rather than written empty.
    for (const std::string* line : {&label37, &label38, &label39})
        if (line->size() > 4)
            Put(file, *line);
    return true;
}
