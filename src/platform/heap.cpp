#include "platform/heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace platform {

void PrepareHeap() {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    // 32 MB is the largest block the C library is documented to serve from the heap.
    constexpr size_t kLargest = size_t{32} << 20;
    constexpr size_t kStep = size_t{64} << 20;
    constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
    // Large blocks come from the heap too, so that a freed one is used again instead of being
    // handed back and faulted in anew; the heap grows a step at a time and keeps what it grew.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLargest));
    mallopt(M_TOP_PAD, static_cast<int>(kStep));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kStep));
    // Grow the heap once now and ask for huge pages over what it grew: the pages are not
    // touched here, so memory in use grows only as the heap is filled.
    auto* const before = static_cast<char*>(sbrk(0));
    // volatile: a block that nobody reads could otherwise be optimised away.
    void* volatile block = std::malloc(kLargest / 2);
    auto* const after = static_cast<char*>(sbrk(0));
    std::free(block);
    if (before == reinterpret_cast<char*>(-1) || after == reinterpret_cast<char*>(-1))
        return;
    const uintptr_t from = (reinterpret_cast<uintptr_t>(before) + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t to = reinterpret_cast<uintptr_t>(after) & ~(kHugePage - 1);
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace platform
