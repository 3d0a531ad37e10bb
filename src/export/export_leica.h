// Leica GSI coordinate files in 8- or 16-character words: point number and name, then the
// easting, northing and elevation words 81, 82 and 83.
#pragma once

#include "export/export_dev.h"

class CExportLeica : public CExportDev {
  public:
    // `word_size` 8 or 16; another value keeps the base's formats and widths.
    explicit CExportLeica(int word_size);
    CExportLeica(const CExportLeica&) = default;
    CExportLeica& operator=(const CExportLeica&) = default;

    bool ExportFirst(platform::TextFile& file, vrk::CVrkObject& project) override;
    std::string FormNameStroka(const std::string& name) override;
    std::string FormExpStroka(const vrk::CVrkPoint& point, const std::string& name) override;

    int WordSize() const { return m_nWordSize; }
    const std::string& UnitCode() const { return m_UnitCode; }

  private:
    // The coordinate word's digits: the formatted text without its decimal point.
    std::string WordDigits(std::string text) const;

    int m_nWordSize;
    std::string m_UnitCode = "10";  // positions 5-6 of the coordinate words
};
