// Field codes: the code text of a point split into items, attributes and lines.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "import/contracts/vrk.h"

namespace processing {

// Without blanks, tabs and carriage returns at either end.
std::string_view Trim(std::string_view s);

// Splits a code text: items at the code separator; in each item the code, then the link sign
// and a line identifier, then attributes, each the attribute sign, a name, the value sign and a
// value. With the default signs "FENCE=1;H#1.2/TREE;D#0.3" is FENCE on line 1 with H = 1.2,
// and TREE with D = 0.3. Blanks around the parts are dropped, empty items skipped.
std::vector<vrk::CCodeItem> ParseCode(std::string_view text, const char (&signs)[4]);

// Lines from points in measuring order: points whose items share a code and a line identifier
// form one line; with `consecutive` (and for codes that `is_line_code` names) a run of
// consecutive points with the same code and no identifier forms a line too, identified "*1",
// "*2", ... per code. A line needs two points.
struct CodedPoint {
    const std::string* name;
    const std::vector<vrk::CCodeItem>* items;
};
std::vector<vrk::CLine> BuildLines(const std::vector<CodedPoint>& points, bool consecutive,
                                   const std::function<bool(const std::string&)>& is_line_code);

}  // namespace processing
