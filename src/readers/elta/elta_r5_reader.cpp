#include "readers/elta/elta_r5_reader.h"

CImpELTAR5::CImpELTAR5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
                       std::string format)
    : CImpELTAR4(project, site, info, std::move(format)) {}

CImpELTAR5::~CImpELTAR5() = default;
