#include "readers/elta/elta_m5_reader.h"

#include <array>

#include "readers/text_helpers.h"

namespace {
constexpr int kMaxWidth = 28;
constexpr std::array<const char*, 4> kColumnKeys{"NameStart", "NameWidth", "CodeStart",
                                                 "CodeWidth"};
}  // namespace

CImpELTAC_M5::CImpELTAC_M5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
                           std::string format)
    : CImpELTAR4(project, site, info, std::move(format)) {
    m_ColumnKeys = &kColumnKeys;
    m_bCoordinatesAreData = true;
    ResetState();
}

CImpELTAC_M5::~CImpELTAC_M5() = default;

void CImpELTAC_M5::ResetState() {
    CImpELTAR4::ResetState();
    m_HeldHz.clear();
    m_HeldV.clear();
    m_HeldTh.clear();
    m_bStationPending = 0;
    m_bStationKnown = 0;
    ImportSettings defaults;
    const ImportSettings& s = m_pSite ? m_pSite->Settings() : defaults;
    m_Columns = ClampColumns(s.NameStart, s.NameWidth, s.CodeStart, s.CodeWidth, kMaxWidth);
    m_bStandardHeader = s.StnM5Def != 0;
}

// M5 fields keep their blanks: the name and code columns count them.
std::string_view CImpELTAC_M5::CutWord(std::string_view& text, char separator) {
    return readers::CutWord(text, separator, readers::SeparatorRun::Single,
                            readers::WordBlanks::Keep);
}

void CImpELTAC_M5::BreakCodeAndPoint(std::string_view value, std::string& code,
                                     std::string& point) {
    point = Column(value, m_Columns.name_start, m_Columns.name_width);
    code = Column(value, m_Columns.code_start, m_Columns.code_width);
    NoteName(point, value);
}

void CImpELTAC_M5::TestForStation(std::string_view text) {
    if (!Has(text, "STAT."))
        return;
    m_bStationPending = 1;
    m_HeldTh.clear();
    m_bStationKnown = 0;
}

void CImpELTAC_M5::PushAngle(EventID event, std::string& value) {
    if (m_nSetHz == 1) {
        (event == evHorAngle ? m_HeldHz : m_HeldV) = value;
        return;
    }
    if (m_nSetHz == 2 || !Measuring())
        return;
    PushM(event, value);
}

void CImpELTAC_M5::PushHi() {
    if (Measuring())
        PushM(evInstrumentHeight, m_Value);
}

void CImpELTAC_M5::PushTh() {
    if (!Measuring()) {
        // Given before the station it belongs to: kept until that station is pushed.
        if (m_bStationPending)
            m_HeldTh = m_Value;
        return;
    }
    if (m_bNoReflector)
        m_Value = "0.0";
    PushM(evTargetHeight, m_Value);
    CheckAccepted();
}

void CImpELTAC_M5::PushCode(const std::string& code) {
    if (!code.empty())
        PushM(evCode, code);
}

void CImpELTAC_M5::PushSomeThing(std::string_view value, std::string& code, std::string& point) {
    if (Has(m_Line, "|dm") && Has(m_Line, "|nD")) {
        m_Line = {};
        return;
    }
    BreakCodeAndPoint(value, code, point);

    // The point that "Set Hz" oriented to: it takes the held readings.
    if (Measuring() && m_nSetHz == 1) {
        PushName(evTarget, point);
        PushCode(code);
        PushM(evHorAngle, m_HeldHz);
        m_HeldHz.clear();
        if (!m_HeldV.empty()) {
            PushM(evVertAngle, m_HeldV);
            m_HeldV.clear();
        } else {
            PushM(evCircleFace, "L");
        }
        ++m_nSetHz;
        return;
    }

    // The line may end in a mark after its last bar; "O" marks the station.
    m_Line = m_Line.substr(0, m_Line.find_last_not_of(" \t\r\n\v\f") + 1);
    const char mark = m_Line.empty() ? '\0' : m_Line.back();
    if (mark != '|' && mark != 'O' && !m_Line.empty())
        m_Line.remove_suffix(1);

    if (mark == 'O' && !m_bStandardHeader) {
        if (point.empty())
            return;
        PushM(evStation, point);
        m_bStationKnown = 1;
        PushCode(code);
        m_Line.remove_suffix(1);
        CheckAccepted();
        m_bNoReflector = 0;
        return;
    }

    const bool north = Has(m_Line, "X") || Has(m_Line, "N_") || Has(m_Line, "N");
    const bool east = Has(m_Line, "Y") || Has(m_Line, "E_") || Has(m_Line, "E");
    if (north && east) {
        if (!m_bStationPending && !m_bStandardHeader) {
            if (m_bStationKnown) {
                PushName(evPointName, point);
                PushCode(code);
            }
            return;
        }
        m_bStationPending = 0;
        PushName(evStation, point);
        PushCode(code);
        m_bStationKnown = 1;
        if (!m_HeldTh.empty()) {
            std::string value_token = std::move(m_Value);
            m_Value = std::move(m_HeldTh);
            PushTh();
            m_Value = std::move(value_token);
            m_HeldTh.clear();
        }
        m_bNoReflector = 0;
        return;
    }

    // Helper records of computations and set-up records name no target.
    const bool dropped = (Has(m_Line, "X") && Has(m_Line, "N") && Has(m_Line, "_N")) ||
                         (Has(m_Line, "Y") && Has(m_Line, "E") && Has(m_Line, "_E")) ||
                         Has(m_Line, "|ih") || Has(m_Line, "|Om") || Has(m_Line, "|s") ||
                         !Measuring();
    if (dropped)
        return;
    PushName(evTarget, point);
    PushCode(code);
}
