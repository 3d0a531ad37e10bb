#include "platform/atomic_write.h"

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class AtomicWrite : public ::testing::Test {
  protected:
    testing_support::TempDir tmp;
};

TEST_F(AtomicWrite, ReplacesWholeAndLeavesNothingBehind) {
    const fs::path target = tmp.path() / "out.txt";
    std::string error;
    ASSERT_TRUE(platform::AtomicWrite(target, "old", error)) << error;
    ASSERT_TRUE(platform::AtomicWrite(target, std::string(100000, 'n'), error)) << error;
    EXPECT_EQ(tmp.Read(target), std::string(100000, 'n'));
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);

    // A link planted under the temporary name is not followed.
    const fs::path victim = tmp.Write("victim", "keep");
    fs::create_symlink(victim, target.string() + ".tmp" + std::to_string(::getpid()));
    ASSERT_TRUE(platform::AtomicWrite(target, "new", error)) << error;
    EXPECT_EQ(tmp.Read(victim), "keep");
    EXPECT_EQ(tmp.Read(target), "new");

    // A folder that does not exist: refused with the reason.
    EXPECT_FALSE(platform::AtomicWrite(tmp.path() / "no" / "out.txt", "x", error));
    EXPECT_NE(error.find("no/out.txt"), std::string::npos);
}

}  // namespace
