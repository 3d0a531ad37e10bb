// The control points of a CDX file, as `tavrin cdx` reads them.
#include "fuzz_support.h"
#include "readers/cdx/cdx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetProcessState();
    const auto path = fuzz::WriteInput("input.cdx", data, size);
    vrk::CVrkObject project;
    vrk::CImportInfo info;
    CImpCDX reader(&project, nullptr, &info);
    reader.ImportFile(path.string());
    return 0;
}
