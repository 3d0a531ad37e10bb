#include "readers/nrdf/nrdf_reader.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "readers/text_helpers.h"

using readers::CutWord;
using readers::SeparatorRun;
using readers::Trim;

CImpNRDF::CImpNRDF(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CWImport(project, site, info) {}

CImpNRDF::~CImpNRDF() = default;

int CImpNRDF::Open(const std::string& path) {
    m_Scan = {};  // positions of another file mean nothing here
    return CWImport::Open(path);
}

int CImpNRDF::GetPressure(const char* text, double* value) {
    return ReadIntegerKind(text, value);
}

int CImpNRDF::GetTemperature(const char* text, double* value) {
    return ReadIntegerKind(text, value);
}

int CImpNRDF::GetPrecord(std::string_view field) {
    static constexpr std::string_view kCodes[] = {"CO", "ST", "SS", "MC", "MP", "F1",
                                                  "F2", "CP", "RE", "SO", "UP"};
    const std::string_view code = readers::TrimView(field);
    for (size_t i = 0; i < std::size(kCodes); ++i)
        if (code == kCodes[i])
            return static_cast<int>(i) + 1;
    return kUnknown;
}

// Two commas in a row are an empty field, so only one separator goes with each field.
std::string_view CImpNRDF::CutField() {
    return CutWord(m_Line, ',', SeparatorRun::Single);
}

// The accepted flag follows the last push of a record, not any push: each record sets it.
int CImpNRDF::PushValue(EventID id, std::string_view text) {
    return PushM(id, text, kPushSkipEmpty | kPushNoAccept);
}

int CImpNRDF::PushPlain(EventID id, std::string_view text) {
    return PushM(id, text, kPushNoAccept);
}

void CImpNRDF::SetTCode(std::string_view text) {
    PushValue(evCode, readers::TrimView(text));
}

int CImpNRDF::ReadEvents() {
    std::string& line = m_Text;
    for (;;) {
        if (!ReadRawLine(line)) {
            // A backsight still pending is observed at its station's end.
            if (m_bPendingBacksight) {
                SetBackSight();
                return 1;
            }
            if (!m_bAccepted)
                LogMessage(9018, {CurrentFileName()});
            return 0;
        }
        if (line.find("Start of Resection") != std::string::npos) {
            line = ResectionRecord();
            break;
        }
        if (line != "\n")
            break;
    }
    ClearEventList();
    m_nLastPush = 0;
    m_bFaceRecord = 0;
    const size_t lf = line.find('\n');
    if (lf != std::string::npos)
        line.resize(lf);
    m_Line = line;

    const int record = GetPrecord(CutField());
    switch (record) {
        case kComment:
            DecodeComment();
            break;
        case kStation:
            DecodeStation();
            break;
        case kFace1:
        case kFace2:
            m_bFaceRecord = 1;
            DecodeObservation(record);
            break;
        case kSideShot:
        case kCheckPoint:
        case kStakeOut:
            DecodeObservation(record);
            break;
        case kMeasuredPoint:
        case kManualPoint:
        case kResectionPoint:
        case kUploadedPoint:
            DecodePoint(record);
            break;
        default:
            break;
    }
    m_pSite->SetProgress(m_nLine);
    return 1;
}

// Degrees come as DDD.MMSSs or DDDMMSSs; the engine wants DDD.MM.SS.s.
std::string CImpNRDF::SetPointAngle(std::string_view in) const {
    if (m_AngleUnit != zut::au_dms)
        return std::string(in);
    std::string out;
    std::string digits;  // minutes, seconds and tenths, padded with zeros
    const size_t dot = in.find('.');
    if (dot != std::string_view::npos) {
        out.assign(dot > 0 ? in.substr(0, dot) : "000");
        digits.assign(in.substr(dot + 1));
        if (digits.size() < 5)
            digits.append(5 - digits.size(), '0');
    } else {
        digits.assign(in);
        if (digits.size() < 8)
            digits.append(8 - digits.size(), '0');
        out.assign(digits, 0, 3);
        digits.erase(0, 3);
    }
    return readers::DottedDms(out, digits);
}

void CImpNRDF::SetBackSight() {
    if (!m_bPendingBacksight) {
        m_bPendingBacksight = 1;
        return;
    }
    const std::string name = Trim(m_PendingBacksight);
    if (!name.empty()) {
        PushValue(evTarget, name);
        if (PushValue(evHorAngle, "000.00000"))
            m_bAccepted = 1;
    }
    m_bPendingBacksight = 0;
}

void CImpNRDF::DecodeStation() {
    m_BacksightAngle.clear();
    PushValue(evPressure, m_Pressure);
    PushValue(evTemperature, m_Temperature);
    SetBackSight();

    const std::string_view name = CutField();
    PushValue(evStation, name);
    if (!m_Date.empty()) {
        PushValue(evDate, m_Date);
        m_Date.clear();
    }
    if (name.empty())
        return;
    SetTCode(CutField());
    const std::string_view backsight = CutField();
    if (!backsight.empty()) {
        PushValue(evBacksight, backsight);
        m_PendingBacksight = backsight;
    }
    SetTCode(CutField());
    PushValue(evInstrumentHeight, CutField());
    CutField();  // not used
    const std::string_view angle = CutField();
    if (!angle.empty())
        BacksightLookAhead(SetPointAngle(angle));
    const std::string_view code = CutField();
    if (!code.empty()) {
        PushValue(evCode, code);
        SetTCode(code);
    }
    if (m_nLastPush)
        m_bAccepted = 1;
}

void CImpNRDF::DecodeObservation(int record) {
    const std::string_view target = CutField();
    if (target.empty())
        return;
    if (target == m_PendingBacksight)
        m_bPendingBacksight = 0;
    // Check and stake-out records have one more field before the target height.
    const bool layout_b = record == kCheckPoint || record == kStakeOut;
    if (layout_b)
        CutField();
    const std::string_view height = CutField();
    const std::string_view slope = CutField();
    const std::string_view hz = CutField();
    const std::string_view v = CutField();
    CutField();  // not used
    const std::string_view code = CutField();

    PushValue(evTarget, target);
    PushValue(evTargetHeight, height);
    PushValue(evSlopeDist, slope);
    if (!hz.empty()) {
        ShownAs shown(*this, hz);
        if (m_bFaceRecord)
            PushOrientedAngle(hz);
        else
            PushValue(evHorAngle, SetPointAngle(hz));
    }
    if (!v.empty()) {
        ShownAs shown(*this, v);
        PushValue(evVertAngle, SetPointAngle(v));
    }
    SetTCode(code);
    if (m_nLastPush)
        m_bAccepted = 1;
}

// Face records hold the circle reading; the station's backsight angle turns it into a direction
// of the station's own orientation.
void CImpNRDF::PushOrientedAngle(std::string_view field) {
    constexpr double kCircle = 2 * std::numbers::pi;
    zut::CAngular observed;
    if (!GetAngular(SetPointAngle(field).c_str(), &observed) || !observed.valid())
        return;
    double sum = observed;
    zut::CAngular backsight;
    if (!m_BacksightAngle.empty() && GetAngular(m_BacksightAngle.c_str(), &backsight) &&
        backsight.valid())
        sum += static_cast<double>(backsight);
    const bool negative = sum < 0;
    sum = std::fmod(std::fabs(sum), kCircle);
    if (negative)
        sum = -sum;

    zut::CLocUnits units;
    units.SetAngleUnit(m_AngleUnit);
    std::string text;
    if (m_AngleUnit == zut::au_dms) {
        // Written to tenths of seconds, then packed back into the file's DDD.MMSSs form.
        const int precision = zut::CAngular::precision(1);
        text = Trim(zut::CAngular(sum).write());
        zut::CAngular::precision(precision);
        const size_t dot = text.find('.');
        if (dot != std::string::npos)
            text.erase(std::remove(text.begin() + static_cast<long>(dot) + 1, text.end(), '.'),
                       text.end());
        text = SetPointAngle(text);
    } else {
        text = Trim(zut::CAngular(sum).write("%.6f"));
    }
    units.RestoreUnits();
    PushValue(evHorAngle, text);
}

void CImpNRDF::DecodePoint(int record) {
    const std::string_view name = CutField();
    if (name.empty())
        return;
    PushValue(evPointName, name);
    SetTCode(CutField());
    PushValue(evPointX, CutField());
    PushValue(evPointY, CutField());
    PushValue(evPointH, CutField());
    SetTCode(CutField());
    if (m_nLastPush)
        m_bAccepted = 1;
    const char* cls = record == kResectionPoint ? "P" : "B";
    if (record != kMeasuredPoint) {
        PushValue(evPlanClass, cls);
        PushValue(evHeightClass, cls);
    }
}
