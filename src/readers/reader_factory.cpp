#include "readers/reader_factory.h"

#include "readers/elta/elta_m5_reader.h"
#include "readers/elta/elta_r4_reader.h"
#include "readers/elta/elta_r5_reader.h"
#include "readers/elta/elta_rec500_reader.h"
#include "readers/geodimeter/geodimeter_reader.h"
#include "readers/leica/leica_reader.h"
#include "readers/nrdf/nrdf_reader.h"
#include "readers/pentax/pentax_reader.h"
#include "readers/sdr/sdr_reader.h"
#include "readers/ta5/ta2_reader.h"
#include "readers/ta5/ta5_reader.h"
#include "readers/tds6/tds6_reader.h"
#include "readers/tds7/tds7_reader.h"

std::unique_ptr<CWImport> CreateReader(int format, vrk::CVrkObject* project, CImpDEVDlg* dlg,
                                       vrk::CImportInfo* info) {
    switch (format) {
        case 0:
            return std::make_unique<CImpELTAR4>(project, dlg, info, "For R4");
        case 1:
            return std::make_unique<CImpELTAR5>(project, dlg, info, "For R5");
        case 2:
            return std::make_unique<CImpELTAC_M5>(project, dlg, info, "For M5");
        case 3:
            return std::make_unique<CImpELTAREC500>(project, dlg, info, "Rec 500");
        case 4:
            return std::make_unique<CImpSDR>(project, dlg, info);
        case 5:
            return std::make_unique<CImpLEICA>(project, dlg, info);
        case 6:
            return std::make_unique<CImp2TA5>(project, dlg, info);
        case 7:
            return std::make_unique<CImp3TA5>(project, dlg, info);
        case 8:
            return std::make_unique<CImp4TA5>(project, dlg, info);
        case 9:
            return std::make_unique<CImpNRDF>(project, dlg, info);
        case 10:
            return std::make_unique<CImpTDS6>(project, dlg, info);
        case 11:
            return std::make_unique<CImpTDS7>(project, dlg, info);
        case 12:
            return std::make_unique<CImpGEOD>(project, dlg, info, 0);
        case 13:
            return std::make_unique<CImpGEOD>(project, dlg, info, 1);
        case 14:
        case 15:
            return std::make_unique<CImpPENTAX>(project, dlg, info);
        default:
            return nullptr;
    }
}
