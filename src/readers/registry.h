// The built-in formats: for each, its settings section, captions, file patterns and reader.
// A new format is one reader folder and one line of the table in registry.cpp.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "readers/importer_base.h"

struct ImportFormat {
    int index;
    const char* section;
    unsigned caption_id;
    const char* pattern;
    unsigned filter_name_id;
    std::unique_ptr<CWImport> (*create)(vrk::CVrkObject* project, ReaderSite* site,
                                        vrk::CImportInfo* info);
};

// Plug-ins are numbered after the built-in formats.
constexpr int kBuiltInFormats = 16;
std::span<const ImportFormat> BuiltInFormats();
// A format index from a section key (any letter case) or a number; -1 when unknown.
int FormatFromText(const std::string& text, int highest);

// The reader of a built-in format, constructed as the import dialog does; null for an index
// outside the table.
std::unique_ptr<CWImport> CreateReader(int format, vrk::CVrkObject* project, ReaderSite* site,
                                       vrk::CImportInfo* info);
