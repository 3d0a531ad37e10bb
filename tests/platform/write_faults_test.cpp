// Every file the program writes, with each step of the write failing in turn (creating,
// writing, syncing, closing, renaming) for the reasons a disk gives: the old file stays as it
// was, nothing is left beside it, and the message names the file and the reason. A read-only
// folder is planted too, as the tests run as root, for whom the folder's mode stops nothing.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

#include "export/export_formats.h"
#include "import/contracts/vrk.h"
#include "platform/atomic_write.h"
#include "platform/io_fault.h"
#include "platform/profile.h"
#include "support/temp_dir.h"
#include "ui/dialog.h"
#include "ui/prompter.h"

namespace {

namespace fs = std::filesystem;
using platform::IoStep;

// Writes `text` into the file at `path`; false with the message the user gets.
using WriteFn = std::function<bool(const fs::path& path, const std::string& text, std::string&)>;

struct Writer {
    const char* what;
    WriteFn write;
};

const Writer kWriters[] = {
    {"whole file (imported-files list)",
     [](const fs::path& path, const std::string& text, std::string& error) {
         return platform::AtomicWrite(path, text, error);
     }},
    {"settings",
     [](const fs::path& path, const std::string& text, std::string& error) {
         platform::Profile profile(path);
         const bool ok = profile.WriteString("Paths", "Folder", text);
         error = profile.error();
         return ok;
     }},
    {"project",
     [](const fs::path& path, const std::string& text, std::string& error) {
         vrk::CVrkObject project;
         project.title = text;
         return project.SaveJson(path.string(), error);
     }},
    {"export",
     [](const fs::path& path, const std::string& text, std::string& error) {
         vrk::CVrkObject project;
         project.SetAttr(4, 1);
         vrk::CVrkPoint point;
         point.name = text.substr(0, 4);
         point.x = 1;
         point.y = 2;
         project.data().points.push_back(point);
         ui::InstallFrontEnd(std::make_shared<ui::HeadlessFrontEnd>());
         auto writer = CreateExporter(ExportFormats().back().index);
         const bool ok = writer->DoExport(&project, path.string());
         ui::InstallFrontEnd(nullptr);
         error = writer->LastError();
         return ok;
     }},
};

constexpr IoStep kSteps[] = {IoStep::Create, IoStep::Write, IoStep::Sync, IoStep::Close,
                             IoStep::Rename};

class WriteFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::Profile::UseFile(tmp.path() / "profile" / "settings.toml");
        ui::InstallPrompter(prompter);
    }
    void TearDown() override {
        platform::ClearPlantedFailures();
        ui::InstallPrompter(nullptr);
    }
    testing_support::TempDir tmp;
    std::shared_ptr<ui::ScriptedPrompter> prompter = std::make_shared<ui::ScriptedPrompter>();
};

TEST_F(WriteFaults, EveryStepOfEveryWriteFailsWithoutHarm) {
    const fs::path target = tmp.path() / "out" / "target.dat";
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.what);
        fs::remove_all(target.parent_path());
        fs::create_directories(target.parent_path());
        std::string error;
        ASSERT_TRUE(writer.write(target, "OLD1", error)) << error;
        const std::string old = tmp.Read(target);
        // A clean run counts the calls of each step; then each call fails in turn.
        platform::PlantFailure(IoStep::Create, 0, -1);
        ASSERT_TRUE(writer.write(target, "NEW2", error)) << error;
        ASSERT_TRUE(writer.write(target, "OLD1", error)) << error;
        int calls[std::size(kSteps)];
        for (size_t s = 0; s < std::size(kSteps); ++s) {
            calls[s] = platform::StepCalls(kSteps[s]) / 2;
            EXPECT_GT(calls[s], 0) << "step " << s << " is never asked";
        }
        for (size_t s = 0; s < std::size(kSteps); ++s)
            for (int nth = 0; nth < calls[s]; ++nth)
                for (int err : {ENOSPC, EROFS, EIO}) {
                    SCOPED_TRACE(testing::Message()
                                 << "step " << s << " call " << nth << " " << std::strerror(err));
                    platform::PlantFailure(kSteps[s], err, nth);
                    error.clear();
                    EXPECT_FALSE(writer.write(target, "NEW2", error));
                    EXPECT_EQ(tmp.Read(target), old);
                    EXPECT_NE(error.find(target.string()), std::string::npos) << error;
                    EXPECT_EQ(error.find("tavrin-tmp"), std::string::npos) << error;
                    EXPECT_NE(error.find(std::strerror(err)), std::string::npos) << error;
                    EXPECT_EQ(tmp.Names("out"), std::vector<std::string>{"target.dat"});
                }
        platform::ClearPlantedFailures();

        // A folder where the file should be: refused by name, the folder left alone.
        fs::create_directories(target.parent_path() / "folder" / "inside");
        EXPECT_FALSE(writer.write(target.parent_path() / "folder", "NEW2", error));
        EXPECT_NE(error.find("folder"), std::string::npos) << error;
        EXPECT_TRUE(fs::is_directory(target.parent_path() / "folder" / "inside"));
    }
}

}  // namespace
