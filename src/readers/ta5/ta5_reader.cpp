#include "readers/ta5/ta5_reader.h"

#include "readers/ta5/ta5_values.h"
#include "readers/text_helpers.h"

namespace {

constexpr int kField = 12;

char CharAt(std::string_view text, size_t i) {
    return i < text.size() ? text[i] : '\0';
}

}  // namespace

CImp3TA5::CImp3TA5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CImp3TA5(project, site, info, 7 * kField, {zut::au_gon, zut::au_dms, zut::au_degree}) {}

CImp3TA5::CImp3TA5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
                   int record_length, AngleUnits units)
    : CWImport(project, site, info), m_nRecordLength(record_length), m_Units(units) {}

CImp3TA5::~CImp3TA5() = default;

int CImp3TA5::PushM(EventID id, std::string_view text) {
    // Plain push: empty texts go too; the records decide which pushes mark the file accepted.
    return CWImport::PushM(id, text, kPushPlain | kPushNoAccept);
}

void CImp3TA5::AcceptedCheck() {
    if (m_nLastPush)
        m_bAccepted = 1;
}

int CImp3TA5::GetString(std::string& line, int max) {
    line.clear();
    if (max <= 0 || !m_File.ReadLine(line, static_cast<size_t>(max)))
        return -1;
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
        return static_cast<int>(line.size());
    }
    if (static_cast<int>(line.size()) == max) {
        // A line feed right after a full line belongs to it; anything else starts the next line.
        const long long at = m_File.Tell();
        std::string next;
        if (m_File.ReadLine(next, 1) && next != "\n" && at >= 0)
            m_File.Seek(at);
    }
    return static_cast<int>(line.size());
}

std::string_view CImp3TA5::CutWord(int n) {
    return readers::CutWord(m_Line, static_cast<long>(n));
}

std::string_view CImp3TA5::Next_Part(int n) {
    return readers::TrimView(CutWord(n));
}

int CImp3TA5::ReadEvents() {
    int count = 0;
    do {
        count = GetString(m_Text, m_nRecordLength);
        if (count < 0)
            break;
        ++m_nLine;
    } while (count == 0);

    if (count < 0) {
        if (m_bBackSightPending) {
            // The backsight joins the last record: the event list is not cleared for it.
            SetBackSight();
            return 1;
        }
        if (!m_bAccepted)
            LogMessage(9018, {CurrentFileName()});
        return 0;
    }

    ClearEventList();
    m_Line = m_Text;
    const std::string_view code = Next_Part(kField);
    // A record without a code ends the data of the file; a file that gave nothing says so.
    if (code.empty()) {
        if (!m_bAccepted)
            LogMessage(9018, {CurrentFileName()});
        return 0;
    }
    m_nLastPush = 0;
    m_PointName = Next_Part(kField);

    switch (code[0]) {
        case '0':
            ReadZagolovokStation(code);
            break;
        case '1':
            ReadStationRecord(code);
            break;
        case '2':
            ReadTargetRecord(code);
            break;
        default:
            break;
    }
    if (m_pSite)
        m_pSite->SetProgress(m_nLine);
    return 1;
}

void CImp3TA5::ReadStationRecord(std::string_view code) {
    ReadCoordStation(code);
    PushDistField(code, evTargetHeight);
}

void CImp3TA5::ReadTargetRecord(std::string_view code) {
    const char variant = CharAt(code, 1);
    if (variant < '0' || variant > '3')
        return;
    ReadTrgNameCode();
    switch (variant) {
        case '0':
        case '2':
            PushDistField(code, evSlopeDist, true);
            ReadHaVa(code);
            PushDistField(code, evTargetHeight);
            break;
        case '1':
            ReadXYZ(code);
            PushDistField(code, evTargetHeight);
            break;
        case '3': {
            PushDistField(code, evHorDist);
            ReadHaVa(code);
            if (const std::string_view dh = Next_Part(kField); !dh.empty()) {
                m_Value = dh;
                SetPointDist(code, m_Value);
                PushM(evTargetHeight, m_InstrumentHeight);
                PushM(evHeightDiff, m_Value);
            }
            break;
        }
    }
    // Record 22 does not count towards the accepted data of the file.
    if (variant != '2')
        AcceptedCheck();
}

void CImp3TA5::PushDistField(std::string_view code, EventID id, bool empty_as_zero) {
    const std::string_view field = Next_Part(kField);
    if (field.empty() && !empty_as_zero)
        return;
    m_Value = field;
    SetPointDist(code, m_Value);
    PushM(id, m_Value);
}

void CImp3TA5::ReadZagolovokStation(std::string_view code) {
    SetBackSight();
    if (!m_PointName.empty()) {
        m_bAccepted = 1;
        PushM(evStation, m_PointName);
    }
    if (const std::string_view station_code = Next_Part(kField); !station_code.empty())
        PushM(evCode, station_code);
    if (const std::string_view date = Next_Part(kField); !date.empty())
        PushM(evDate, date);
    const std::string_view backsight = Next_Part(kField);
    if (!backsight.empty()) {
        PushM(evBacksight, backsight);
        m_BackSightName = backsight;
        m_bBackSightPending = 1;
    }
    const std::string_view direction = Next_Part(kField);
    if (!direction.empty() && !m_PointName.empty() && !m_BackSightName.empty()) {
        PushM(evDirectionName, m_PointName + "\\" + m_BackSightName);
        m_Value = direction;
        SetPointAngle(code, m_Value);
        m_BackSightDirection = m_Value;
        m_BackSightUnit = m_AngleUnit;
        PushM(evDirectionAngle, m_Value);
    }
    if (const std::string_view height = Next_Part(kField); !height.empty()) {
        m_Value = height;
        SetPointDist(code, m_Value);
        PushM(evInstrumentHeight, m_Value);
        m_InstrumentHeight = m_Value;
    }
    AcceptedCheck();
}

