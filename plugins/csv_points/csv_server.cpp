#include "csv_server.h"

#include <cstdio>
#include <ctime>
#include <exception>
#include <vector>

#include "csv_line.h"

namespace csv_points {

namespace {

constexpr const char* kFormatId = "{5C0B3E1A-7D42-4F8E-9A61-2B7C4D9E0F13}";
constexpr int kVersion = 1;
constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

enum Column : size_t { kName, kX, kY, kH, kCode, kColumns };

}  // namespace

Server::Server(IImportHost& host) : m_host(host) {}

bool Server::QueryInterface(const tavrin::Guid& iid, void** object) {
    if (!object)
        return false;
    if (iid == tavrin::kIidRegImportServer || iid == tavrin::kIidPluginObject) {
        *object = static_cast<IRegImportServer*>(this);
        AddRef();
        return true;
    }
    *object = nullptr;
    return false;
}

uint32_t Server::AddRef() {
    return ++m_refs;
}

uint32_t Server::Release() {
    const uint32_t left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

void Server::GetTitle(std::string& title) {
    title = "CSV points";
}

bool Server::GetFormatId(tavrin::Guid* id) {
    return id && tavrin::GuidFromText(kFormatId, *id);
}

bool Server::GetVersion(int* version) {
    if (!version)
        return false;
    *version = kVersion;
    return true;
}

void Server::GetFilter(std::string& pattern) {
    pattern = "*.csv";
}

void Server::GetFilterName(std::string& name) {
    name = "CSV point files";
}

bool Server::GetPage(int index, IImportPage*& page) {
    page = index == 0 ? &m_page : nullptr;
    return page != nullptr;
}

bool Server::GetSettings(ImportPluginSettings*& settings) {
    settings = &m_options.record;
    return true;
}

bool Server::SaveSettings() {
    try {
        m_options.Save(m_host);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Server::LoadSettings() {
    try {
        m_options.Load(m_host);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Server::GetSection(std::string& section) {
    section = kSectionKey;
    return true;
}

int Server::Import(const std::string& files, IImportTarget* target) {
    if (!target)
        return 0;
    try {
        const std::vector<std::string> paths = tavrin::SplitFileList(files);
        if (paths.empty() || !target->InitImport())
            return 0;
        m_target = target;
        for (int pass = 1; pass <= 2; ++pass) {
            for (const std::string& path : paths) {
                m_file_start = true;
                if (pass == 1)
                    target->PrepareOneFile(path.c_str());
                else
                    target->LoadOneFile(path.c_str());
            }
        }
        target->CloseImport();
        m_target = nullptr;
        return 1;
    } catch (const std::exception&) {
        m_target = nullptr;
        return 0;
    }
}

int Server::ReadEvents() {
    if (!m_target)
        return 0;
    try {
        std::string line;
        while (m_target->ReadLine(line)) {
            const bool first = m_file_start;
            m_file_start = false;
            if (first && line.compare(0, 3, kUtf8Mark) == 0)
                line.erase(0, 3);
            if (first && m_options.header)
                continue;
            if (PushPoint(line))
                return 1;
        }
        return 0;
    } catch (const std::exception&) {
        return 0;
    }
}

bool Server::PushPoint(const std::string& line) {
    const std::vector<std::string> fields = SplitLine(line, m_options.separator);
    if (IsBlank(fields))
        return false;
    if (fields[kName].empty()) {
        m_target->WriteToLog("A point without a name is left out.", 2);
        return false;
    }
    m_target->ClearEventList();
    m_target->Push(tavrin::event::kPointName, fields[kName].c_str());
    const int events[kColumns] = {0, tavrin::event::kPointX, tavrin::event::kPointY,
                                  tavrin::event::kPointH, tavrin::event::kCode};
    for (size_t column = kX; column < kColumns && column < fields.size(); ++column)
        if (!fields[column].empty())
            m_target->Push(events[column], fields[column].c_str());
    if (m_options.control_points) {
        m_target->Push(tavrin::event::kPlanClass, "Base");
        m_target->Push(tavrin::event::kHeightClass, "Base");
    }
    return true;
}

bool Server::GetDate(const char* text, int64_t* time) {
    if (!text || !time)
        return false;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const int read =
        std::sscanf(text, "%4d-%2d-%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second);
    if (read < 3 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 59 || hour < 0 || minute < 0 || second < 0)
        return false;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1))
        return false;
    *time = static_cast<int64_t>(t);
    return true;
}

}  // namespace csv_points
