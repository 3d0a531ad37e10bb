// An import server living in the test program, for what needs no library: the client's reading,
// progress and value readers.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tavrin/import_plugin.h"

namespace plugin_test {

// The whole run over one file, as a plug-in usually drives it.
inline int LoadOne(const std::string& files, IImportTarget& t) {
    t.InitImport();
    const int loaded = t.LoadOneFile(files.c_str());
    t.CloseImport();
    return loaded;
}

// By default the server loads the one file it is given and keeps each line as a record.
class FakeServer final : public IRegImportServer {
  public:
    // Tests own the server through a shared_ptr; its count only records the calls.
    static std::shared_ptr<FakeServer> Make() { return std::make_shared<FakeServer>(); }

    bool QueryInterface(const tavrin::Guid& iid, void** object) override {
        *object = nullptr;
        if (!(iid == tavrin::kIidRegImportServer))
            return false;
        *object = static_cast<IRegImportServer*>(this);
        AddRef();
        return true;
    }
    uint32_t AddRef() override { return static_cast<uint32_t>(++refs); }
    uint32_t Release() override { return static_cast<uint32_t>(--refs); }
    void GetTitle(std::string& title) override { title = "Fake"; }
    bool GetFormatId(tavrin::Guid* id) override { return tavrin::GuidFromText(guid, *id); }
    bool GetVersion(int* version) override {
        *version = 1;
        return true;
    }
    void GetFilter(std::string& pattern) override { pattern = "*.fak"; }
    void GetFilterName(std::string& name) override { name = "Fake files"; }
    int HasPages() override { return 0; }
    int GetPageCount() override { return 0; }
    bool GetPage(int, IImportPage*& page) override {
        page = nullptr;
        return false;
    }
    bool EditOptions() override { return false; }
    bool GetSettings(ImportPluginSettings*& settings) override {
        settings = has_record ? &record : nullptr;
        return has_record;
    }
    bool SaveSettings() override { return true; }
    bool LoadSettings() override { return true; }
    bool GetSection(std::string&) override { return false; }
    int Import(const std::string& files, IImportTarget* t) override {
        target = t;
        const int result = import ? import(files, *t) : 0;
        target = nullptr;
        return result;
    }
    int ReadEvents() override { return read_events && target ? read_events(*target) : 0; }
    bool GetDate(const char* text, int64_t* time) override {
        if (std::string(text) != "today")
            return false;
        *time = 1700000000;
        return true;
    }

    int refs = 0;
    std::string guid = "{9A8B7C6D-5E4F-4A3B-8C2D-1E0F9A8B7C6D}";
    bool has_record = true;
    ImportPluginSettings record;
    std::vector<std::string> lines;
    std::function<int(const std::string&, IImportTarget&)> import = LoadOne;
    std::function<int(IImportTarget&)> read_events = [this](IImportTarget& t) {
        std::string line;
        if (!t.ReadLine(line))
            return 0;
        lines.push_back(line);
        return 1;
    };
    IImportTarget* target = nullptr;
};

}  // namespace plugin_test
