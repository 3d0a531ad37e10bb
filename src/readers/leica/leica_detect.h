// Whether a file looks like one of this family's formats.
#pragma once

#include "readers/format_detect.h"

namespace detect {
void DetectLeica(const Sample& sample, Verdicts& out);
}
