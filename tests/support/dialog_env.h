// What the dialog tests share: a private folder and settings file, English texts, a prompter
// that records every box, a front end that plays queued scripts in the dialogs, and the import
// dialog under test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import/import_dialog.h"
#include "import/options_sheet.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/dialog.h"
#include "ui/prompter.h"

namespace testing_support {

class DialogEnv : public ::testing::Test {
  protected:
    void SetUp() override {
        env.Set("TAVRIN_CONFIG", config().c_str());
        platform::Profile::UseFile(config());
        res::SetLanguage(res::Language::English);
        ui::InstallPrompter(prompter);
        ui::InstallFrontEnd(front);
        dlg = std::make_unique<CImpDEVDlg>(&project, nullptr, 0, "", 0);
        dlg->SetCurrentFolder(dir().string() + "/");
    }
    void TearDown() override {
        dlg.reset();
        ui::InstallFrontEnd(nullptr);
        ui::InstallPrompter(nullptr);
    }

    // The user picks a format in the list; then, for ImportNames, types the names into the name
    // box and presses Import.
    static void PickFormat(CImpDEVDlg& d, int format) {
        d.frame().SetSelection(kIdTypeList, format);
        d.OnTypeChange();
    }
    static void ImportNames(CImpDEVDlg& d, int format, const std::string& names) {
        PickFormat(d, format);
        d.frame().SetText(kIdNameBox, names);
        d.OnFileNameChange();
        d.OnMOK();
    }
    // What the user does in the next options sheet.
    void InSheet(std::function<void(CImpOptDlgSheet&)> script) {
        front->Queue([script](ui::Dialog& d) { script(dynamic_cast<CImpOptDlgSheet&>(d)); });
    }

    // The texts of the boxes shown so far, and whether one of them holds `piece`.
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const auto& s : prompter->shown) texts.push_back(s.text);
        return texts;
    }
    bool Shown(std::string_view piece) const {
        return std::ranges::any_of(Boxes(), [piece](auto& t) { return t.find(piece) != t.npos; });
    }

    static platform::Profile& profile() { return platform::Profile::Instance(); }
    const std::filesystem::path& dir() const { return tmp.path(); }
    std::filesystem::path config() const { return tmp.path() / "settings.toml"; }

    TempDir tmp;
    ScopedEnv env;
    vrk::CVrkObject project;
    std::shared_ptr<ui::ScriptedPrompter> prompter = std::make_shared<ui::ScriptedPrompter>();
    std::shared_ptr<ui::HeadlessFrontEnd> front = std::make_shared<ui::HeadlessFrontEnd>();
    std::unique_ptr<CImpDEVDlg> dlg;
};

}  // namespace testing_support
