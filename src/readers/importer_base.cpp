#include "readers/importer_base.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

#include "readers/text_helpers.h"
#include "resources/strings.h"
#include "text/code_page.h"
#include "text/paths.h"

CWImport::CWImport(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : vrk::CImport(project, info), m_pSite(site) {
    m_pProject->ImportLog().Open(1);
    if (site)
        Watch(site->PushObserver());
}

std::string CWImport::CurrentFileName() const {
    return m_CurrentFile.empty() ? m_File.path().string() : m_CurrentFile;
}

CWImport::~CWImport() {
    m_pProject->ImportLog().Close();
    m_File.Close();
}

int CWImport::OpenLog() {
    return m_pProject->ImportLog().Open(1);
}

int CWImport::CloseLog() {
    m_pProject->ImportLog().Close();
    return 1;
}

int CWImport::WriteToLog(const char* text, int level) {
    std::string body = text ? text : "";
    if (!m_File.path().empty() && m_File.IsOpen() && m_nLine >= 1)
        body = res::Format(res::LoadString(9026),
                           {m_File.path().string(), std::to_string(m_nLine), body});
    return m_pProject->ImportLog().Write(body, 0, level);
}

int CWImport::LogMessage(unsigned id, std::initializer_list<std::string_view> args, int level) {
    // Texts of the file are shown as the file's encoding says; file names are names already.
    const bool takes_path = id == 9018 || id == 9022;
    std::array<std::string, 8> texts;
    std::array<std::string_view, 8> views;
    size_t n = 0;
    for (std::string_view a : args) {
        if (n == texts.size())
            break;
        texts[n] = takes_path ? std::string(a) : ToUtf8(a);
        views[n] = texts[n];
        ++n;
    }
    const std::string text =
        res::Format(res::LoadString(id), std::span<const std::string_view>(views.data(), n));
    return WriteToLog(text.c_str(), level);
}

int CWImport::Open(const std::string& path) {
    m_nLine = 0;
    m_bAngleUnitStated = false;
    m_nAnglesOutOfRange = 0;
    m_bAnglesFit.fill(true);
    if (m_File.Open(path, platform::TextFile::Read))
        return 1;
    m_open_error = m_File.error();
    return 0;
}

void CWImport::Close() {
    m_nLine = 0;
    m_File.Close();
}

int CWImport::LoadFile(const std::string& path) {
    try {
        vrk::CImport::LoadFile(path);
        HintAngleUnit(path);
        return 1;
    } catch (const vrk::FileError& e) {
        Close();
        EraseImpLayer();
        m_pProject->GetDocument()->ReportSaveLoadException(e.path, e.reason, false, 9073);
        return 0;
    }
}

bool CWImport::ReadRawLine(std::string& line) {
    if (!m_File.ReadLine(line))
        return false;
    ++m_nLine;
    if (m_nLine == 1 && m_encoding == text::TextEncoding::Utf8 && text::HasUtf8Bom(line))
        line.erase(0, 3);
    // A line longer than the read limit comes in pieces, each counted as a line; say so once.
    const bool cut = line.size() >= platform::TextFile::kReadLimit && line.back() != '\n';
    if (cut && !m_bLongLine)
        WriteToLog(res::Format(res::LoadString(res::kLongLineMessage),
                               {std::to_string(platform::TextFile::kReadLimit)})
                       .c_str(),
                   1);
    m_bLongLine = cut;
    return true;
}

int CWImport::ReportValue(int rc, const char* text, const char* end, const std::string& lower,
                          const std::string& upper) {
    if (rc == 0)
        return 1;
    const std::string_view shown = m_AsInFile.empty() ? std::string_view(text) : m_AsInFile;
    if (rc == zut::rr_invalid) {
        std::string from = end ? std::string(end) : std::string(text);
        LogMessage(7601, {from, shown});
    } else if (rc == zut::rr_range) {
        LogMessage(9075, {shown, lower, upper});
    }
    return 0;
}

void CWImport::NoteAngleOutOfRange(std::string_view text) {
    ++m_nAnglesOutOfRange;
    const std::string t(text);
    for (size_t i = 0; i < kOtherAngleUnits.size(); ++i) {
        if (!m_bAnglesFit[i] || kOtherAngleUnits[i] == m_AngleUnit)
            continue;
        zut::CLocUnits units;
        units.SetAngleUnit(kOtherAngleUnits[i]);
        zut::CAngular a;
        m_bAnglesFit[i] = a.read(t.c_str(), nullptr, nullptr) == 0;
    }
}

void CWImport::HintAngleUnit(const std::string& path) {
    if (m_bAngleUnitStated || m_nAnglesOutOfRange == 0)
        return;
    static constexpr const char* kNames[] = {"gon", "deg", "mil"};
    for (size_t i = 0; i < kOtherAngleUnits.size(); ++i) {
        if (kOtherAngleUnits[i] == m_AngleUnit || !m_bAnglesFit[i])
            continue;
        m_pProject->ImportLog().Write(
            res::Format(res::LoadString(res::kAngleUnitHintMessage), {path, kNames[i], kNames[i]}),
            0, 1);
        return;
    }
}

int CWImport::ReadLinear(const char* text, zut::CLinear* value, ValueVariant variant) {
    if (!text || !value)
        return 0;
    if (variant == ValueVariant::E && zut::sz_empty(text))
        return 0;
    m_LocUnits.SetDistUnit(m_DistUnit);
    const char* end = nullptr;
    int rc = value->read(text, &end, nullptr);
    std::string lo, hi;
    if (rc == zut::rr_range) {
        lo = zut::CLinear(zut::CLinear::lower()).write();
        hi = zut::CLinear(zut::CLinear::upper()).write();
    }
    m_LocUnits.RestoreUnits();
    return ReportValue(rc, text, end, lo, hi);
}

int CWImport::ReadAngular(const char* text, zut::CAngular* value, ValueVariant variant) {
    if (!text || !value)
        return 0;
    if (variant == ValueVariant::E && zut::sz_empty(text))
        return 0;
    int old_precision = variant == ValueVariant::E ? zut::CAngular::precision(8) : -1;
    m_LocUnits.SetAngleUnit(m_AngleUnit);
    const char* end = nullptr;
    int rc = value->read(text, &end, nullptr);
    std::string lo, hi;
    if (rc == zut::rr_range) {
        lo = zut::CAngular(zut::CAngular::lower()).write();
        hi = zut::CAngular(zut::CAngular::upper()).write();
    }
    m_LocUnits.RestoreUnits();
    if (old_precision >= 0)
        zut::CAngular::precision(old_precision);
    if (rc == zut::rr_range)
        NoteAngleOutOfRange(m_AsInFile.empty() ? std::string_view(text) : m_AsInFile);
    return ReportValue(rc, text, end, lo, hi);
}

int CWImport::ReadPressureParsed(const char* text, double* value) {
    if (!text || !value)
        return 0;
    m_LocUnits.SetPressUnit(m_PresUnit);
    zut::CPressure p;
    const char* end = nullptr;
    int rc = p.read(text, &end, nullptr, -1);
    std::string lo, hi;
    if (rc == zut::rr_range) {
        lo = zut::CPressure(350).write();
        hi = zut::CPressure(1000).write();
    }
    m_LocUnits.RestoreUnits();
    if (rc == 0)
        *value = p;
    return ReportValue(rc, text, end, lo, hi);
}

int CWImport::ReadTemperatureParsed(const char* text, double* value) {
    if (!text || !value)
        return 0;
    m_LocUnits.SetTempUnit(m_TempUnit);
    zut::CTemperature t;
    const char* end = nullptr;
    int rc = t.read(text, &end, nullptr, -1);
    std::string lo, hi;
    if (rc == zut::rr_range) {
        lo = zut::CTemperature(-100).write();
        hi = zut::CTemperature(100).write();
    }
    m_LocUnits.RestoreUnits();
    if (rc == 0)
        *value = t;
    return ReportValue(rc, text, end, lo, hi);
}

int CWImport::ReadIntegerKind(const char* text, double* value) {
    if (!text || !value)
        return 0;
    *value = static_cast<double>(readers::AtoI(text));
    return *value != 0 ? 1 : 0;
}

int CWImport::GetLinear(const char* text, zut::CLinear* value) {
    return ReadLinear(text, value, ValueVariant::Standard);
}

int CWImport::GetAngular(const char* text, zut::CAngular* value) {
    return ReadAngular(text, value, ValueVariant::Standard);
}

int CWImport::PushM(EventID id, std::string_view text, unsigned filter) {
    if (filter & kPushApostropheCut) {
        size_t q = text.rfind('\'');
        if (q != std::string_view::npos)
            text = text.substr(q + 1);
    }
    int r = 0;
    if (!(filter & kPushSkipEmpty) || !text.empty()) {
        r = Push(id, text);
        m_nLastPush = r;
        if (r && !(filter & kPushNoAccept))
            m_bAccepted = 1;
    }
    if ((filter & kPushProgress) && m_pSite)
        m_pSite->SetProgress(m_nLine);
    return r;
}

void CWImport::DoImport() {
    RunFiles({});
}

void CWImport::RunFiles(const RunHooks& hooks) {
    // Readers that the host builds without a dialog have no file list to run over.
    if (!m_pSite)
        return;
    const ImportSettings& s = m_pSite->Settings();
    zut::CLocCrdStyle style;
    double fe = (s.YStyle == 1 || s.YStyle == 2) ? s.Y0 : zut::CEast::false_easting();
    double fn = s.XStyle == 1 ? s.X0 : zut::CNorth::false_northing();
    int zone = s.YStyle == 2 ? s.NZone : zut::CEast::zone();
    style.Setup(fe, fn, zone, s.Zone == 1 ? 0 : 1, (s.YStyle == 1 || s.YStyle == 2) ? s.YStyle : 0,
                s.XStyle == 1 ? 1 : 0);

    std::string list = m_pSite->FileList();
    std::string first = readers::Trim(list.substr(0, list.find(';')));
    std::string folder = text::FolderOf(first);
    if (folder.empty()) {
        std::error_code ec;
        std::string cwd = std::filesystem::current_path(ec).string();
        if (ec || cwd.empty()) {
            LogMessage(9041, {});
            return;
        }
        folder = cwd + "/";
        list.insert(0, folder);
    }
    if (!InitImport())
        return;

    for (int pass = 1; pass <= 2; ++pass) {
        if (hooks.before_pass)
            hooks.before_pass(pass);
        size_t pos = 0;
        for (long i = 0; i < INT_MAX && pos <= list.size(); ++i) {
            size_t semi = list.find(';', pos);
            std::string name = readers::Trim(std::string_view(list).substr(
                pos, semi == std::string::npos ? std::string::npos : semi - pos));
            if (name.empty())
                break;
            pos = semi == std::string::npos ? list.size() + 1 : semi + 1;
            std::string path = i == 0 ? name : text::JoinFolder(folder, name);
            std::error_code ec;
            if (!std::filesystem::exists(path, ec)) {
                LogMessage(9022, {path});
                continue;
            }
            if (hooks.before_file && !hooks.before_file(path, pass))
                continue;
            m_CurrentFile = path;
            m_bAccepted = 0;
            m_pSite->SetProgress(path);
            if (pass == 1)
                PrepareOneFile(path);
            else
                LoadOneFile(path);
        }
    }
    CloseImport();
}
