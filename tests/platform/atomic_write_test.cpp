#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/atomic_write.h"

namespace fs = std::filesystem;

namespace {
std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
}  // namespace

TEST(AtomicWrite, ReplacesWholeAndLeavesNothingBehind) {
    fs::path dir = fs::temp_directory_path() / ("tavrin-aw-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::path target = dir / "out.txt";
    std::string error;
    ASSERT_TRUE(platform::AtomicWrite(target, "old", error)) << error;
    ASSERT_TRUE(platform::AtomicWrite(target, std::string(100000, 'n'), error)) << error;
    EXPECT_EQ(Slurp(target), std::string(100000, 'n'));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // A link planted under the temporary name is not followed.
    fs::path victim = dir / "victim";
    std::ofstream(victim) << "keep";
    fs::path tmp = target;
    tmp += ".tmp" + std::to_string(::getpid());
    fs::create_symlink(victim, tmp);
    ASSERT_TRUE(platform::AtomicWrite(target, "new", error)) << error;
    EXPECT_EQ(Slurp(victim), "keep");
    EXPECT_EQ(Slurp(target), "new");

    // A folder that does not exist: refused with the reason, nothing created.
    EXPECT_FALSE(platform::AtomicWrite(dir / "no" / "out.txt", "x", error));
    EXPECT_NE(error.find("no/out.txt"), std::string::npos);
    fs::remove_all(dir);
}
