// What every fuzz target shares: a scratch folder, quiet message boxes, and the process-wide
// state put back to its start before each input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace fuzz {

// The scratch folder of this process (made at first use, in /dev/shm when there is one).
const std::filesystem::path& ScratchDir();
// Writes the bytes to a file in the scratch folder and returns its path.
std::filesystem::path WriteInput(std::string_view name, const uint8_t* data, size_t size);
// Units, coordinate presentation, settings (an empty, volatile settings file), message boxes
// (answered with the first button) and the message language as a fresh process has them.
void ResetProcessState();

}  // namespace fuzz
