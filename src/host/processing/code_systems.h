// Code systems: a table of codes read from CSV, and the project's slots that hold them.
#pragma once

#include <string>
#include <vector>

#include "import/contracts/vrk.h"

namespace processing {

// One code a line: code, name and optionally the kind ("point" or "line", point when absent),
// separated by commas, semicolons or tabs; fields may be in double quotes. A first line that
// starts with the word "code" is a header. The file is UTF-8. Every problem goes to `errors`
// with the file and line; the table is taken only when there are none.
bool ReadCodeTable(const std::string& path, std::vector<vrk::CCodeEntry>& codes,
                   std::vector<std::string>& errors);

// Puts a code system into the project's slot of the same name, else into the first free slot
// (a project without a classificator gets one). Returns the slot, -1 when all are in use.
int PutCodeSystem(vrk::CVrkObject& project, const std::string& name,
                  std::vector<vrk::CCodeEntry> codes);

}  // namespace processing
