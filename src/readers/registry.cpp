#include "readers/registry.h"

#include <algorithm>
#include <charconv>

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
#include "text/letter_case.h"
#include "text/trim.h"

namespace {

template <class Reader, auto... extra>
std::unique_ptr<CWImport> Make(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info) {
    return std::make_unique<Reader>(project, site, info, extra...);
}

// Elta readers take their record-type caption as text.
template <class Reader>
std::unique_ptr<CWImport> MakeElta(vrk::CVrkObject* project, ReaderSite* site,
                                   vrk::CImportInfo* info, const char* caption) {
    return std::make_unique<Reader>(project, site, info, caption);
}

// The index is the position: settings files store the chosen format by number.
const ImportFormat kFormats[] = {
    {0, "ELTAR4", 9053, "*.dat", 9057,
     [](auto p, auto s, auto i) { return MakeElta<CImpELTAR4>(p, s, i, "For R4"); }},
    {1, "ELTAR5", 9054, "*.dat", 9058,
     [](auto p, auto s, auto i) { return MakeElta<CImpELTAR5>(p, s, i, "For R5"); }},
    {2, "ELTAC_M5", 9065, "*.dat", 9064,
     [](auto p, auto s, auto i) { return MakeElta<CImpELTAC_M5>(p, s, i, "For M5"); }},
    {3, "ELTAREC500", 9056, "*.dat", 9060,
     [](auto p, auto s, auto i) { return MakeElta<CImpELTAREC500>(p, s, i, "Rec 500"); }},
    {4, "SDR", 9035, "*.sdr", 9043, Make<CImpSDR>},
    {5, "LEICA", 9042, "*.gre;*.txt;*.gsi", 9047, Make<CImpLEICA>},
    {6, "2TA5", 9037, "*.txt", 9044, Make<CImp2TA5>},
    {7, "3TA5", 9038, "*.txt;*.rsv", 9045, Make<CImp3TA5>},
    {8, "4TA5", 9070, "*.txt;*.rsv", 9055, Make<CImp4TA5>},
    {9, "NRDF", 9072, "*.400;*.rdf", 9048, Make<CImpNRDF>},
    {10, "TDS6", 9036, "*.txt", 9049, Make<CImpTDS6>},
    {11, "TDS7", 9034, "*.txt", 9050, Make<CImpTDS7>},
    {12, "GEODI", 9039, "*.job;*.in", 9046, Make<CImpGEOD, 0>},
    {13, "GEODP", 9062, "*.are", 9061, Make<CImpGEOD, 1>},
    {14, "PENTAXI", 9069, "*.dc1;*.aux;*.txt", 9067, Make<CImpPENTAX>},
    {15, "PENTAXP", 9068, "*.dc1;*.csv;*.txt", 9066, Make<CImpPENTAX>},
};
static_assert(std::size(kFormats) == kBuiltInFormats);

}  // namespace

std::span<const ImportFormat> BuiltInFormats() {
    return kFormats;
}

int FormatFromText(const std::string& name, int highest) {
    const std::string t = text::Trim(name);
    if (t.empty())
        return -1;
    if (std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int value = -1;
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
        if (ec != std::errc() || end != t.data() + t.size() || value > highest)
            return -1;
        return value;
    }
    const std::string key = text::Lower(t);
    for (const auto& f : kFormats)
        if (key == text::Lower(f.section))
            return f.index <= highest ? f.index : -1;
    return -1;
}

std::unique_ptr<CWImport> CreateReader(int format, vrk::CVrkObject* project, ReaderSite* site,
                                       vrk::CImportInfo* info) {
    if (format < 0 || format >= kBuiltInFormats)
        return nullptr;
    return kFormats[format].create(project, site, info);
}
