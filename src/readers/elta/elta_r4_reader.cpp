#include "readers/elta/elta_r4_reader.h"

#include <algorithm>
#include <array>

#include "readers/text_helpers.h"
#include "resources/strings.h"

namespace {

constexpr std::array<std::string_view, 25> kTypeWords = {
    "None", "PI", "TI", "TG", "KR", "TR", "ADR", "X",  "N",  "N_", "Y",  "E", "E_",
    "Z",    "SD", "HD", "Hz", "V1", "V2", "V3",  "th", "ih", "h",  "T_", "P"};

enum TypeIndex : unsigned {
    kNone = 0,
    kPI = 1,
    kTI = 2,
    kKR = 4,
    kFirstWithUnit = 7,  // X: from here on a number and a unit word follow
    kX = 7,
    kN_ = 9,
    kY = 10,
    kE_ = 12,
    kZ = 13,
    kSD = 14,
    kHD = 15,
    kHz = 16,
    kV1 = 17,
    kV3 = 19,
    kTh = 20,
    kIh = 21,
    kH = 22,
    kT = 23,
    kP = 24,
};

unsigned TypeOf(std::string_view word) {
    // A numbered type word ("PI1") counts as the plain one: a digit third goes.
    std::array<char, 3> plain{};
    if (word.size() >= 3 && word[2] >= '0' && word[2] <= '9') {
        if (word.size() > plain.size() + 1)
            return kNone;  // longer than any type word even without the digit
        plain = {word[0], word[1], word.size() > 3 ? word[3] : '\0'};
        word = std::string_view(plain.data(), word.size() - 1);
    }
    if (word.empty())
        return kNone;
    for (unsigned i = 0; i < kTypeWords.size(); ++i)
        if (kTypeWords[i][0] == word[0] && kTypeWords[i] == word)
            return i;
    return kNone;
}

constexpr std::string_view kRec500 = "Rec 500";

}  // namespace

std::span<const std::string_view> CImpELTAR4::TypeWords() {
    return kTypeWords;
}

CImpELTAR4::CImpELTAR4(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
                       std::string format)
    : CWImport(project, site, info),
      m_Format(std::move(format)),
      m_bRec500(m_Format == kRec500),
      m_bSpaceCheck(m_Format == "For R4" || m_Format == "For R5") {}

CImpELTAR4::~CImpELTAR4() = default;

int CImpELTAR4::IsStrBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos ? 1 : 0;
}

void CImpELTAR4::DoImport() {
    // Unit words change the units for what follows; each pass starts from the same units.
    const auto dist = m_DistUnit;
    const auto angle = m_AngleUnit;
    const auto pres = m_PresUnit;
    const auto temp = m_TempUnit;
    auto restore_units = [&] {
        m_DistUnit = dist;
        m_AngleUnit = angle;
        m_PresUnit = pres;
        m_TempUnit = temp;
    };
    RunHooks hooks;
    hooks.before_pass = [&](int) {
        restore_units();
        ResetState();
    };
    RunFiles(hooks);
    restore_units();
}

void CImpELTAR4::ResetState() {
    m_Line = {};
    m_Station.clear();
    m_Value.clear();
    m_bNoReflector = 0;
    m_nSetHz = 0;
    m_nHidden = 0;
    m_bSMark = false;
    m_nNamed = m_nNameless = 0;
    m_FirstColumnText.clear();
}

int CImpELTAR4::GetPressure(const char* text, double* value) {
    return ReadIntegerKind(text, value);
}

int CImpELTAR4::GetTemperature(const char* text, double* value) {
    return ReadIntegerKind(text, value);
}

int CImpELTAR4::PushM(EventID id, std::string_view text) {
    return CWImport::PushM(id, text, kPushSkipEmpty | kPushNoAccept);
}

