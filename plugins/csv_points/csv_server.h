// The import server of comma-separated point files.
#pragma once

#include <atomic>
#include <string>

#include "csv_options.h"
#include "csv_page.h"
#include "tavrin/import_plugin.h"

namespace csv_points {

class Server final : public IRegImportServer {
  public:
    explicit Server(IImportHost& host);
    ~Server() = default;

    bool QueryInterface(const tavrin::Guid& iid, void** object) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    void GetTitle(std::string& title) override;
    bool GetFormatId(tavrin::Guid* id) override;
    bool GetVersion(int* version) override;
    void GetFilter(std::string& pattern) override;
    void GetFilterName(std::string& name) override;
    int HasPages() override { return 1; }
    int GetPageCount() override { return 1; }
    bool GetPage(int index, IImportPage*& page) override;
    // Everything is on the page; there is no dialog of our own.
    bool EditOptions() override { return false; }
    bool GetSettings(ImportPluginSettings*& settings) override;
    bool SaveSettings() override;
    bool LoadSettings() override;
    bool GetSection(std::string& section) override;
    int Import(const std::string& files, IImportTarget* target) override;
    int ReadEvents() override;
    bool GetDate(const char* text, int64_t* time) override;

  private:
    // Pushes the point of one line; false when the line holds no point.
    bool PushPoint(const std::string& line);

    std::atomic<uint32_t> m_refs{1};
    IImportHost& m_host;
    Options m_options;
    Page m_page{m_options};
    IImportTarget* m_target = nullptr;  // during Import only
    bool m_file_start = false;          // the next line is the first of its file
};

}  // namespace csv_points
