// Geodimeter label files: a title line (label 15), then each point's name (label 5) and its
// coordinates (labels 37, 38, 39), one label a line.
#pragma once

#include "export/export_dev.h"

class CExportGeodimetr : public CExportDev {
  public:
    CExportGeodimetr();

    bool ExportFirst(platform::TextFile& file, vrk::CVrkObject& project) override;
    bool ExportPoint(platform::TextFile& file, const vrk::CVrkPoint& point,
                     const std::string& name) override;
    std::string FormNameStroka(const std::string& name) override;
};
