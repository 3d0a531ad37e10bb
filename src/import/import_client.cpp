#include "import/import_client.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "import/plugin_guard.h"
#include "import/plugin_host.h"

namespace {

// The range of a single-precision number: what the plug-in's numbers may span.
constexpr double kPlainLimit = 3.4028234663852886e38;

// A ReadEvents call that neither reads a line nor pushes anything is idle; a plug-in that keeps
// answering "more" without doing anything would never end the file.
constexpr int kIdleCallLimit = 10000;

std::string PlainLimitText(double limit) {
    char text[32];
    std::snprintf(text, sizeof text, "%.8g", limit);
    return text;
}

}  // namespace

// The engine as the plug-in sees it. Nothing thrown on our side may reach the plug-in.
class CImportClient::CImportTarget final : public IImportTarget {
  public:
    explicit CImportTarget(CImportClient& owner) : m_owner(owner) {}

    int OpenLog() override {
        return Contained([&] { return m_owner.OpenLog(); }, 0);
    }
    int WriteToLog(const char* text, int level) override {
        return Contained([&] { return m_owner.WriteToLog(text ? text : "", level); }, 0);
    }
    int CloseLog() override {
        return Contained([&] { return m_owner.CloseLog(); }, 0);
    }
    int InitImport() override {
        return Contained([&] { return m_owner.m_bLoading ? 0 : m_owner.InitImport(); }, 0);
    }
    int PrepareOneFile(const char* path) override {
        if (!path || m_owner.m_bLoading)
            return 0;
        return Contained([&] { return m_owner.PrepareOneFile(path); }, 0);
    }
    int LoadOneFile(const char* path) override {
        if (!path || m_owner.m_bLoading)
            return 0;
        return Contained([&] { return m_owner.LoadOneFile(path); }, 0);
    }
    int CloseImport() override {
        if (m_owner.m_bLoading)
            return 0;
        return Contained(
            [&] {
                m_owner.CloseImport();
                return 1;
            },
            0);
    }
    int LoadFile(const char* path) override {
        if (!path)
            return 0;
        return Contained([&] { return m_owner.LoadFile(path); }, 0);
    }
    bool ReadLine(std::string& line) override {
        return Contained([&] { return m_owner.ReadLine(line); }, false);
    }
    void ClearEventList() override {
        Contained([&] { m_owner.ClearEventList(); });
    }
    int Push(int event, const char* text) override {
        return Contained(
            [&] {
                m_owner.m_bActive = true;
                return m_owner.Push(static_cast<EventID>(event), text ? text : "");
            },
            0);
    }

  private:
    CImportClient& m_owner;
};

CImportClient::CImportClient(vrk::CVrkObject* project, std::shared_ptr<IRegImportServer> plugin,
                             ProgressCallback progress)
    : CWImport(project, nullptr, nullptr),
      m_pPlugin(std::move(plugin)),
      m_Progress(std::move(progress)) {
    if (!m_pPlugin)
        throw std::invalid_argument("no import plug-in for this format");
    vrk::CImportInfo info;
    if (const ImportPluginSettings* record = PluginRecord(*m_pPlugin)) {
        info.SetCodeSystem(project, static_cast<short>(record->code_system));
        info.SetDTM(static_cast<short>(record->relief));
        info.flags = record->flags;
        std::copy(std::begin(record->separators), std::end(record->separators),
                  std::begin(info.separators));
    }
    SetImportInfo(info);
}

CImportClient::~CImportClient() = default;

int CImportClient::Import(const std::string& files) {
    if (!m_pTarget)
        m_pTarget = std::make_unique<CImportTarget>(*this);
    try {
        return m_pPlugin->Import(files, m_pTarget.get());
    } catch (...) {
        // The plug-in broke off its run: what it built stays, the run is closed.
        Close();
        CloseImport();
        return 0;
    }
}

int CImportClient::LoadFile(const std::string& path) {
    if (m_bLoading)
        return 0;
    struct Loading {
        bool& flag;
        explicit Loading(bool& f) : flag(f) { flag = true; }
        ~Loading() { flag = false; }
    } loading(m_bLoading);
    m_nIdleCalls = 0;
    return CWImport::LoadFile(path);
}

int CImportClient::Open(const std::string& path) {
    const int opened = CWImport::Open(path);
    m_nLength = 0;
    if (opened && m_Progress)
        m_nLength = std::max<long long>(platform::TextFile::Length(path), 0);
    return opened;
}

void CImportClient::Close() {
    CWImport::Close();
    if (m_Progress)
        m_Progress(100, nullptr);
}

int CImportClient::ReadEvents() {
    m_bActive = false;
    const int more = Contained([&] { return m_pPlugin->ReadEvents(); }, 0);
    if (!more)
        return 0;
    m_nIdleCalls = m_bActive ? 0 : m_nIdleCalls + 1;
    return m_nIdleCalls < kIdleCallLimit ? 1 : 0;
}

bool CImportClient::ReadLine(std::string& line) {
    if (!m_File.IsOpen() || !m_File.ReadString(line))
        return false;
    ++m_nLine;
    m_bActive = true;
    if (m_Progress && m_nLength > 0) {
        const long long position = m_File.Tell();
        if (position >= 0) {
            // std::llround takes halves away from zero.
            const long long percent = std::llround(static_cast<double>(position) * 100.0 /
                                                   static_cast<double>(m_nLength));
            m_Progress(static_cast<int>(std::clamp<long long>(percent, 0, 100)), nullptr);
        }
    }
    return true;
}

int CImportClient::ReadPlain(const char* text, double& number, bool& given) {
    given = false;
    if (!text)
        return 0;
    if (zut::sz_empty(text))
        return 1;
    double value = 0;
    const char* end = nullptr;
    const int rc = zut::d_val(text, value, &end, -kPlainLimit, kPlainLimit);
    if (rc != zut::rr_ok) {
        // The protocol names the text, with the file and line being read.
        static const std::string lower = PlainLimitText(-kPlainLimit);
        static const std::string upper = PlainLimitText(kPlainLimit);
        return ReportValue(rc, text, end, lower, upper);
    }
    number = value;
    given = true;
    return 1;
}

template <class Value>
int CImportClient::ReadPlainValue(const char* text, Value* value) {
    if (!value)
        return 0;
    double number = 0;
    bool given = false;
    if (!ReadPlain(text, number, given))
        return 0;
    if (given)
        *value = number;
    else
        value->Invalidate();
    return 1;
}

int CImportClient::ReadPlainDouble(const char* text, double* value) {
    if (!value)
        return 0;
    double number = 0;
    bool given = false;
    if (!ReadPlain(text, number, given))
        return 0;
    // A double cannot say "not given" otherwise.
    *value = given ? number : std::numeric_limits<double>::quiet_NaN();
    return 1;
}

int CImportClient::GetLinear(const char* text, zut::CLinear* value) {
    return ReadPlainValue(text, value);
}

int CImportClient::GetAngular(const char* text, zut::CAngular* value) {
    return ReadPlainValue(text, value);
}

int CImportClient::GetPressure(const char* text, double* value) {
    return ReadPlainDouble(text, value);
}

int CImportClient::GetTemperature(const char* text, double* value) {
    return ReadPlainDouble(text, value);
}

int CImportClient::GetVapor(const char* text, double* value) {
    return ReadPlainDouble(text, value);
}

int CImportClient::GetDate(const char* text, int64_t* time) {
    if (!text || !time)
        return 0;
    return Contained([&] { return m_pPlugin->GetDate(text, time); }, false) ? 1 : 0;
}
