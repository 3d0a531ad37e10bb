// The library's entry: one import server for each call.
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
