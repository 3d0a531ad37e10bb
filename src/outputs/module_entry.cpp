// The one symbol the loadable outputs module exports.
#include "outputs/module_api.h"

extern "C" __attribute__((visibility("default"))) const outputs::ModuleApi*
tavrin_outputs_module() {
    static const outputs::ModuleApi api{outputs::kModuleApiVersion, &outputs::CheckConvert,
                                        &outputs::Convert, &outputs::SummaryText};
    return &api;
}
