// A library that is no plug-in: it exports something, but not CreateInstance.
#include "tavrin/import_plugin.h"

TAVRIN_PLUGIN_EXPORT int CreateSomethingElse() {
    return 1;
}
