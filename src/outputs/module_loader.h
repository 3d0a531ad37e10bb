// Finds and opens the outputs module: beside the program in a build folder, in lib/tavrin once
// installed.
#pragma once

#include <string>

#include "outputs/module_api.h"

namespace outputs {

// The module's entry points, opened at the first call and kept for the run; null with `error`
// set (a message for the user) when it cannot be found or is of another build.
const ModuleApi* LoadModule(std::string& error);

}  // namespace outputs
