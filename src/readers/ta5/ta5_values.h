// Value texts of the TA5 instrument family (2TA5, 3TA5, 4TA5): whole millimetres, packed angles
// and DDMMYY dates, turned into the forms the values library reads.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "readers/local_clock.h"

namespace readers {

// Whole millimetres as metres: "12345" -> "12.345", "-5" -> "-0.005". The sign is set aside,
// the rest padded with "0" to four characters and a point put before the last three.
std::string Ta5Millimetres(std::string_view text);

// Packed degrees-minutes-seconds DDDMMSS as "DDD.MM.SS"; the sign stays in front. At most seven
// characters count, shorter texts are padded with "0" in front.
std::string Ta5PackedDms(std::string_view text);

// Packed decimal angle DDDdddd (grads or degrees) as "DDD.dddd", padded like Ta5PackedDms.
std::string Ta5PackedDecimal(std::string_view text);

// A DDMMYY date with the current local hour and minute. Parts that are out of range (day 1-31,
// month 1-12, year 1980-2100) are taken from today. Two-digit years 00-79 are 2000-2079, 80-99
// are 1980-1999. Returns false only when the local clock cannot be read.
bool Ta5Date(std::string_view text, int64_t* time, LocalClock& clock);

}  // namespace readers
