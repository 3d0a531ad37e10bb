// The processing stage that follows an import: coordinates of the measured points, both faces,
// unique names, field codes, lines and relief. It works from the raw measurements and the
// project's processing settings alone, so running it again changes nothing.
#pragma once

#include "import/contracts/vrk.h"

namespace processing {

struct Summary {
    int stations = 0;       // stations with a position and an orientation
    int free_stations = 0;  // of them placed as free stations
    int points = 0;         // points computed
    int lines = 0;
};

// Notes go to the project's import protocol.
Summary Compute(vrk::CVrkObject& project);

}  // namespace processing
