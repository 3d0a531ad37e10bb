// The process-wide settings of the values library: current units and coordinate presentation.
#include "host/zut_internal.h"

namespace zut {

namespace detail {
Settings& settings() {
    static Settings s;
    return s;
}
}  // namespace detail

// Flags of the contract; kept for the callers, no writer looks at them.
bool CEast::m_AutoRange = false;
bool CNorth::m_AutoRange = false;

}  // namespace zut
