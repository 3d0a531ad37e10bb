// A headless import dialog over a private settings file and a private folder per test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "import/import_dialog.h"
#include "support/dialog_env.h"
#include "support/viewer_recorder.h"

namespace dialog_files_test {

namespace fs = std::filesystem;
using testing_support::WaitForFile;
using testing_support::WriteRecorder;

class DialogFilesTest : public testing_support::DialogEnv {
  protected:
    void SetUp() override {
        DialogEnv::SetUp();
        env.Set("TMPDIR", dir().c_str());
        env.Set("PATH", std::getenv("PATH"));  // saved, for the tests that change it
        dlg->CreatePluginMap();
    }

    static std::string Section(const std::string& key) { return "ImportSettings\\" + key; }
    static void UseViewer(const std::string& command) {
        profile().WriteString("Company\\Paths", "Viewer", command);
    }
};

}  // namespace dialog_files_test
