// Elta R5 record files: the R4 layout under its own format name.
#pragma once

#include <string>

#include "readers/elta/elta_r4_reader.h"

class CImpELTAR5 : public CImpELTAR4 {
  public:
    CImpELTAR5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
               std::string format);
    ~CImpELTAR5() override;
};