int CImpELTAR4::ReadEvents() {
    std::string& line = m_Text;
    do {
        if (!ReadRawLine(line)) {
            if (!m_bAccepted)
                LogMessage(9018, {CurrentFileName()});
            ReportNoNames();
            return 0;
        }
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
    } while (line.empty());
    ClearEventList();

    // The S mark is read off the line as the instrument wrote it.
    m_bSMark = Has(line, "Z") && line.size() > 31 && line[31] == 'S';
    if (!m_bRec500)
        line.erase(0, std::min(line.size(), line.find_first_not_of(" \t\r\v\f")));
    m_Line = PrepareString(line);

    const std::string_view head = CutWord(m_Line, '|');
    if (!m_bRec500 && head != m_Format)
        LogMessage(9019, {});

    m_nLastPush = 0;
    while (!m_Line.empty()) {
        std::string_view value;
        const std::string_view key = ReadWord(value);
        if (key.empty())
            continue;
        const unsigned type = TypeOf(key);
        std::string_view units;
        m_ValueAsInFile.clear();
        GetUnits(type, value, units);
        m_Value = value;
        SetUnits(m_Value, units);
        ApplyField(type);
    }
    if (m_pSite)
        m_pSite->SetProgress(m_nLine);
    return 1;
}

std::string_view CImpELTAR4::ReadWord(std::string_view& value) {
    value = CutWord(m_Line, '|');
    if (value.empty())
        return {};
    const size_t space = value.find(' ');
    if (space == std::string_view::npos) {
        if (m_bSpaceCheck)
            LogMessage(9117, {value});
        return {};
    }
    const std::string_view key = value.substr(0, space);
    value.remove_prefix(space + 1);
    return key;
}

void CImpELTAR4::ApplyField(unsigned type) {
    switch (type) {
        case kPI:
        case kKR:
            PointRule();
            break;
        case kTI:
            TextRule();
            break;
        case kX:
        case kX + 1:
        case kN_:
            PushM(evPointX, m_Value);
            if (m_bCoordinatesAreData)
                CheckAccepted();
            break;
        case kY:
        case kY + 1:
        case kE_:
            PushM(evPointY, m_Value);
            if (m_bCoordinatesAreData)
                CheckAccepted();
            break;
        case kZ:
            PushM(evPointH, m_Value);
            if (m_bCoordinatesAreData)
                CheckAccepted();
            break;
        case kSD:
            PushM(evSlopeDist, m_Value);
            CheckAccepted();
            break;
        case kHD:
            PushM(evHorDist, m_Value);
            CheckAccepted();
            break;
        case kH:
            PushM(evHeightDiff, m_Value);
            CheckAccepted();
            break;
        case kHz:
        case kV1:
        case kV1 + 1:
        case kV3: {
            ShownAs shown(*this, m_ValueAsInFile);
            PushAngle(type == kHz ? evHorAngle : evVertAngle, m_Value);
            CheckAccepted();
            break;
        }
        case kTh:
            PushTh();
            break;
        case kIh:
            PushHi();
            break;
        case kT:
            PushM(evTemperature, m_Value);
            break;
        case kP:
            PushM(evPressure, m_Value);
            break;
        default:
            break;  // TG, TR, ADR and unknown words carry nothing to push
    }
}

void CImpELTAR4::PointRule() {
    // Records that only announce a computation name no point.
    static constexpr std::string_view kProgramTitles[] = {
        "INTERSECTION", "COORDINATES", "MEASURE", "FREE STATIONING", "SINGLE POINT ADJUSTMENT",
        "INPUT VALUE"};
    for (std::string_view title : kProgramTitles) {
        if (Has(m_Value, title)) {
            m_Value.clear();
            return;
        }
    }
    // A hidden point is stored as helper records: the two point records after the text record
    // are the helpers, the third is the point unless its line goes on with "dT".
    if (m_nHidden > 0) {
        ++m_nHidden;
        if (m_nHidden == 5) {
            m_nHidden = 0;
        } else if (m_nHidden == 4) {
            if (m_Line.starts_with("dT")) {
                m_Line = {};
                return;
            }
            m_nHidden = 0;
        } else {
            m_Value.clear();
            return;
        }
    }
    if (m_bSMark)
        return;
    std::string code, point;
    PushSomeThing(m_Value, code, point);
}

