// Pentax comma-separated upload files: running number, X, Y, elevation and name.
#pragma once

#include "export/export_dev.h"

class CExportPentax : public CExportDev {
  public:
    CExportPentax();

    bool ExportFirst(platform::TextFile& file, vrk::CVrkObject& project) override;
    std::string FormNameStroka(const std::string& name) override;
    std::string FormExpStroka(const vrk::CVrkPoint& point, const std::string& name) override;
};
