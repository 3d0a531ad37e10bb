// The plug-in client fed by a fake plug-in that does what the input says: its texts, its
// settings record and every call it makes into the engine (logs, runs, files, lines, pushes,
// throws) come from the input, in any order, also the ones a sane plug-in never makes.
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "fuzz_support.h"
#include "import/import_client.h"
#include "import/import_dialog.h"
#include "import/import_plugins.h"

namespace {

// The input read as a script: bytes, and texts that end at a zero byte.
class Script {
  public:
    explicit Script(std::string_view bytes) : m_rest(bytes) {}
    bool done() const { return m_rest.empty(); }
    int Byte() {
        if (m_rest.empty())
            return 0;
        const auto b = static_cast<unsigned char>(m_rest.front());
        m_rest.remove_prefix(1);
        return b;
    }
    std::string Text() {
        const size_t end = m_rest.find('\0');
        std::string text(m_rest.substr(0, end));
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return text;
    }

  private:
    std::string_view m_rest;
};

class FakePlugin final : public IRegImportServer {
  public:
    FakePlugin(Script& script, std::filesystem::path file, std::filesystem::path folder)
        : m_script(script), m_file(std::move(file)), m_folder(std::move(folder)) {
        m_record.flags = static_cast<uint16_t>(script.Byte() | script.Byte() << 8);
        m_record.code_system = script.Byte() - 2;
        m_record.relief = script.Byte() % 4;
        m_record.east_style = script.Byte() % 4;
        for (char& c : m_record.separators) c = static_cast<char>(script.Byte());
        m_record.code_system_names = script.Text();
    }
    void Attach(IImportTarget* target) { m_target = target; }

    bool QueryInterface(const tavrin::Guid&, void** object) override {
        *object = nullptr;
        return false;
    }
    uint32_t AddRef() override { return 2; }
    uint32_t Release() override { return 1; }
    void GetTitle(std::string& title) override { title = m_script.Text(); }
    bool GetFormatId(tavrin::Guid*) override { return false; }
    bool GetVersion(int* version) override { return *version = m_script.Byte(), true; }
    void GetFilter(std::string& pattern) override { pattern = m_script.Text(); }
    void GetFilterName(std::string& name) override { name = m_script.Text(); }
    int HasPages() override { return 0; }
    int GetPageCount() override { return 0; }
    bool GetPage(int, IImportPage*&) override { return false; }
    bool EditOptions() override { return false; }
    bool GetSettings(ImportPluginSettings*& settings) override {
        settings = &m_record;
        return true;
    }
    bool SaveSettings() override { return true; }
    bool LoadSettings() override { return true; }
    bool GetSection(std::string& section) override {
        section = m_script.Text();
        return !section.empty();
    }
    int Import(const std::string&, IImportTarget* target) override {
        m_target = target;
        while (!m_script.done()) Step();
        return 1;
    }
    // The engine's call while a file loads: steps until the script says "more" or "done".
    int ReadEvents() override {
        while (!m_script.done()) {
            const int b = m_script.Byte();
            if (b >= 0xF0)
                return b & 1;
            Step(b);
        }
        return 0;
    }
    bool GetDate(const char*, int64_t* time) override {
        *time = static_cast<int64_t>(m_script.Byte()) * 86400 * 365;
        return m_script.Byte() % 2 == 0;
    }

  private:
    // A path the plug-in names: the input file, one that is not there, the folder, or nothing.
    std::string Path() {
        switch (m_script.Byte() % 4) {
            case 0:
                return m_file.string();
            case 1:
                return (m_folder / "missing.dat").string();
            case 2:
                return m_folder.string();
            default:
                return {};
        }
    }
    void Step() { Step(m_script.Byte()); }
    void Step(int op) {
        std::string text, line;
        switch (op % 13) {
            case 0:
                fuzz::Note(m_target->OpenLog());
                break;
            case 1:
                text = m_script.Text();
                fuzz::Note(m_target->WriteToLog(text.c_str(), m_script.Byte() % 5));
                break;
            case 2:
                fuzz::Note(m_target->CloseLog());
                break;
            case 3:
                fuzz::Note(m_target->InitImport());
                break;
            case 4:
                fuzz::Note(m_target->PrepareOneFile(Path().c_str()));
                break;
            case 5:
                fuzz::Note(m_target->LoadOneFile(Path().c_str()));
                break;
            case 6:
                fuzz::Note(m_target->CloseImport());
                break;
            case 7:
                fuzz::Note(m_target->LoadFile(Path().c_str()));
                break;
            case 8:
                fuzz::Note(m_target->ReadLine(line));
                fuzz::Note(line);
                break;
            case 9:
                m_target->ClearEventList();
                break;
            case 10: {
                const int event = m_script.Byte() % 40;
                text = m_script.Text();
                fuzz::Note(m_target->Push(event, text.c_str()));
                break;
            }
            case 11:
                fuzz::Note(m_target->Push(m_script.Byte() % 40, nullptr));
                break;
            default:
                throw std::runtime_error("the plug-in broke off");
        }
    }

    Script& m_script;
    std::filesystem::path m_file, m_folder;
    IImportTarget* m_target = nullptr;
    ImportPluginSettings m_record;
};

}  // namespace

void FuzzOne(std::string_view input) {
    // The input also serves as the file the plug-in reads.
    const fuzz::ServedInput served("plugin.dat", input);
    Script script(input);
    auto plugin = std::make_shared<FakePlugin>(script, served.path(), fuzz::ScratchDir());
    vrk::CVrkObject project;
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    LoadPluginSettings(dlg, plugin);
    std::string title;
    plugin->GetTitle(title);
    fuzz::Note(title);
    CImportClient client(&project, plugin,
                         [](int percent, vrk::CDocument*) { fuzz::Note(percent); });
    client.event_sink = [](const vrk::PushInfo& e) {
        fuzz::Note(e.id);
        fuzz::Note(e.value);
        fuzz::Note(e.accepted);
    };
    fuzz::Note(client.Import(served.path().string()));
    SavePluginSettings(dlg, plugin);
    for (const auto& entry : project.ImportLog().Entries()) fuzz::Note(entry.text);
}
