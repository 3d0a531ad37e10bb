// Numbers as the processing protocol writes them.
#pragma once

#include <optional>
#include <string>

namespace processing {

// Metres with millimetres.
std::string Metres(double v);
std::string Metres(const std::optional<double>& v);
// An angle as degrees, minutes and seconds: 12°03'04.5".
std::string Dms(double radians);

}  // namespace processing