void CImpELTAR4::TextRule() {
    m_Value = readers::Trim(m_Value);
    if (Has(m_Value, "NORMAL REFLECTOR         PR")) {
        m_bNoReflector = 0;
        m_Value.clear();
    } else if (Has(m_Value, "NO REFLECTOR             DR")) {
        m_bNoReflector = 1;
        PushTh();
        m_Value.clear();
    } else if (m_Value == "Set Hz") {
        ++m_nSetHz;
    } else if (m_Value == "HIDDEN POINT") {
        ++m_nHidden;
        m_Value.clear();
    } else if (m_nSetHz == 2) {
        m_nSetHz = 0;
        m_Value.clear();
    } else {
        TestForStation(m_Value);
    }
}

std::string_view CImpELTAR4::CutWord(std::string_view& text, char separator) {
    return readers::CutWord(text, separator, readers::SeparatorRun::Single);
}

std::string_view CImpELTAR4::CutWord(std::string_view& text, int count) {
    return readers::TrimView(readers::CutWord(text, static_cast<long>(count)));
}

void CImpELTAR4::PushAngle(EventID event, std::string& value) {
    PushM(event, value);
}

void CImpELTAR4::GetUnits(unsigned type, std::string_view& value, std::string_view& units) {
    units = {};
    if (type < kFirstWithUnit)
        return;
    std::string_view rest = readers::TrimView(value);
    if (rest.find(' ') == std::string_view::npos) {
        LogMessage(9116, {rest});
        return;
    }
    value = CutWord(rest, ' ');
    units = readers::TrimView(rest);
}

int CImpELTAR4::SetUnits(std::string& value, std::string_view units) {
    if (units.empty())
        return 0;
    if (units == "m") {
        m_DistUnit = zut::du_metre;
    } else if (units == "ft") {
        m_DistUnit = zut::du_foot;
    } else if (units == "DMS") {
        m_ValueAsInFile = value;
        value = RewriteDms(value, true);
        StateAngleUnit(zut::au_dms);
    } else if (units == "deg") {
        StateAngleUnit(zut::au_degree);
    } else if (units == "grd") {
        StateAngleUnit(zut::au_gon);
    } else if (units == "mil") {
        StateAngleUnit(zut::au_mil);
    } else if (units == "Torr") {
        // These files have always set code 2 for Torr and 0 for InMerc. The pressure is read
        // as a plain integer, so the unit code changes no value.
        m_PresUnit = static_cast<zut::pres_unit>(2);
    } else if (units == "InMerc") {
        m_PresUnit = static_cast<zut::pres_unit>(0);
    } else if (units == "hPa") {
        m_PresUnit = zut::pu_hpa;
    } else if (units == "C") {
        m_TempUnit = zut::tu_celsius;
    } else if (units == "F") {
        m_TempUnit = zut::tu_fahrenheit;
    }
    return 1;
}

std::string CImpELTAR4::RewriteDms(std::string_view value, bool point_in_seconds) {
    std::string_view degrees;
    std::string_view rest = value;
    const size_t dot = rest.find('.');
    if (dot != std::string_view::npos) {
        degrees = readers::TrimView(rest.substr(0, dot));
        rest.remove_prefix(dot + 1);
    }
    const char padded[] = {'0', '0', rest.empty() ? '\0' : rest[0]};
    if (rest.size() < 2)
        rest = std::string_view(padded + rest.size(), 2);
    const std::string_view minutes = readers::TrimView(rest.substr(0, 2));
    const std::string_view seconds = readers::TrimView(rest.substr(2));
    std::string out;
    out.reserve(degrees.size() + minutes.size() + seconds.size() + 3);
    out.append(degrees).append(1, ' ').append(minutes).append(1, ' ');
    if (seconds.empty())
        out += '0';
    else if (point_in_seconds && seconds.size() > 2)
        out.append(seconds.substr(0, 2)).append(1, '.').append(seconds.substr(2));
    else
        out.append(seconds);
    return out;
}

std::string_view CImpELTAR4::PrepareString(std::string& line) {
    return line;
}

