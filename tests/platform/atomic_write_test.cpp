#include "platform/atomic_write.h"

#include <gmock/gmock.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "support/temp_dir.h"

using ::testing::HasSubstr;

namespace {

namespace fs = std::filesystem;

class AtomicWrite : public ::testing::Test {
  protected:
    testing_support::TempDir tmp;
    std::string error;
};

TEST_F(AtomicWrite, ReplacesWholeAndLeavesNothingBehind) {
    const fs::path target = tmp.path() / "out.txt";
    ASSERT_TRUE(platform::AtomicWrite(target, "old", error)) << error;
    ASSERT_TRUE(platform::AtomicWrite(target, std::string(100000, 'n'), error)) << error;
    EXPECT_EQ(tmp.Read(target), std::string(100000, 'n'));
    EXPECT_EQ(tmp.Names(), std::vector<std::string>{"out.txt"});

    // A folder that does not exist: refused with the reason.
    EXPECT_FALSE(platform::AtomicWrite(tmp.path() / "no" / "out.txt", "x", error));
    EXPECT_THAT(error, HasSubstr("no/out.txt"));
}

TEST_F(AtomicWrite, LinksAreWrittenThroughAndTheModeKept) {
    const fs::path real = tmp.Write("data/real.json", "old");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink("data/real.json", tmp.path() / "link.json");
    fs::create_symlink("link.json", tmp.path() / "link2.json");
    ASSERT_TRUE(platform::AtomicWrite(tmp.path() / "link2.json", "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(tmp.path() / "link.json"));
    EXPECT_TRUE(fs::is_symlink(tmp.path() / "link2.json"));
    EXPECT_EQ(tmp.Read(real), "new");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // A link to a file not there yet makes that file.
    fs::create_symlink("data/later.json", tmp.path() / "dangling.json");
    ASSERT_TRUE(platform::AtomicWrite(tmp.path() / "dangling.json", "x", error)) << error;
    EXPECT_EQ(tmp.Read(tmp.path() / "data/later.json"), "x");
    // Links in a loop: refused.
    fs::create_symlink("loop2", tmp.path() / "loop1");
    fs::create_symlink("loop1", tmp.path() / "loop2");
    EXPECT_FALSE(platform::AtomicWrite(tmp.path() / "loop1", "x", error));
}

TEST_F(AtomicWrite, StaleTemporariesOfDeadRunsAreRemoved) {
    // A run that died: its process id is no longer in use.
    const pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string stale = "p.json.tavrin-tmp-" + std::to_string(dead) + "-3";
    const std::string alive = "p.json.tavrin-tmp-" + std::to_string(::getppid()) + "-1";
    tmp.Write(stale, std::string(1000, 's'));
    tmp.Write(alive, "a");
    tmp.Write("p.json.tavrin-tmp-notours", "n");
    EXPECT_TRUE(platform::IsOurTemporaryName(stale));
    EXPECT_FALSE(platform::IsOurTemporaryName("p.json.tavrin-tmp-notours"));
    ASSERT_TRUE(platform::AtomicWrite(tmp.path() / "p.json", "{}", error)) << error;
    EXPECT_EQ(tmp.Names(),
              (std::vector<std::string>{"p.json", alive, "p.json.tavrin-tmp-notours"}));
}

}  // namespace
