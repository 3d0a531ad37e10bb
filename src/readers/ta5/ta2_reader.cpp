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

std::string_view CImp2TA5::CutWord() {
    return readers::CutWord(m_Line, ' ', readers::SeparatorRun::Single);
}

bool CImp2TA5::StrIsDigit(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

int CImp2TA5::SetUnits(std::string_view) {
    m_DistUnit = zut::du_metre;
    StateAngleUnit(zut::au_dms);
    return 1;
}

int CImp2TA5::GetPRecord(std::string_view line) {
    const std::string_view t = readers::TrimView(line);
    if (t.empty())
        return kNotANumber;
    if (t[0] == 'Z')
        return kHeader;
    if (t[0] == 'N')
        return t.size() > 1 ? 0 : kLoneN;
    const std::string_view number = t.substr(0, 2);
    if (StrIsDigit(number))
        return static_cast<int>(readers::AtoI(number));
    LogMessage(9027, {number});
    return kNotANumber;
}

void CImp2TA5::SetPointAngle(std::string_view source, std::string& target) {
    std::string_view t = readers::TrimView(source);
    const bool negative = !t.empty() && t[0] == '-';
    if (negative)
        t.remove_prefix(1);
    auto take_last_two = [&t] {
        const size_t n = std::min<size_t>(2, t.size());
        const std::string_view part = t.substr(t.size() - n);
        t.remove_suffix(n);
        return part.empty() ? std::string_view("00") : part;
    };
    const std::string_view seconds = take_last_two();
    const std::string_view minutes = take_last_two();
    const size_t first = t.find_first_not_of('0');
    const std::string_view degrees = first == std::string_view::npos ? "000" : t.substr(first);
    // Built apart first: `source` may be a view into `target`.
    std::string out(negative ? "-" : "");
    out.append(degrees).append(1, '.').append(minutes).append(1, '.').append(seconds);
    target = std::move(out);
}

void CImp2TA5::PushWord(EventID id, Value kind) {
    const std::string_view word = CutWord();
    if (word.empty())
        return;
    if (kind == Value::Text) {
        PushM(id, word);
        return;
    }
    if (kind == Value::Length)
        m_Value = readers::Ta5Millimetres(word);
    else
        SetPointAngle(word, m_Value);
    PushM(id, m_Value);
}

void CImp2TA5::SetBackSight() {
    if (!m_bBackSightPending) {
        m_bBackSightPending = 1;
        return;
    }
    m_BackSightName = readers::TrimView(m_BackSightName);
    if (!m_BackSightName.empty()) {
        PushM(evTarget, m_BackSightName);
        PushM(evHorAngle, "0000000");
        if (m_nLastPush)
            m_bAccepted = 1;
    }
    m_bBackSightPending = 0;
}

int CImp2TA5::ReadEvents() {
    std::string_view line;
    for (;;) {
        if (!ReadRawLine(m_Text)) {
            if (m_bBackSightPending) {
                SetBackSight();
                return 1;
            }
            if (!m_bAccepted)
                LogMessage(9018, {CurrentFileName()});
            return 0;
        }
        line = m_Text;
        if (!line.empty() && line.back() == '\n')
            line.remove_suffix(1);
        line = readers::TrimView(line);
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
            m_Line.remove_prefix(1);
            if (std::string_view name = CutWord(); !name.empty())
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
    m_Line.remove_prefix(1);
    PushWord(evDate, Value::Text);
    m_StationName = CutWord();
    if (!m_StationName.empty())
        PushM(evStation, m_StationName);
    m_BackSightName = CutWord();
    if (!m_BackSightName.empty())
        PushM(evBacksight, m_BackSightName);
    const std::string_view direction = CutWord();
    if (!direction.empty() && !m_StationName.empty() && !m_BackSightName.empty()) {
        PushM(evDirectionName, m_StationName + "\\" + m_BackSightName);
        SetPointAngle(direction, m_Value);
        PushM(evDirectionAngle, m_Value);
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
    if (readers::TrimView(m_PointName) == readers::TrimView(m_BackSightName))
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
    return readers::Ta5Date(text, time, m_Clock) ? 1 : 0;
}
