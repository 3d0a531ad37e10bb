// 3TA5 upload files: one coordinate-station record of seven 12-character fields per point.
#pragma once

#include "export/export_dev.h"

class CExport3TA5 : public CExportDev {
  public:
    CExport3TA5();
    CExport3TA5(const CExport3TA5&) = default;
    CExport3TA5& operator=(const CExport3TA5&) = default;

    bool ExportFirst(platform::TextFile& file, vrk::CVrkObject& project) override;
    std::string FormNameStroka(const std::string& name) override;
    std::string FormExpStroka(const vrk::CVrkPoint& point, const std::string& name) override;
};
