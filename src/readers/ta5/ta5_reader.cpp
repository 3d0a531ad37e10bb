#include "readers/ta5/ta5_reader.h"

#include "readers/ta5/ta5_values.h"
#include "readers/text_helpers.h"

namespace {

constexpr int kField = 12;

char CharAt(const std::string& text, size_t i) {
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

std::string CImp3TA5::CutWord(int n) {
    return readers::CutWord(m_Line, static_cast<long>(n));
}

std::string CImp3TA5::Next_Part(int n) {
    return readers::Trim(CutWord(n));
}

int CImp3TA5::ReadEvents() {
    std::string line;
    int count = 0;
    do {
        count = GetString(line, m_nRecordLength);
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
    m_Line = std::move(line);
    const std::string code = Next_Part(kField);
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

void CImp3TA5::ReadStationRecord(const std::string& code) {
    ReadCoordStation(code);
    PushDistField(code, evTargetHeight);
}

void CImp3TA5::ReadTargetRecord(const std::string& code) {
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
            std::string dh = Next_Part(kField);
            if (!dh.empty()) {
                SetPointDist(code, dh);
                PushM(evTargetHeight, m_InstrumentHeight);
                PushM(evHeightDiff, dh);
            }
            break;
        }
    }
    // Record 22 does not count towards the accepted data of the file.
    if (variant != '2')
        AcceptedCheck();
}

void CImp3TA5::PushDistField(const std::string& code, EventID id, bool empty_as_zero) {
    std::string value = Next_Part(kField);
    if (value.empty() && !empty_as_zero)
        return;
    SetPointDist(code, value);
    PushM(id, value);
}

void CImp3TA5::ReadZagolovokStation(const std::string& code) {
    SetBackSight();
    if (!m_PointName.empty()) {
        m_bAccepted = 1;
        PushM(evStation, m_PointName);
    }
    std::string station_code = Next_Part(kField);
    if (!station_code.empty())
        PushM(evCode, station_code);
    std::string date = Next_Part(kField);
    if (!date.empty())
        PushM(evDate, date);
    std::string backsight = Next_Part(kField);
    if (!backsight.empty()) {
        PushM(evBacksight, backsight);
        m_BackSightName = backsight;
        m_bBackSightPending = 1;
    }
    std::string direction = Next_Part(kField);
    if (!direction.empty() && !m_PointName.empty() && !m_BackSightName.empty()) {
        PushM(evDirectionName, m_PointName + "\\" + m_BackSightName);
        SetPointAngle(code, direction);
        m_BackSightDirection = direction;
        m_BackSightUnit = m_AngleUnit;
        PushM(evDirectionAngle, direction);
    }
    std::string height = Next_Part(kField);
    if (!height.empty()) {
        SetPointDist(code, height);
        PushM(evInstrumentHeight, height);
        m_InstrumentHeight = height;
    }
    AcceptedCheck();
}

void CImp3TA5::ReadCoordStation(const std::string& code) {
    if (!m_PointName.empty())
        PushM(evStation, m_PointName);
    std::string station_code = Next_Part(kField);
    if (!station_code.empty()) {
        m_bAccepted = 1;
        PushM(evCode, station_code);
        SetTCode(station_code);
    }
    ReadXYZ(code);
    AcceptedCheck();
}

void CImp3TA5::SetTCode(const std::string& code) {
    PushM(evCode, readers::Trim(code));
}

void CImp3TA5::ReadTrgNameCode() {
    if (!m_PointName.empty()) {
        m_bAccepted = 1;
        // The announced backsight was measured: nothing to add for it at the next header.
        if (m_PointName == readers::Trim(m_BackSightName))
            m_bBackSightPending = 0;
        PushM(evTarget, m_PointName);
    }
    std::string target_code = Next_Part(kField);
    if (!target_code.empty())
        PushM(evCode, target_code);
}

void CImp3TA5::ReadXYZ(const std::string& code) {
    for (EventID id : {evPointX, evPointY, evPointH}) PushDistField(code, id);
}

void CImp3TA5::ReadHaVa(const std::string& code) {
    std::string hz = Next_Part(kField);
    if (!hz.empty()) {
        SetPointAngle(code, hz);
        PushM(evHorAngle, hz);
    }
    std::string v = Next_Part(kField);
    if (!v.empty()) {
        SetPointAngle(code, v);
        PushInstr(code);
        PushM(evVertAngle, v);
    }
}

void CImp3TA5::PushInstr(const std::string& code) {
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
    m_BackSightName = readers::Trim(m_BackSightName);
    if (!m_BackSightName.empty()) {
        PushM(evTarget, m_BackSightName);
        // The direction is read in the unit of the header that gave it, not of the last record.
        const zut::angle_unit unit = m_AngleUnit;
        StateAngleUnit(m_BackSightUnit);
        PushM(evHorAngle, readers::Trim(m_BackSightDirection));
        StateAngleUnit(unit);
        m_BackSightDirection.clear();
        AcceptedCheck();
    }
    m_bBackSightPending = 0;
}

int CImp3TA5::SetUnits(const std::string& code) {
    const std::string c = readers::Trim(code);
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

void CImp3TA5::SetPointAngle(const std::string& code, std::string& value) {
    SetUnits(code);
    // A text that already has a point is in a readable form.
    if (value.find('.') != std::string::npos)
        return;
    value = m_AngleUnit == zut::au_dms ? readers::Ta5PackedDms(value)
                                       : readers::Ta5PackedDecimal(value);
}

void CImp3TA5::SetPointDist(const std::string& code, std::string& value) {
    SetUnits(code);
    if (value.empty())
        value.assign(1, '0');
    else if (value.find('.') == std::string::npos)
        value = readers::Ta5Millimetres(value);
}

int CImp3TA5::GetDate(const char* text, int64_t* time) {
    if (!text || !time)
        return 0;
    return readers::Ta5Date(text, time) ? 1 : 0;
}

CImp4TA5::CImp4TA5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CImp3TA5(project, site, info, 9 * kField, {zut::au_dms, zut::au_degree, zut::au_gon}) {}

void CImp4TA5::PushInstr(const std::string& code) {
    const char variant = CharAt(code, 1);
    const bool zenith = (variant == '0' || variant == '1') && CharAt(code, 3) == '2';
    PushM(evInstrument, zenith ? "Z" : "H");
}

void CImp4TA5::ReadStationRecord(const std::string& code) {
    ReadCoordStation(code);
}

void CImp4TA5::ReadTargetRecord(const std::string& code) {
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
