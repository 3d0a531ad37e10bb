// A headless import dialog over a private settings file and a private folder per test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "import/import_dialog.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/viewer_recorder.h"
#include "ui/prompter.h"

namespace dialog_files_test {

namespace fs = std::filesystem;
using testing_support::WaitForFile;

class DialogFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        env.Set("TAVRIN_CONFIG", (tmp.path() / "settings.toml").c_str());
        env.Set("TMPDIR", tmp.path().c_str());
        env.Set("PATH", std::getenv("PATH"));  // saved, for the tests that change it
        platform::Profile::UseFile(tmp.path() / "settings.toml");
        res::SetLanguage(res::Language::English);
        prompter = std::make_shared<ui::ScriptedPrompter>();
        ui::InstallPrompter(prompter);
        dlg = std::make_unique<CImpDEVDlg>(&project, nullptr, 9038, "", 0);
        dlg->CreatePluginMap();
        dlg->SetCurrentFolder(tmp.path().string() + "/");
    }

    void TearDown() override {
        ui::InstallPrompter(nullptr);
        dlg.reset();
    }

    static platform::Profile& profile() { return platform::Profile::Instance(); }
    static std::string Section(const std::string& key) { return "ImportSettings\\" + key; }
    const fs::path& dir() const { return tmp.path(); }

    fs::path WriteRecorder(const std::string& name, const fs::path& out) {
        return testing_support::WriteRecorder(tmp.path(), name, out);
    }

    static void UseViewer(const std::string& command) {
        profile().WriteString("Company\\Paths", "Viewer", command);
    }

    vrk::CVrkObject project;
    std::shared_ptr<ui::ScriptedPrompter> prompter;
    std::unique_ptr<CImpDEVDlg> dlg;
    testing_support::TempDir tmp;
    testing_support::ScopedEnv env;
};

}  // namespace dialog_files_test
