// The library's entry: one import server for each call.
#include <string_view>

#include "csv_detect.h"
#include "csv_server.h"

TAVRIN_PLUGIN_EXPORT IPluginObject* CreateInstance(int abi, IImportHost* host) {
    if (abi != tavrin::kImportPluginAbi || !host)
        return nullptr;
    // The server starts with one reference, the caller's; its Release deletes it.
    try {
        return new csv_points::Server(*host);
    } catch (...) {
        return nullptr;
    }
}

// Files of name,x,y,h lines: the share of sampled lines with a name and three numbers.
TAVRIN_PLUGIN_EXPORT int DetectFormat(const char* head, size_t size, char* evidence,
                                      size_t evidence_size) {
    return csv_points::Detect(std::string_view(head, size), evidence, evidence_size);
}
