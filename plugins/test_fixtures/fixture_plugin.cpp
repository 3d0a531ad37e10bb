// A plug-in for the tests: points from "name x y h" lines, one page with a name prefix, and
// the faults a broken plug-in may have.
#include <atomic>
#include <sstream>
#include <stdexcept>
#include <string>

#include "fixture_config.h"
#include "fixture_state.h"
#include "tavrin/import_plugin.h"

namespace {

FixtureState g_state;

constexpr int kPrefixEdit = 300;

std::string Section() {
    return kFixture.section[0] ? std::string("ImportSettings\\") + kFixture.section
                               : std::string("ImportSettings");
}

struct Values {
    ImportPluginSettings record;
    std::string prefix;
};

// Distinct defaults, so that a test sees where settings came from.
ImportPluginSettings DefaultRecord() {
    ImportPluginSettings r;
    r.flags = tavrin::kFlagUniqueNames | tavrin::kFlagForceCode;
    r.east_style = 1;
    r.false_easting = 500000.0;
    r.relief = 1;
    r.code_system = 2;
    r.separators[0] = '|';
    return r;
}

class Page final : public IImportPage {
  public:
    explicit Page(Values& values) : m_values(values) {}
    void GetCaption(std::string& caption) override { caption = "Fixture"; }
    void OnInitPage(IPageControls* c) override { c->SetText(kPrefixEdit, m_values.prefix.c_str()); }
    bool OnKillActive(IPageControls* c) override { return Check(*c); }
    bool OnApply(IPageControls* c) override {
        if (!Check(*c))
            return false;
        c->GetText(kPrefixEdit, m_values.prefix);
        return true;
    }
    void OnCommand(IPageControls*, int) override {}

  private:
    static bool Check(IPageControls& c) {
        std::string text;
        c.GetText(kPrefixEdit, text);
        if (text.find(' ') == std::string::npos)
            return true;
        c.SetFocus(kPrefixEdit);
        c.ShowMessage("A prefix has no blanks.", 0x30);
        return false;
    }
    Values& m_values;
};

class Server final : public IRegImportServer {
  public:
    explicit Server(IImportHost& host) : m_host(host) {
        m_values.record = DefaultRecord();
        ++g_state.live_objects;
    }
    ~Server() { --g_state.live_objects; }

    bool QueryInterface(const tavrin::Guid& iid, void** object) override {
        *object = nullptr;
        const bool server =
            iid == tavrin::kIidRegImportServer && kFixture.fault != Fault::NoInterface;
        if (!server && !(iid == tavrin::kIidPluginObject))
            return false;
        *object = static_cast<IRegImportServer*>(this);
        AddRef();
        return true;
    }
    uint32_t AddRef() override { return ++m_refs; }
    uint32_t Release() override {
        const uint32_t left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    void GetTitle(std::string& title) override { title = std::string(kFixture.name) + " options"; }
    bool GetFormatId(tavrin::Guid* id) override {
        return kFixture.fault != Fault::NoFormatId && tavrin::GuidFromText(kFixture.guid, *id);
    }
    bool GetVersion(int* version) override {
        *version = kFixture.version;
        return kFixture.fault != Fault::NoVersion;
    }
    void GetFilter(std::string& pattern) override { pattern = kFixture.pattern; }
    void GetFilterName(std::string& name) override {
        if (kFixture.fault == Fault::Throws)
            throw std::runtime_error("no name");
        name = kFixture.name;
    }
    int HasPages() override { return kFixture.pages ? 1 : 0; }
    int GetPageCount() override { return kFixture.pages ? 1 : 0; }
    bool GetPage(int index, IImportPage*& page) override {
        if (kFixture.fault == Fault::Throws)
            throw std::runtime_error("no page");
        page = index == 0 ? &m_page : nullptr;
        return page != nullptr;
    }
    bool EditOptions() override {
        ++g_state.edit_options;
        g_state.code_system_names = m_values.record.code_system_names;
        if (g_state.edit_answer)
            m_values.record.relief = g_state.edit_relief;
        return g_state.edit_answer;
    }
    bool GetSettings(ImportPluginSettings*& settings) override {
        settings = &m_values.record;
        return true;
    }
    bool SaveSettings() override {
        ++g_state.save_settings;
        m_host.SaveRecord(Section().c_str(), m_values.record);
        return m_host.WriteText(Section().c_str(), "Prefix", m_values.prefix.c_str());
    }
    bool LoadSettings() override {
        ++g_state.load_settings;
        m_values.record = DefaultRecord();
        m_host.LoadRecord(Section().c_str(), m_values.record);
        m_values.prefix.clear();
        m_host.ReadText(Section().c_str(), "Prefix", m_values.prefix);
        return true;
    }
    bool GetSection(std::string& section) override {
        section = kFixture.section;
        return kFixture.section[0] != '\0';
    }
    int Import(const std::string& files, IImportTarget* target) override {
        ++g_state.imports;
        if (kFixture.fault == Fault::Throws)
            throw std::runtime_error("no import");
        m_target = target;
        target->InitImport();
        const auto paths = tavrin::SplitFileList(files);
        for (const auto& p : paths) target->PrepareOneFile(p.c_str());
        for (const auto& p : paths) target->LoadOneFile(p.c_str());
        target->CloseImport();
        m_target = nullptr;
        return static_cast<int>(paths.size());
    }
    int ReadEvents() override {
        std::string line;
        while (m_target && m_target->ReadLine(line)) {
            std::istringstream words(line);
            std::string name, x, y, h;
            if (!(words >> name) || name[0] == '#')
                continue;
            words >> x >> y >> h;
            m_target->ClearEventList();
            m_target->Push(tavrin::event::kPointName, (m_values.prefix + name).c_str());
            if (!x.empty())
                m_target->Push(tavrin::event::kPointX, x.c_str());
            if (!y.empty())
                m_target->Push(tavrin::event::kPointY, y.c_str());
            if (!h.empty())
                m_target->Push(tavrin::event::kPointH, h.c_str());
            return 1;
        }
        return 0;
    }
    bool GetDate(const char*, int64_t*) override { return false; }

  private:
    std::atomic<uint32_t> m_refs{1};
    IImportHost& m_host;
    Values m_values;
    Page m_page{m_values};
    IImportTarget* m_target = nullptr;
};

}  // namespace

TAVRIN_PLUGIN_EXPORT IPluginObject* CreateInstance(int abi, IImportHost* host) {
    if (abi != tavrin::kImportPluginAbi || !host || kFixture.fault == Fault::NullInstance)
        return nullptr;
    try {
        return new Server(*host);
    } catch (...) {
        return nullptr;
    }
}

TAVRIN_PLUGIN_EXPORT FixtureState* GetFixtureState() {
    return &g_state;
}
