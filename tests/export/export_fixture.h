// A private folder, settings file, prompter and headless front end per test, and small projects
// built in the test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/export_dev.h"
#include "export/export_formats.h"
#include "import/contracts/vrk.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "support/temp_dir.h"
#include "ui/dialog.h"
#include "ui/prompter.h"

namespace export_test {

namespace fs = std::filesystem;

// The format indices of the export dialog's type list.
enum Fmt : int { kTrimble3300, kTrimble3600, kLeica8, kLeica16, kGeodimeter, kTTA5, kPentax };

struct Pt {
    std::string name;
    std::optional<double> x, y, h;
};

inline vrk::CVrkPoint ToPoint(const Pt& p) {
    vrk::CVrkPoint v;
    v.name = p.name;
    if (p.x)
        v.x = *p.x;
    if (p.y)
        v.y = *p.y;
    if (p.h)
        v.h = *p.h;
    return v;
}

class ExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::Profile::UseFile(dir() / "settings.toml");
        res::SetLanguage(res::Language::English);
        prompter = std::make_shared<ui::ScriptedPrompter>();
        ui::InstallPrompter(prompter);
        front_end = std::make_shared<ui::HeadlessFrontEnd>();
        ui::InstallFrontEnd(front_end);
        // Most tests are not about question 7649.
        project.SetAttr(4, 1);
    }

    void TearDown() override {
        zut::CLinear::unit(zut::du_metre);
        zut::CNorth::precision(3);
        ui::InstallPrompter(nullptr);
        ui::InstallFrontEnd(nullptr);
    }

    const fs::path& dir() const { return m_tmp.path(); }
    std::string Out(const std::string& name = "out.txt") const { return (dir() / name).string(); }

    void Add(const Pt& p, bool control = false, bool selected = false) {
        vrk::CVrkPoint v = ToPoint(p);
        v.control = control;
        v.selected = selected;
        project.data().points.push_back(v);
    }
    void Add(const std::vector<Pt>& points) {
        for (const Pt& p : points) Add(p);
    }

    static std::string ReadFile(const fs::path& path) {
        return testing_support::TempDir::Read(path);
    }

    // Runs the writer into out.txt and gives back the bytes (empty when no file was left).
    std::string Export(CExportDev& writer, bool* result = nullptr) {
        const bool ok = writer.DoExport(&project, Out());
        if (result)
            *result = ok;
        return fs::exists(Out()) ? ReadFile(Out()) : std::string();
    }

    // Runs the writer and expects a refusal whose last message is `message`, with no file left.
    void ExpectRefused(CExportDev& writer, unsigned message) {
        fs::remove(Out());
        bool ok = true;
        EXPECT_EQ(Export(writer, &ok), "");
        EXPECT_FALSE(ok);
        ASSERT_FALSE(prompter->shown.empty());
        EXPECT_EQ(prompter->shown.back().text, res::LoadString(message));
        EXPECT_TRUE(FolderContents().empty());
    }

    std::vector<std::string> Log() {
        std::vector<std::string> out;
        for (const auto& e : project.ExportLog().Entries()) out.push_back(e.text);
        return out;
    }
    // The log line of message 9122 (name) or 9123 (coordinate) for a point.
    static std::string Logged(unsigned message, const std::string& name) {
        return res::Format(res::LoadString(message), {name});
    }

    // Files in the test folder other than the settings: nothing temporary may stay behind.
    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir()))
            if (e.path().filename() != "settings.toml")
                names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    vrk::CVrkObject project;
    std::shared_ptr<ui::ScriptedPrompter> prompter;
    std::shared_ptr<ui::HeadlessFrontEnd> front_end;

  private:
    testing_support::TempDir m_tmp;
};

}  // namespace export_test
