// The project reader (`--into`, `export`), and what it accepted written back and read again:
// a project the reader takes must survive its own round trip.
#include <cstdlib>

#include "fuzz_support.h"
#include "import/contracts/vrk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetProcessState();
    const auto path = fuzz::WriteInput("project.json", data, size);
    vrk::CVrkObject project;
    std::string error;
    if (!project.LoadJson(path.string(), error)) {
        if (error.empty())
            std::abort();  // a refusal must say why
        return 0;
    }
    const auto again = fuzz::ScratchDir() / "again.json";
    if (!project.SaveJson(again.string(), error))
        std::abort();
    vrk::CVrkObject reread;
    if (!reread.LoadJson(again.string(), error))
        std::abort();
    return 0;
}
