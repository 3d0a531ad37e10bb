#include "platform/io_fault.h"

#include <array>
#include <atomic>
#include <mutex>

namespace platform {
namespace {

constexpr size_t kSteps = static_cast<size_t>(IoStep::Count);

std::atomic<bool> g_armed{false};
std::mutex g_lock;
struct Plan {
    IoStep step = IoStep::Count;
    int err = 0;
    int nth = 0;
    std::array<int, kSteps> calls{};
} g_plan;

}  // namespace

int PlantedFailure(IoStep step) {
    if (!g_armed.load(std::memory_order_relaxed))
        return 0;
    std::lock_guard lock(g_lock);
    const int call = g_plan.calls[static_cast<size_t>(step)]++;
    return step == g_plan.step && call == g_plan.nth ? g_plan.err : 0;
}

void PlantFailure(IoStep step, int err, int nth) {
    std::lock_guard lock(g_lock);
    g_plan = Plan{step, err, nth, {}};
    g_armed = true;
}

void ClearPlantedFailures() {
    std::lock_guard lock(g_lock);
    g_plan = Plan{};
    g_armed = false;
}

int StepCalls(IoStep step) {
    std::lock_guard lock(g_lock);
    return g_plan.calls[static_cast<size_t>(step)];
}

}  // namespace platform
