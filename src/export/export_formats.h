// The instrument formats the export offers, in the order of the export dialog's type list.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "export/export_dev.h"

struct ExportFormat {
    int index;            // what the dialog hands to the host
    const char* key;      // command-line name
    const char* name;     // type-list name
    const char* pattern;  // extension pattern; the extension is its middle ("*.dat;" gives .dat)
};

std::span<const ExportFormat> ExportFormats();
// The format of a command-line name (any letter case); null when there is none.
const ExportFormat* FindExportFormat(std::string_view key);
// The writer of a format index; null for an index outside the list.
std::unique_ptr<CExportDev> CreateExporter(int index);
