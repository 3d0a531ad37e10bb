#include "readers/tds7/tds7_reader.h"

#include <ctime>
#include <utility>

#include "readers/text_helpers.h"

CImpTDS7::CImpTDS7(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CWImport(project, site, info) {}

CImpTDS7::~CImpTDS7() = default;

void CImpTDS7::ClearNames() {
    m_TargetName.clear();
    m_BacksightAngle.clear();
    m_BacksightName.clear();
}

void CImpTDS7::DoImport() {
    RunHooks hooks;
    // A backsight of the first pass must not reach into the second.
    hooks.before_pass = [this](int) { ClearNames(); };
    RunFiles(hooks);
}

// Whether the file counts as read is decided per line, by its last push.
int CImpTDS7::Put(EventID id, std::string_view value) {
    return PushM(id, value, kPushSkipEmpty | kPushNoAccept);
}

std::string_view CImpTDS7::Field() {
    return readers::CutWord(m_Line, ',');
}

int CImpTDS7::GetPrecord(std::string_view keyword) {
    static constexpr std::pair<std::string_view, int> kKeywords[] = {
        {"DATE", kDate}, {"UNITS", kUnits}, {"TEMP", kTemp}, {"ATMOS", kAtmos}, {"STN", kStn},
        {"XYZ", kXyz},   {"BKB", kBkb},     {"BS", kBs},     {"FS", kFs},       {"SS", kSs},
        {"HV", kHv},     {"SD", kSd},       {"HD", kHd}};
    if (keyword.size() > 5)
        return kNone;
    const std::string upper = readers::Upper(keyword);
    for (const auto& [word, code] : kKeywords)
        if (upper == word)
            return code;
    return kNone;
}

int CImpTDS7::ReadEvents() {
    do {
        if (!ReadRawLine(m_Text)) {
            if (!m_File.error().empty())
                throw vrk::FileError{m_File.path().string(), m_File.error()};
            if (!m_bAccepted)
                LogMessage(9018, {CurrentFileName()});
            return 0;
        }
    } while (m_Text.empty());
    ClearEventList();

    m_Line = m_Text;
    const size_t first = m_Line.find_first_not_of(" \t");
    if (first == std::string_view::npos || m_Line[first] != '\'') {
        m_Line = m_Line.substr(0, m_Line.find('\n'));
        m_nLastPush = 0;
        Decode(GetPrecord(readers::CutWord(m_Line, ' ')));
        if (m_nLastPush)
            m_bAccepted = 1;
    }
    if (m_pSite)
        m_pSite->SetProgress(m_nLine);
    return 1;
}

void CImpTDS7::Decode(int code) {
    switch (code) {
        case kDate:
            Put(evDate, readers::TrimView(m_Line));
            break;
        case kUnits:
            SetUnits(readers::CutWord(m_Line, ' '));
            break;
        case kTemp:
        case kAtmos:
            Put(evTemperature, Field());
            Put(evPressure, Field());
            break;
        case kStn:
            Put(evStation, Field());
            Put(evInstrumentHeight, Field());
            SetTCode(Field());
            m_bAnglesTaken = 0;
            m_BacksightName.clear();
            break;
        case kXyz:
            Put(evPointY, Field());
            Put(evPointX, Field());
            Put(evPointH, Field());
            break;
        case kBkb: {
            const std::string_view name = Field();
            m_BacksightName = name;
            Put(evBacksight, name);
            Put(evTarget, name);
            CheckTarget(name);
            Field();  // not used
            m_BacksightAngle = SetPointAngle(Field());
            break;
        }
        case kBs:
            CheckTarget(Field());
            Put(evTargetHeight, Field());
            break;
        case kFs:
        case kSs:
            CheckTarget(Field());
            Put(evTargetHeight, Field());
            Put(evCode, Field());
            break;
        case kHv:
        case kSd:
            Put(evHorAngle, SetPointAngle(Field()));
            Put(evVertAngle, SetPointAngle(Field()));
            m_bAnglesTaken = 1;
            if (code == kSd)
                Put(evSlopeDist, Field());
            break;
        case kHd:
            Put(evHorAngle, SetPointAngle(Field()));
            Put(evHorDist, Field());
            Put(evHeightDiff, Field());
            break;
        default:
            break;
    }
}

void CImpTDS7::SetUnits(std::string_view text) {
    const std::string u = readers::Upper(readers::TrimView(text));
    if (u.empty())
        return;
    if (u[0] == 'M')
        m_DistUnit = zut::du_metre;
    if (u[0] == 'F')
        m_DistUnit = zut::du_foot;
    if (u.size() < 3)
        return;
    if (u[2] == 'D')
        StateAngleUnit(zut::au_dms);
    if (u[2] == 'G')
        StateAngleUnit(zut::au_gon);
}

std::string CImpTDS7::SetPointAngle(std::string_view in) const {
    std::string out(in);
    char sign = 0;
    if (!out.empty() && (out[0] == '+' || out[0] == '-')) {
        sign = out[0];
        out.erase(0, 1);
    }
    if (m_AngleUnit != zut::au_dms)
        return out;
    size_t point = out.find('.');
    if (point != std::string::npos) {
        const long p = static_cast<long>(point);
        readers::StrInsert(out, '.', p + 4);  // after the minutes
        readers::StrInsert(out, '.', p + 7);  // after the seconds
    }
    if (sign)
        out.push_back(sign);
    return out;
}

void CImpTDS7::SetTCode(std::string_view text) {
    std::string_view code = readers::TrimView(text);
    if (!code.empty())
        m_nLastPush = Push(evCode, code);
}

void CImpTDS7::CheckTarget(std::string_view name) {
    // A backsight observed without angles of its own takes the backsight record's angle.
    if (!m_bAnglesTaken && m_TargetName == m_BacksightName && !m_BacksightAngle.empty())
        m_nLastPush = Push(evHorAngle, m_BacksightAngle);
    m_TargetName = name;
    if (!name.empty())
        m_nLastPush = Push(evTarget, name);
    m_bAnglesTaken = 0;
}

int CImpTDS7::GetPressure(const char* text, double* value) {
    return ReadIntegerKind(text, value);
}

int CImpTDS7::GetTemperature(const char* text, double* value) {
    return ReadIntegerKind(text, value);
}

int CImpTDS7::GetDate(const char* text, int64_t* time) {
    if (!text || !time)
        return 0;
    // DD-MM-YY HH:MM:SS; a missing leading zero is put back.
    std::string t = readers::Trim(text);
    if (t.size() < 17)
        t.insert(0, 17 - t.size(), '0');
    auto part = [&t](long column) {
        return static_cast<int>(readers::AtoI(readers::Copy(t, column, 2)));
    };
    int year = part(7);
    year = year > 80 ? 1900 + year : 2000 + year;

    std::tm today{};
    m_Clock.Today(today);
    auto within = [](int v, int lo, int hi, int fallback) {
        return v >= lo && v <= hi ? v : fallback;
    };
    std::tm tm{};
    tm.tm_year = within(year, 1980, 2100, today.tm_year + 1900) - 1900;
    tm.tm_mon = within(part(4), 1, 12, today.tm_mon + 1) - 1;
    tm.tm_mday = within(part(1), 1, 31, today.tm_mday);
    tm.tm_hour = within(part(10), 0, 23, today.tm_hour);
    tm.tm_min = within(part(13), 0, 59, today.tm_min);
    tm.tm_sec = within(part(16), 0, 59, today.tm_sec);
    tm.tm_isdst = -1;
    *time = static_cast<int64_t>(m_Clock.MakeTime(tm));
    return 1;
}
