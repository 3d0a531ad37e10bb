// Trimble 3300 and 3600 coordinate files: fixed-width "For M5" records with an address, the
// point identifier and X, Y, Z in metres.
#pragma once

#include "export/export_dev.h"

class CExportTrimble : public CExportDev {
  public:
    // `model` 3300 (numeric identifiers) or 3600 (letters too).
    explicit CExportTrimble(int model);
    CExportTrimble(const CExportTrimble&) = default;
    CExportTrimble& operator=(const CExportTrimble&) = default;

    bool ExportFirst(platform::TextFile& file, vrk::CVrkObject& project) override;
    std::string FormNameStroka(const std::string& name) override;
    std::string FormExpStroka(const vrk::CVrkPoint& point, const std::string& name) override;

    int Model() const { return m_nModel; }

  private:
    int m_nModel;
};
