#include "readers/sdr/sdr_reader.h"

#include "readers/text_helpers.h"
#include "readers/unit_codes.h"

using readers::TrimView;

CImpSDR::CImpSDR(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CWImport(project, site, info) {}

CImpSDR::~CImpSDR() = default;

// Empty values are skipped and every push reports progress. Whether the file counts as read is
// decided per record, by its last push.
int CImpSDR::Put(EventID id, std::string_view value) {
    return PushM(id, value, kPushSkipEmpty | kPushProgress | kPushNoAccept);
}

std::string CImpSDR::GetWord(int pos, int len) const {
    return readers::Copy(m_Record, pos, len);
}

char CImpSDR::Column(int pos) const {
    return pos >= 1 && static_cast<size_t>(pos) <= m_Record.size() ? m_Record[pos - 1] : '\0';
}

std::string_view CImpSDR::CutWord(int len) {
    return readers::CutWord(m_Line, static_cast<long>(len));
}

bool CImpSDR::ReadLong(int pos, int len, long& out) {
    std::string field = GetWord(pos, len);
    if (field.empty())
        return false;
    const char* end = nullptr;
    int rc = zut::l_val(field.c_str(), out, &end, -2147483647L - 1, 2147483647L);
    if (rc == zut::rr_invalid)
        LogMessage(7601, {end ? end : field.c_str(), field});
    return rc == 0;
}

int CImpSDR::ReadEvents() {
    for (;;) {
        if (!ReadRawLine(m_Record)) {
            if (!m_File.error().empty())
                throw vrk::FileError{m_File.path().string(), m_File.error()};
            if (!m_bAccepted)
                LogMessage(9018, {CurrentFileName()});
            return 0;
        }
        if (!m_Record.empty() && m_Record.back() == '\n')
            m_Record.pop_back();
        size_t b = m_Record.find_first_not_of(' ');
        if (b == std::string::npos)
            continue;  // blank lines count, but carry no record
        m_Record.erase(m_Record.find_last_not_of(' ') + 1);
        m_Record.erase(0, b);
        break;
    }
    ClearEventList();
    m_Line = m_Record;
    m_nLastPush = 0;

    long type = 0;
    if (!ReadLong(1, 2, type))
        return 1;
    switch (type) {
        case 0:
            SetHead();
            break;
        case 1:
            PushInstr();
            break;
        case 2:
            PushStation();
            break;
        case 3:
            PushHv();
            break;
        case 5:
            SetAtmos();
            break;
        case 7:
            PushBkb();
            break;
        case 8:
            PushPoint();
            break;
        case 9:
            PushTarget();
            break;
        case 10:
            SetJob();
            break;
        case 11:
            PushBLink();
            break;
        case 12:
            PushPass();
            break;
        default:
            break;
    }
    if (m_nLastPush)
        m_bAccepted = 1;
    return 1;
}

void CImpSDR::SetHead() {
    if (GetWord(5, 5) == "SDR33")
        m_nOptions |= kWide;
    else
        m_nOptions &= ~kWide;
    using readers::SetUnitByCode;
    SetUnitByCode(Column(41), m_AngleUnit,
                  {{'1', zut::au_degree}, {'2', zut::au_gon}, {'3', zut::au_mil}});
    SetUnitByCode(Column(42), m_DistUnit, {{'1', zut::du_metre}, {'2', zut::du_foot}});
    SetUnitByCode(Column(43), m_PresUnit,
                  {{'1', zut::pu_mmhg}, {'2', zut::pu_inhg}, {'3', zut::pu_hpa}});
    SetUnitByCode(Column(44), m_TempUnit, {{'1', zut::tu_celsius}, {'2', zut::tu_fahrenheit}});
    if (GetWord(45, 1) == "1")
        m_nOptions &= ~kEastFirst;
    else
        m_nOptions |= kEastFirst;
}

void CImpSDR::PushInstr() {
    Put(evInstrument, GetWord(51, 1) == "1" ? "Z" : "H");
}

bool CImpSDR::PushPlace(EventID id, bool station) {
    CutWord(2);
    const bool known = CutWord(2) == "KI";
    const std::string_view name = TrimView(CutWord(GetIDLen()));
    if (name.empty())
        return false;
    Put(id, name);
    if (station)
        m_StationName = name;
    if (known) {
        Put(evPlanClass, "Base");
        Put(evHeightClass, "Base");
    }
    // Fields go to the engine as they stand: one the record does not reach is empty.
    const std::string_view first = CutWord(GetNumLen());
    const std::string_view second = CutWord(GetNumLen());
    Put(AxesOrnEN() ? evPointY : evPointX, first);
    Put(AxesOrnEN() ? evPointX : evPointY, second);
    Put(evPointH, CutWord(GetNumLen()));
    return true;
}

void CImpSDR::PushStation() {
    if (!PushPlace(evStation, true))
        return;
    Put(evInstrumentHeight, CutWord(GetNumLen()));
    Put(evCode, CutWord(16));
}

void CImpSDR::PushPoint() {
    if (!PushPlace(evPointName, false))
        return;
    Put(evCode, CutWord(16));
}

void CImpSDR::PushHv() {
    CutWord(4);
    // Pushed even when empty, and not counted as reading the file.
    Push(evTargetHeight, CutWord(GetNumLen()));
}

void CImpSDR::SetAtmos() {
    CutWord(4);
    Put(evPressure, CutWord(GetNumLen()));
    Put(evTemperature, CutWord(GetNumLen()));
}

void CImpSDR::PushBkb() {
    CutWord(4);
    const std::string_view station = TrimView(CutWord(GetIDLen()));
    if (station.empty() || station != m_StationName)
        return;
    const std::string_view backsight = TrimView(CutWord(GetIDLen()));
    if (backsight.empty())
        return;
    CutWord(GetNumLen());
    Put(evBacksight, backsight);
    Put(evBacksightAzimuth, CutWord(GetNumLen()));
}

void CImpSDR::PushTarget() {
    CutWord(2);
    const std::string_view derivation = CutWord(2);
    const char* face = derivation == "F2" ? "Right" : derivation == "F1" ? "Left" : nullptr;
    if (!face)
        return;
    const std::string_view station = TrimView(CutWord(GetIDLen()));
    if (station.empty() || station != m_StationName)
        return;
    // The target keeps its blanks, as the field holds it.
    const std::string_view target = CutWord(GetIDLen());
    if (target.empty())
        return;
    Put(evTarget, target);
    Put(evCircleFace, face);
    Put(evSlopeDist, CutWord(GetNumLen()));
    Put(evVertAngle, CutWord(GetNumLen()));
    Put(evHorAngle, CutWord(GetNumLen()));
    Put(evCode, CutWord(16));
}

void CImpSDR::SetJob() {
    if ((m_nOptions & kWide) && GetWord(21, 1) != "1")
        m_nOptions &= ~kWide;
}

void CImpSDR::PushBLink() {
    CutWord(4);
    const std::string_view from = TrimView(CutWord(GetIDLen()));
    if (from.empty())
        return;
    const std::string_view to = TrimView(CutWord(GetIDLen()));
    if (to.empty())
        return;
    Put(evDirectionName, std::string(from) + "\\" + std::string(to));
    Put(evDirectionAngle, CutWord(GetNumLen()));
    Put(evStation, from);
    Put(evTarget, to);
    Put(evHorDist, CutWord(GetNumLen()));
}

void CImpSDR::PushPass() {
    // Marks the next target as an orientation; not counted as reading the file.
    Push(evOrientationStart, "");
}

int CImpSDR::GetLinear(const char* text, zut::CLinear* value) {
    return ReadLinear(text, value, ValueVariant::E);
}

int CImpSDR::GetAngular(const char* text, zut::CAngular* value) {
    return ReadAngular(text, value, ValueVariant::E);
}

int CImpSDR::GetPressure(const char* text, double* value) {
    return ReadPressureParsed(text, value);
}

int CImpSDR::GetTemperature(const char* text, double* value) {
    return ReadTemperatureParsed(text, value);
}
