#include "readers/geodimeter/geodimeter_reader.h"

#include <ctime>
#include <utility>

#include "readers/text_helpers.h"
#include "readers/unit_codes.h"

using readers::CutWord;
using readers::Trim;
using readers::TrimView;

CImpGEOD::CImpGEOD(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info, int points)
    : CWImport(project, site, info), m_bPoints(points) {}

CImpGEOD::~CImpGEOD() = default;

int CImpGEOD::PushM(EventID id, std::string_view text) {
    if (text.empty())
        return 0;
    m_nLineAccepted = Push(id, text);
    m_nLastPush = m_nLineAccepted;
    return m_nLineAccepted;
}

void CImpGEOD::DoImport() {
    MLoadFile(0, m_bPoints);
}

void CImpGEOD::MLoadFile(int mode, int points) {
    m_bPoints = points;
    // Label 23 may change the units for the rest of the run; the run leaves them as it found them.
    const auto dist = m_DistUnit;
    const auto angle = m_AngleUnit;
    const auto pres = m_PresUnit;
    const auto temp = m_TempUnit;
    RunHooks hooks;
    hooks.before_file = [this](const std::string&, int) {
        m_bFirstLine = 1;
        m_nFileAccepted = 0;
        return true;
    };
    RunFiles(hooks);
    m_DistUnit = dist;
    m_AngleUnit = angle;
    m_PresUnit = pres;
    m_TempUnit = temp;
}

int CImpGEOD::GetPrecord(std::string_view word, std::string_view& value) {
    const size_t eq = word.find('=');
    if (eq == std::string_view::npos) {
        value = {};
        return static_cast<int>(readers::AtoI(TrimView(word)));
    }
    value = word.substr(eq + 1);
    const long label = readers::AtoI(TrimView(word.substr(0, eq)));
    return label < -1000000 || label > 1000000 ? 0 : static_cast<int>(label);
}

int CImpGEOD::ReadEvents() {
    std::string_view line;
    for (;;) {
        if (!ReadRawLine(m_Text)) {
            if (m_nFileAccepted == 0)
                LogMessage(9018, {CurrentFileName()});
            m_bFirstLine = 1;
            return 0;
        }
        line = m_Text;
        const size_t b = line.find_first_not_of(' ');
        if (b == std::string_view::npos)
            continue;
        line = line.substr(b, line.find_last_not_of(' ') - b + 1);
        break;
    }
    ClearEventList();
    line = line.substr(0, line.find('\n'));
    m_nLineAccepted = 0;

    std::string_view value;
    if (m_bFirstLine) {
        m_Line = line;
        m_nLeadLabel = GetPrecord(CutWord(m_Line, ' '), value);
        m_bFirstLine = 0;
        if (m_nLeadLabel == 15 || m_nLeadLabel == 50)
            return 1;
    }
    m_Line = line;
    for (;;) {
        const int label = GetPrecord(CutWord(m_Line, ' '), value);
        if (!PushLabel(label, value))
            break;
    }
    if (m_nLineAccepted)
        m_nFileAccepted = 1;
    m_pSite->SetProgress(m_nLine);
    return 1;
}

// The code may hold blanks: it runs on up to the last blank before the next "=".
std::string_view CImpGEOD::CutCodeRest() {
    const size_t eq = m_Line.find('=');
    if (eq == std::string_view::npos)
        return std::exchange(m_Line, {});
    const size_t blank = m_Line.rfind(' ', eq);
    if (blank == std::string_view::npos)
        return {};
    return CutWord(m_Line, static_cast<long>(blank + 1));
}

