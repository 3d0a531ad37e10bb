// A headless import dialog over a private settings file and a private folder per test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "import/import_dialog.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "ui/prompter.h"

namespace dialog_files_test {

namespace fs = std::filesystem;

class DialogFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / ("tavrin_dlgfiles_" + std::to_string(::getpid()) + "_" +
                                             info->test_suite_name() + "_" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        ::setenv("TAVRIN_CONFIG", (m_dir / "settings.toml").c_str(), 1);
        platform::Profile::UseFile(m_dir / "settings.toml");
        for (auto& [name, value] : m_saved_env)
            if (const char* v = std::getenv(name))
                value = v;
        ::setenv("TMPDIR", m_dir.c_str(), 1);
        res::SetLanguage(res::Language::English);
        prompter = std::make_shared<ui::ScriptedPrompter>();
        ui::InstallPrompter(prompter);
        dlg = std::make_unique<CImpDEVDlg>(&project, nullptr, 9038, "", 0);
        dlg->CreatePluginMap();
        dlg->current_folder = m_dir.string() + "/";
    }

    void TearDown() override {
        ui::InstallPrompter(nullptr);
        for (auto& [name, value] : m_saved_env)
            value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
        dlg.reset();
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    static platform::Profile& profile() { return platform::Profile::Instance(); }
    static std::string Section(const std::string& key) { return "ImportSettings\\" + key; }
    const fs::path& dir() const { return m_dir; }

    fs::path WriteFile(const std::string& name, const std::string& contents) {
        const fs::path path = m_dir / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }

    // A viewer that writes its arguments, one a line, to `out` (through a rename, so a reader
    // never sees half of it).
    fs::path WriteRecorder(const std::string& name, const fs::path& out) {
        const std::string o = out.string();
        const fs::path script =
            WriteFile(name, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + o + ".part'\n/bin/mv '" + o +
                                ".part' '" + o + "'\n");
        fs::permissions(script, fs::perms::owner_all);
        return script;
    }

    static void UseViewer(const std::string& command) {
        profile().WriteString("Company\\Paths", "Viewer", command);
    }

    // The file's contents once it appears; nothing after five seconds.
    static std::optional<std::string> WaitForFile(const fs::path& path) {
        for (int i = 0; i < 500; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
            if (fs::exists(path))
                return ReadFile(path);
        return std::nullopt;
    }

    static std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    vrk::CVrkObject project;
    std::shared_ptr<ui::ScriptedPrompter> prompter;
    std::unique_ptr<CImpDEVDlg> dlg;

  private:
    fs::path m_dir;
    std::pair<const char*, std::optional<std::string>> m_saved_env[2] = {{"TMPDIR", {}},
                                                                         {"PATH", {}}};
};

}  // namespace dialog_files_test
