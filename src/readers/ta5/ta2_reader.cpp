#include "readers/ta5/ta2_reader.h"

#include "readers/ta5/ta5_values.h"
#include "readers/text_helpers.h"

CImp2TA5::CImp2TA5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CWImport(project, site, info) {}

CImp2TA5::~CImp2TA5() = default;

int CImp2TA5::PushM(EventID id, std::string_view text) {
    // The records decide which pushes mark the file accepted.
    return CWImport::PushM(id, text, kPushPlain | kPushNoAccept);
}

std::string CImp2TA5::CutWord() {
    return readers::CutWord(m_Line, ' ', readers::SeparatorRun::Single);
}

bool CImp2TA5::StrIsDigit(const std::string& text) {
    return text.find_first_not_of("0123456789") == std::string::npos;
}

int CImp2TA5::SetUnits(const std::string&) {
    m_DistUnit = zut::du_metre;
    m_AngleUnit = zut::au_dms;
    return 1;
}

int CImp2TA5::GetPRecord(const std::string& line) {
    const std::string t = readers::Trim(line);
    if (t.empty())
        return kNotANumber;
    if (t[0] == 'Z')
        return kHeader;
    if (t[0] == 'N')
        return t.size() > 1 ? 0 : kLoneN;
    const std::string number = readers::Copy(t, 1, 2);
    if (StrIsDigit(number))
        return static_cast<int>(readers::AtoI(number));
    LogMessage(9027, {number});
    return kNotANumber;
}

void CImp2TA5::SetLengthDist(std::string& value) {
    value = readers::Ta5Millimetres(value);
}

void CImp2TA5::SetPointAngle(const std::string& source, std::string& target) {
    std::string t(readers::TrimView(source));
    const bool negative = !t.empty() && t[0] == '-';
    if (negative)
        t.erase(0, 1);
    auto take_last_two = [&t] {
        const size_t n = std::min<size_t>(2, t.size());
        std::string part = t.substr(t.size() - n);
        t.resize(t.size() - n);
        return part.empty() ? std::string("00") : part;
    };
    const std::string seconds = take_last_two();
    const std::string minutes = take_last_two();
    const size_t first = t.find_first_not_of('0');
    std::string degrees = first == std::string::npos ? "000" : t.substr(first);
    if (negative)
        degrees.insert(0, 1, '-');
    target = degrees + "." + minutes + "." + seconds;
}

void CImp2TA5::PushWord(EventID id, Value kind) {
    std::string word = CutWord();
    if (word.empty())
        return;
    if (kind == Value::Length)
        SetLengthDist(word);
    else if (kind == Value::Angle)
        SetPointAngle(word, word);
    PushM(id, word);
}

void CImp2TA5::SetBackSight() {
    if (!m_bBackSightPending) {
        m_bBackSightPending = 1;
        return;
    }
    m_BackSightName = readers::Trim(m_BackSightName);
    if (!m_BackSightName.empty()) {
        PushM(evTarget, m_BackSightName);
        PushM(evHorAngle, "0000000");
        if (m_nLastPush)
            m_bAccepted = 1;
    }
    m_bBackSightPending = 0;
}

int CImp2TA5::ReadEvents() {
    std::string line;
    for (;;) {
        if (!ReadRawLine(line)) {
            if (m_bBackSightPending) {
                SetBackSight();
                return 1;
            }
            if (!m_bAccepted)
                LogMessage(9018, {CurrentFileName()});
            return 0;
        }
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        line = readers::Trim(line);
        if (!line.empty())
            break;
    }
    ClearEventList();
    if (m_bUnitsNotSet) {
        SetUnits(line);
        m_bUnitsNotSet = 0;
    }
    m_Line = line;
    m_nLastPush = 0;
    const int kind = GetPRecord(line);
    switch (kind) {
        case kHeader:
            ReadHeader();
            break;
        case 0:
            // "N" and record 00 name the point that the following records refer to.
            m_Line.erase(0, 1);
            if (std::string name = CutWord(); !name.empty())
                m_PointName = name;
            break;
        case kLoneN:
            if (m_bBackSightPending)
                SetBackSight();
            break;
        case 1:
        case 2:
        case 3:
        case 4:
            ReadMeasurement(kind);
            break;
        default:
            break;
    }
    if ((kind == kHeader || (kind >= 1 && kind <= 4)) && m_nLastPush)
        m_bAccepted = 1;
    if (m_pSite)
        m_pSite->SetProgress(m_nLine);
    return 1;
}

void CImp2TA5::ReadHeader() {
    // The previous station's backsight is settled here, and this header's own is pending from
    // now on, so that two headers in a row both get theirs.
    SetBackSight();
    m_bBackSightPending = 1;
    m_Line.erase(0, 1);
    PushWord(evDate, Value::Text);
    m_StationName = CutWord();
    if (!m_StationName.empty())
        PushM(evStation, m_StationName);
    m_BackSightName = CutWord();
    if (!m_BackSightName.empty())
        PushM(evBacksight, m_BackSightName);
    std::string direction = CutWord();
    if (!direction.empty() && !m_StationName.empty() && !m_BackSightName.empty()) {
        PushM(evDirectionName, m_StationName + "\\" + m_BackSightName);
        SetPointAngle(direction, direction);
        PushM(evDirectionAngle, direction);
    }
    PushWord(evInstrumentHeight, Value::Length);
}

void CImp2TA5::ReadMeasurement(int record) {
    if (record == 3) {
        if (!m_PointName.empty())
            PushM(evPointName, m_PointName);
        CutWord();  // the record's own number
        for (EventID id : {evPointX, evPointY, evPointH, evTargetHeight})
            PushWord(id, Value::Length);
        return;
    }
    if (readers::Trim(m_PointName) == readers::Trim(m_BackSightName))
        m_bBackSightPending = 0;
    if (!m_PointName.empty())
        PushM(evTarget, m_PointName);
    CutWord();  // the record's own number
    switch (record) {
        case 1:
            PushWord(evTargetHeight, Value::Length);
            PushWord(evHorAngle, Value::Angle);
            PushWord(evVertAngle, Value::Angle);
            PushWord(evCode, Value::Text);
            break;
        case 2:
            PushWord(evSlopeDist, Value::Length);
            PushWord(evTargetHeight, Value::Length);
            PushWord(evHorAngle, Value::Angle);
            PushWord(evVertAngle, Value::Angle);
            PushWord(evCode, Value::Text);
            break;
        case 4:
            PushWord(evHorAngle, Value::Angle);
            PushWord(evHorDist, Value::Length);
            PushWord(evCode, Value::Text);
            break;
    }
}

int CImp2TA5::GetDate(const char* text, int64_t* time) {
    if (!text || !time)
        return 0;
    return readers::Ta5Date(text, time) ? 1 : 0;
}
