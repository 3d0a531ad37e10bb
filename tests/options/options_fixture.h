// What the option page tests share: a settings file of their own, a recording prompter, a
// project and an import dialog whose settings the pages edit.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "import/import_dialog.h"
#include "import/options_page.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "ui/prompter.h"

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path() /
                ("tavrin_options_" + std::to_string(::getpid()) + "_" + info->name());
        std::filesystem::create_directories(m_dir);
        m_config = m_dir / "settings.toml";
        ::setenv("TAVRIN_CONFIG", m_config.c_str(), 1);
        platform::Profile::UseFile(m_config);
        res::SetLanguage(res::Language::English);
        ui::InstallPrompter(prompter);
        dlg = std::make_unique<CImpDEVDlg>(&project, nullptr, 9042, "", 0);
    }
    void TearDown() override {
        dlg.reset();
        ui::InstallPrompter(nullptr);
        std::filesystem::remove_all(m_dir);
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
    std::filesystem::path m_dir, m_config;
};
