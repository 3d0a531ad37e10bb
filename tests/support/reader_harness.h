// Runs a reader over files written by the test and records what it pushes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "import/contracts/events.h"
#include "import/import_dialog.h"
#include "platform/profile.h"
#include "readers/registry.h"
#include "support/readings.h"
#include "support/temp_dir.h"
#include "ui/prompter.h"

namespace testing_support {

using Events = std::vector<std::string>;

inline Events With(Events head, const Events& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

struct RecordedEvent {
    int pass = 0;
    long record = 0;
    long line = 0;
    int id = 0;
    std::string value;
    bool accepted = false;
};

class ReaderHarness {
  public:
    ReaderHarness() {
        platform::Profile::UseFile(dir / "settings.toml");
        prompter = std::make_shared<ui::ScriptedPrompter>();
        ui::InstallPrompter(prompter);
        dlg.SetPushObserver([this](const vrk::PushInfo& e) {
            events.push_back({e.pass, e.record, e.line, e.id, std::string(e.value), e.accepted});
        });
    }
    ~ReaderHarness() { ui::InstallPrompter(nullptr); }

    // Writes the bytes as they are (no line-end translation) and returns the full path.
    std::string Write(const std::string& name, const std::string& bytes) {
        return m_tmp.Write(name, bytes).string();
    }

    // Runs a reader constructed as the import dialog constructs it over the given files.
    template <class Reader, class... Extra>
    void Run(const std::vector<std::string>& paths, Extra... extra) {
        SetFiles(paths);
        Reader reader(&project, &dlg, &dlg.ImportInfo(), extra...);
        reader.DoImport();
    }
    // The same through the table of built-in formats.
    void RunFormat(int format, const std::vector<std::string>& paths) {
        SetFiles(paths);
        CreateReader(format, &project, &dlg, &dlg.ImportInfo())->DoImport();
    }

    // "evName=value" of the accepted events of a pass, in order.
    std::vector<std::string> Stream(int pass = 2, bool accepted_only = true) const {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.pass == pass && (e.accepted || !accepted_only))
                out.push_back(std::string(EventName(e.id)) + "=" + e.value);
        return out;
    }

    std::vector<std::string> Protocol() const {
        std::vector<std::string> out;
        for (const auto& e : const_cast<vrk::CVrkObject&>(project).ImportLog().Entries())
            out.push_back(e.text);
        return out;
    }

    // How many protocol entries hold the piece.
    size_t Count(const std::string& piece) const {
        size_t n = 0;
        for (const auto& t : Protocol()) n += t.find(piece) != std::string::npos;
        return n;
    }
    bool ProtocolContains(const std::string& piece) const { return Count(piece) > 0; }

    // The events of one kind in a pass, accepted or not.
    std::vector<RecordedEvent> Of(int id, int pass = 2) const {
        std::vector<RecordedEvent> out;
        for (const auto& e : events)
            if (e.pass == pass && e.id == id)
                out.push_back(e);
        return out;
    }

  private:
    inline static int s_count = 0;
    TempDir m_tmp{"_" + std::to_string(++s_count)};

  public:
    const std::filesystem::path& dir = m_tmp.path();
    std::shared_ptr<ui::ScriptedPrompter> prompter;
    vrk::CVrkObject project;
    CImpDEVDlg dlg{&project, nullptr, 0, "", 0};
    std::vector<RecordedEvent> events;

  private:
    void SetFiles(const std::vector<std::string>& paths) {
        std::string list;
        for (const auto& p : paths) list += p + (paths.size() > 1 ? ";" : "");
        dlg.SetFileList(list);
    }
};

}  // namespace testing_support