void CImp3TA5::ReadCoordStation(std::string_view code) {
    if (!m_PointName.empty())
        PushM(evStation, m_PointName);
    if (const std::string_view station_code = Next_Part(kField); !station_code.empty()) {
        m_bAccepted = 1;
        PushM(evCode, station_code);
        SetTCode(station_code);
    }
    ReadXYZ(code);
    AcceptedCheck();
}

void CImp3TA5::SetTCode(std::string_view code) {
    PushM(evCode, readers::TrimView(code));
}

void CImp3TA5::ReadTrgNameCode() {
    if (!m_PointName.empty()) {
        m_bAccepted = 1;
        // The announced backsight was measured: nothing to add for it at the next header.
        if (m_PointName == readers::TrimView(m_BackSightName))
            m_bBackSightPending = 0;
        PushM(evTarget, m_PointName);
    }
    if (const std::string_view target_code = Next_Part(kField); !target_code.empty())
        PushM(evCode, target_code);
}

void CImp3TA5::ReadXYZ(std::string_view code) {
    for (EventID id : {evPointX, evPointY, evPointH}) PushDistField(code, id);
}

void CImp3TA5::ReadHaVa(std::string_view code) {
    if (const std::string_view hz = Next_Part(kField); !hz.empty()) {
        m_Value = hz;
        SetPointAngle(code, m_Value);
        PushM(evHorAngle, m_Value);
    }
    if (const std::string_view v = Next_Part(kField); !v.empty()) {
        m_Value = v;
        SetPointAngle(code, m_Value);
        PushInstr(code);
        PushM(evVertAngle, m_Value);
    }
}

void CImp3TA5::PushInstr(std::string_view code) {
    const char variant = CharAt(code, 1);
    const bool zenith = (variant == '0' || variant == '2') && CharAt(code, 3) == '0';
    PushM(evInstrument, zenith ? "Z" : "H");
}

void CImp3TA5::SetBackSight() {
    if (!m_bBackSightPending) {
        m_bBackSightPending = 1;
        m_BackSightName.clear();
        return;
    }
    m_BackSightName = readers::TrimView(m_BackSightName);
    if (!m_BackSightName.empty()) {
        PushM(evTarget, m_BackSightName);
        // The direction is read in the unit of the header that gave it, not of the last record.
        const zut::angle_unit unit = m_AngleUnit;
        StateAngleUnit(m_BackSightUnit);
        PushM(evHorAngle, readers::TrimView(m_BackSightDirection));
        StateAngleUnit(unit);
        m_BackSightDirection.clear();
        AcceptedCheck();
    }
    m_bBackSightPending = 0;
}

int CImp3TA5::SetUnits(std::string_view code) {
    const std::string_view c = readers::TrimView(code);
    m_DistUnit = zut::du_metre;
    switch (CharAt(c, 2)) {
        case '0':
            StateAngleUnit(m_Units.code0);
            break;
        case '1':
            StateAngleUnit(m_Units.code1);
            break;
        case '2':
            StateAngleUnit(m_Units.code2);
            break;
        default:
            break;
    }
    return 1;
}

void CImp3TA5::SetPointAngle(std::string_view code, std::string& value) {
    SetUnits(code);
    // A text that already has a point is in a readable form.
    if (value.find('.') != std::string::npos)
        return;
    value = m_AngleUnit == zut::au_dms ? readers::Ta5PackedDms(value)
                                       : readers::Ta5PackedDecimal(value);
}

void CImp3TA5::SetPointDist(std::string_view code, std::string& value) {
    SetUnits(code);
    if (value.empty())
        value.assign(1, '0');
    else if (value.find('.') == std::string::npos)
        value = readers::Ta5Millimetres(value);
}

int CImp3TA5::GetDate(const char* text, int64_t* time) {
    if (!text || !time)
        return 0;
    return readers::Ta5Date(text, time, m_Clock) ? 1 : 0;
}

CImp4TA5::CImp4TA5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CImp3TA5(project, site, info, 9 * kField, {zut::au_dms, zut::au_degree, zut::au_gon}) {}

void CImp4TA5::PushInstr(std::string_view code) {
    const char variant = CharAt(code, 1);
    const bool zenith = (variant == '0' || variant == '1') && CharAt(code, 3) == '2';
    PushM(evInstrument, zenith ? "Z" : "H");
}

void CImp4TA5::ReadStationRecord(std::string_view code) {
    ReadCoordStation(code);
}

void CImp4TA5::ReadTargetRecord(std::string_view code) {
    ReadTrgNameCode();
    const char variant = CharAt(code, 1);
    switch (variant) {
        case '0':
            ReadHaVa(code);
            PushDistField(code, evTargetHeight);
            return;  // record 20 does not count towards the accepted data
        case '1':
            ReadHaVa(code);
            PushDistField(code, evSlopeDist, true);
            PushDistField(code, evTargetHeight);
            break;
        case '2':
            ReadXYZ(code);
            ReadHaVa(code);
            PushDistField(code, evSlopeDist, true);
            break;
        case '3':
            PushDistField(code, evHorDist);
            PushDistField(code, evHeightDiff);
            ReadHaVa(code);
            PushDistField(code, evSlopeDist);
            PushDistField(code, evTargetHeight);
            break;
        default:
            return;  // target and code only
    }
    AcceptedCheck();
}
