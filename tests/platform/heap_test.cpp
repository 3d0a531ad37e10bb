#include "platform/heap.h"

#include <gmock/gmock.h>
#include <malloc.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

// Large blocks come from the heap (used again, not mapped anew) and the heap asks for huge pages.
TEST(Heap, LargeBlocksComeFromAHeapOfHugePages) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer brings its own allocator";
#endif
    platform::PrepareHeap();
    const size_t mapped = mallinfo2().hblkhd;
    void* volatile block = std::malloc(size_t{8} << 20);
    EXPECT_EQ(mallinfo2().hblkhd, mapped);
    std::free(block);
    if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage/enabled"))
        return;
    std::ifstream maps("/proc/self/smaps");
    bool heap = false, huge = false;
    for (std::string line; std::getline(maps, line);) {
        if (line.find(" [heap]") != std::string::npos)
            heap = true;
        else if (heap && line.starts_with("VmFlags:"))
            huge = huge || line.find(" hg") != std::string::npos, heap = false;
    }
    EXPECT_TRUE(huge);
}
