#include "export/export_formats.h"

#include <array>

#include "export/export_3ta5.h"
#include "export/export_geodimetr.h"
#include "export/export_leica.h"
#include "export/export_pentax.h"
#include "export/export_trimble.h"
#include "text/letter_case.h"

namespace {

constexpr std::array<ExportFormat, 7> kFormats{{
    {0, "trimble-3300", "Trimble 3300", "*.dat;"},
    {1, "trimble-3600", "Trimble 3600", "*.dat;"},
    {2, "leica-8", "Leica-8", "*.gsi;"},
    {3, "leica-16", "Leica-16", "*.gsi;"},
    {4, "geodimeter", "Geodimetr", "*.are;"},
    {5, "3ta5", "3TA5", "*.txt;"},
    {6, "pentax", "Pentax", "*.csv;"},
}};

}  // namespace

std::span<const ExportFormat> ExportFormats() {
    return kFormats;
}

const ExportFormat* FindExportFormat(std::string_view key) {
    for (const auto& f : kFormats)
        if (text::Lower(key) == f.key)
            return &f;
    return nullptr;
}

std::unique_ptr<CExportDev> CreateExporter(int index) {
    switch (index) {
        case 0:
            return std::make_unique<CExportTrimble>(3300);
        case 1:
            return std::make_unique<CExportTrimble>(3600);
        case 2:
            return std::make_unique<CExportLeica>(8);
        case 3:
            return std::make_unique<CExportLeica>(16);
        case 4:
            return std::make_unique<CExportGeodimetr>();
        case 5:
            return std::make_unique<CExport3TA5>();
        case 6:
            return std::make_unique<CExportPentax>();
        default:
            return nullptr;
    }
}
