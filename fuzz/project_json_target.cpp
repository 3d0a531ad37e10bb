// The project reader (`--into`, `export`), and what it accepted written back and read again:
// a project the reader takes must survive its own round trip.
#include <cstdlib>

#include "fuzz_support.h"
#include "import/contracts/vrk.h"

void FuzzOne(std::string_view input) {
    const auto path = fuzz::WriteInput("project.json", input);
    vrk::CVrkObject project;
    std::string error;
    if (!project.LoadJson(path.string(), error)) {
        if (error.empty())
            std::abort();  // a refusal must say why
        fuzz::Note(error);
        return;
    }
    const auto again = fuzz::ScratchDir() / "again.json";
    if (!project.SaveJson(again.string(), error))
        std::abort();
    vrk::CVrkObject reread;
    if (!reread.LoadJson(again.string(), error))
        std::abort();
    fuzz::NoteFile(again);
}