bool CImpGEOD::PushLabel(int label, std::string_view value) {
    switch (label) {
        case 1:
        case 51:
            PushM(evDate, value);
            break;
        case 2:
            PushM(evStation, value);
            if (m_bPoints) {
                PushM(evPlanClass, "Base");
                PushM(evHeightClass, "Base");
            }
            break;
        case 3:
            PushM(evInstrumentHeight, value);
            break;
        case 4:
            m_Value.assign(value).append(1, ' ').append(CutCodeRest());
            PushM(evCode, TrimView(m_Value));
            break;
        case 5:
            if (m_nLeadLabel == 15) {
                PushM(evPointName, value);
            } else {
                PushM(evPointName, value);
                PushM(evTarget, value);
                PushM(evTargetHeight, "0");
                m_TargetName.assign(value);
                m_bRightFace = 0;
            }
            if (m_bPoints) {
                PushM(evPlanClass, "Base");
                PushM(evHeightClass, "Base");
            }
            break;
        case 6:
            PushM(evTargetHeight, value);
            break;
        case 7:
        case 21:
        case 8:
        case 25: {
            // An angle is never empty once rewritten: the line goes on after it.
            const std::string angle = SetPointAngle(value);
            ShownAs shown(*this, value);
            PushM(evCircleFace, "Left");
            PushM(label == 7 || label == 21 ? evHorAngle : evVertAngle, angle);
            return true;
        }
        case 18: {
            const std::string angle = SetPointAngle(value);
            ShownAs shown(*this, value);
            PushM(evCircleFace, "Right");
            PushM(evVertAngle, angle);
            return true;
        }
        case 17:
        case 24: {
            const std::string angle = SetPointAngle(value);
            ShownAs shown(*this, value);
            if (CheckTarget()) {
                PushM(evCircleFace, label == 17 ? "Right" : "Left");
                PushM(evHorAngle, angle);
                if (label == 17)
                    m_bRightFace = 1;
            }
            return true;
        }
        case 9:
            PushM(evSlopeDist, value);
            break;
        case 10:
            PushM(evHeightDiff, value);
            break;
        case 11:
            PushM(evHorDist, value);
            break;
        case 23:
            SetUnits(value);
            break;
        case 37:
            PushM(evPointX, value);
            break;
        case 38:
            PushM(evPointY, value);
            break;
        case 39:
            PushM(evPointH, value);
            break;
        case 49:
            PushM(evHeightDiffAux, value);
            break;
        case 50:
            m_nLeadLabel = 50;
            break;
        case 56:
            PushM(evTemperature, value);
            break;
        case 62:
            m_nLineAccepted = Push(evOrientationStart, "");
            PushM(evTarget, value);
            PushM(evTargetHeight, "0");
            break;
        case 74:
            PushM(evPressure, value);
            break;
        default:
            break;
    }
    return !value.empty();
}

bool CImpGEOD::CheckTarget() {
    m_TargetName = TrimView(m_TargetName);
    if (m_TargetName.empty())
        return false;
    if (m_bRightFace)
        PushM(evTarget, m_TargetName);
    return true;
}

std::string CImpGEOD::SetPointAngle(std::string_view source) const {
    std::string t(TrimView(source));
    char sign = 0;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        sign = t[0];
        t.erase(0, 1);
    }
    if (t.size() < 8)
        t.insert(0, 8 - t.size(), '0');
    if (m_AngleUnit == zut::au_dms)
        readers::StrInsert(t, '.', 7);
    if (sign)
        t.insert(t.begin(), sign);
    return t;
}

void CImpGEOD::SetUnits(std::string_view value) {
    if (value.size() < 4)
        return;
    const std::string_view u = TrimView(value);
    if (u.size() < 4)
        return;
    using readers::SetUnitByCode;
    SetUnitByCode(u[0], m_PresUnit, {{'1', zut::pu_hpa}, {'2', zut::pu_mmhg}, {'3', zut::pu_inhg}});
    SetUnitByCode(u[1], m_DistUnit,
                  {{'1', zut::du_metre}, {'2', zut::du_foot}, {'3', zut::du_us_foot}});
    SetUnitByCode(u[2], m_TempUnit, {{'1', zut::tu_celsius}, {'2', zut::tu_fahrenheit}});
    zut::angle_unit angle = m_AngleUnit;
    if (SetUnitByCode(
            u[3], angle,
            {{'1', zut::au_gon}, {'2', zut::au_dms}, {'3', zut::au_degree}, {'4', zut::au_mil}}))
        StateAngleUnit(angle);
}

int CImpGEOD::GetPressure(const char* text, double* value) {
    return ReadIntegerKind(text, value);
}

int CImpGEOD::GetTemperature(const char* text, double* value) {
    return ReadIntegerKind(text, value);
}

int CImpGEOD::GetDate(const char* text, int64_t* time) {
    if (!text || !time)
        return 0;
    std::tm today{};
    m_Clock.Today(today);
    int day = today.tm_mday, month = today.tm_mon + 1, year = today.tm_year + 1900;

    auto find_sep = [](const std::string& s) {
        for (char c : {'.', '-', '/'}) {
            size_t p = s.find(c);
            if (p != std::string::npos)
                return p;
        }
        return std::string::npos;
    };
    std::string t = Trim(text);
    size_t sep = find_sep(t);
    if (sep != std::string::npos) {
        day = static_cast<int>(readers::AtoI(t.substr(0, sep)));
        t.erase(0, sep + 1);
        size_t sep2 = find_sep(t);
        if (sep2 != std::string::npos) {
            month = static_cast<int>(readers::AtoI(t.substr(0, sep2)));
            long y = readers::AtoI(t.substr(sep2 + 1));
            if (y < 100)
                y += 1900;
            year = (y < 1980 || y > 2100) ? today.tm_year + 1900 : static_cast<int>(y);
        }
    }
    // A day or month out of range cannot make a date: the value counts as not given.
    if (day < 1 || day > 31 || month < 1 || month > 12)
        return 0;
    std::tm tm{};
    tm.tm_mday = day;
    tm.tm_mon = month - 1;
    tm.tm_year = year - 1900;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    const std::time_t t64 = m_Clock.MakeTime(tm);
    if (t64 == static_cast<std::time_t>(-1))
        return 0;
    *time = static_cast<int64_t>(t64);
    return 1;
}
