// The control points of a CDX file, as `tavrin cdx` reads them.
#include "fuzz_support.h"
#include "readers/cdx/cdx_reader.h"

void FuzzOne(std::string_view input) {
    const fuzz::ServedInput served("input.cdx", input);
    vrk::CVrkObject project;
    vrk::CImportInfo info;
    CImpCDX reader(&project, nullptr, &info);
    fuzz::Note(reader.ImportFile(served.path().string()));
    for (const auto& entry : project.ImportLog().Entries()) fuzz::Note(entry.text);
}