void CImpELTAR4::BreakCodeAndPoint(std::string_view value, std::string& code, std::string& point) {
    code = CutWord(value, 3);
    point = CutWord(value, 4);
}

namespace {

// "....+....1....+....2" over `width` columns: column numbers for a text shown beneath it.
std::string ColumnRuler(size_t width) {
    std::string ruler;
    for (size_t c = 1; c <= width; ++c)
        ruler += c % 10 == 0 ? static_cast<char>('0' + (c / 10) % 10) : c % 5 == 0 ? '+' : '.';
    return ruler;
}

}  // namespace

void CImpELTAR4::PushName(EventID id, const std::string& name) {
    if (name.empty())
        Push(id, "");  // refused, and ends the point before it
    else
        PushM(id, name);
}

void CImpELTAR4::NoteName(const std::string& point, std::string_view column_text) {
    ++(point.empty() ? m_nNameless : m_nNamed);
    if (m_FirstColumnText.empty())
        m_FirstColumnText = column_text;
}

void CImpELTAR4::ReportNoNames() {
    const bool none = m_ColumnKeys && m_nNameless > 0 && m_nNamed == 0;
    m_nNamed = m_nNameless = 0;
    if (!none)
        return;
    const auto& keys = *m_ColumnKeys;
    const int values[] = {m_Columns.name_start, m_Columns.name_width, m_Columns.code_start,
                          m_Columns.code_width};
    std::string settings;
    for (size_t i = 0; i < keys.size(); ++i)
        settings += (i ? ", " : "") + std::string(keys[i]) + "=" + std::to_string(values[i]);
    const std::string names = std::string(keys[0]) + ", " + keys[1];
    // Said of the whole file, so without the line prefix.
    m_pProject->ImportLog().Write(
        res::Format(res::LoadString(res::kNoNamesMessage),
                    {CurrentFileName(), settings, ColumnRuler(m_FirstColumnText.size()),
                     ToUtf8(m_FirstColumnText), names}),
        0, 2);
    m_FirstColumnText.clear();
}

void CImpELTAR4::PushSomeThing(std::string_view value, std::string& code, std::string& point) {
    BreakCodeAndPoint(value, code, point);
    if (point.empty()) {
        const bool north = Has(m_Line, "X") || Has(m_Line, "N");
        const bool east = Has(m_Line, "Y") || Has(m_Line, "E");
        PushName(north && (east || Has(m_Line, "Z")) ? evPointName : evTarget, point);
    } else {
        const bool north = Has(m_Line, "X") || Has(m_Line, "N");
        const bool east = Has(m_Line, "Y") || Has(m_Line, "E");
        if (!north && !east && Has(m_Line, "Z") && !Has(m_Line, "HD")) {
            // Only a height: before any station it has nothing to belong to.
            if (m_Station.empty()) {
                m_Line = {};
                return;
            }
        } else if (north && (east || Has(m_Line, "Z"))) {
            // A point with coordinates is where the instrument stands.
            m_Station = point;
            PushM(evStation, point);
        } else {
            PushM(evTarget, point);
        }
    }
    if (!code.empty())
        PushM(evCode, code);
}

void CImpELTAR4::PushTh() {
    if (!m_Station.empty()) {
        if (m_bNoReflector)
            m_Value = "0.0";
        m_bNoReflector = 0;
    }
    if (m_bNoReflector)
        m_Value = "0.0";
    PushM(evTargetHeight, m_Value);
    CheckAccepted();
}

void CImpELTAR4::PushHi() {
    PushM(evInstrumentHeight, m_Value);
}

void CImpELTAR4::TestForStation(std::string_view) {}

CImpELTAR4::Columns CImpELTAR4::ClampColumns(int name_start, int name_width, int code_start,
                                             int code_width, int max_width) {
    constexpr int kLastColumn = 28;
    return {std::clamp(name_start, 1, kLastColumn), std::clamp(name_width, 0, max_width),
            std::clamp(code_start, 1, kLastColumn), std::clamp(code_width, 0, max_width)};
}

std::string CImpELTAR4::Column(std::string_view text, int start, int width) {
    return readers::Trim(readers::Copy(text, start, width));
}
