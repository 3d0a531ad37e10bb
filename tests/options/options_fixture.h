// What the option page tests share: a settings file of their own, a recording prompter, a
// project and an import dialog whose settings the pages edit.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "import/import_dialog.h"
#include "import/options_page.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/prompter.h"

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_config = tmp.path() / "settings.toml";
        env.Set("TAVRIN_CONFIG", m_config.c_str());
        platform::Profile::UseFile(m_config);
        res::SetLanguage(res::Language::English);
        ui::InstallPrompter(prompter);
        dlg = std::make_unique<CImpDEVDlg>(&project, nullptr, 9042, "", 0);
    }
    void TearDown() override {
        dlg.reset();
        ui::InstallPrompter(nullptr);
    }

    // Zone-numbered eastings and offset northings, so that every check of the common page is
    // live; zone type 0 is six degrees wide, 1 three.
    void UseZonedSettings(int zone_type) {
        ImportSettings s = dlg->Settings();
        s.XStyle = 1;
        s.YStyle = 2;
        s.Zone = zone_type;
        s.NZone = 7;
        s.Y0 = 500000;
        dlg->SetSettings(s);
    }
    // Opens a page on the dialog as the sheet does when it first shows it.
    void Open(CImpOptPage& page) {
        page.SetDialog(dlg.get());
        page.OnInitPage();
    }
    // The user types into an edit, picks from a list or clicks a check.
    static void Type(CImpOptPage& page, int id, const std::string& text) {
        page.frame().SetText(id, text);
        page.OnCommand(id);
    }
    static void Pick(CImpOptPage& page, int id, int index) {
        page.frame().SetSelection(id, index);
        page.OnCommand(id);
    }
    static void Click(CImpOptPage& page, int id) {
        page.frame().SetCheck(id, !page.frame().Checked(id));
        page.OnCommand(id);
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& s : prompter->shown) texts.push_back(s.text);
        return texts;
    }

    vrk::CVrkObject project;
    std::unique_ptr<CImpDEVDlg> dlg;
    std::shared_ptr<ui::ScriptedPrompter> prompter = std::make_shared<ui::ScriptedPrompter>();
    testing_support::TempDir tmp;
    testing_support::ScopedEnv env;
    std::filesystem::path m_config;
};
