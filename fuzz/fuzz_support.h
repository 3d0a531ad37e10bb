// What every fuzz target shares: a scratch folder, quiet message boxes, the process-wide state
// put back to its start before each input, and the check that it was: now and then an earlier
// input runs again and must give what it gave the first time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "platform/text_file.h"

// Each target defines it: one input, run after the process state was reset. What it makes goes
// to fuzz::Note; the messages shown are noted by the caller.
void FuzzOne(std::string_view input);

namespace fuzz {

// The scratch folder of this process (made at first use, in /dev/shm when there is one).
const std::filesystem::path& ScratchDir();
// Writes the bytes to a file in the scratch folder and returns its path.
std::filesystem::path WriteInput(std::string_view name, std::string_view bytes);
// A file in the scratch folder whose reading gives `bytes` (read from memory while the returned
// object lives; the file itself is empty, so that the checks for its presence pass).
class ServedInput {
  public:
    ServedInput(std::string_view name, std::string_view bytes);
    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
    platform::MemoryFile m_served;
};
// Units, presentation, settings (an empty, volatile settings file), message boxes (answered with
// the first button), the message language and the text encoding as a fresh process has them.
void ResetProcessState();

// Folds what an input made into its digest.
void Note(std::string_view what);
void Note(long long number);
// The whole of a file (what a writer wrote), or that there is none.
void NoteFile(const std::filesystem::path& path);

}  // namespace fuzz
