// A project to one of the output formats: the one entry the command line and the import use.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "import/contracts/vrk.h"
#include "outputs/output_format.h"

namespace outputs {

struct ConvertSummary {
    Format format = Format::GeoPackage;
    size_t control = 0, survey = 0, stations = 0, observations = 0, lines = 0;
    size_t left_out = 0;  // features the format could not hold (no coordinates)
    std::vector<std::filesystem::path> files;  // what was written
};

// The checks Convert makes before it reads anything: a known format for `out`, a coordinate
// reference system where the format needs one and a known one where given, an output that is
// none of the inputs. Callers that do long work before converting check first.
bool CheckConvert(const std::filesystem::path& out, const ConvertOptions& options,
                  std::string& error);

// Writes `project` to `out`. Refuses a format it cannot honour, an output that is one of the
// inputs, and writes beside the target first so that a failure leaves the old file as it was.
// On failure `error` is a message for the user (in the current language).
bool Convert(vrk::CVrkObject& project, const std::filesystem::path& out,
             const ConvertOptions& options, ConvertSummary& summary, std::string& error);

// What Convert wrote, for the user: the files, the format and the counts.
std::string SummaryText(const ConvertSummary& summary);

}  // namespace outputs
