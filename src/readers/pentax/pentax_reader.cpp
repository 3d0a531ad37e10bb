#include "readers/pentax/pentax_reader.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "readers/text_helpers.h"
#include "text/code_page.h"

using readers::CutUpTo;
using readers::CutWord;

namespace {

struct KeywordEvent {
    std::string_view keyword;
    EventID id;
};

// Keyword records that push their value as it stands (angles are rewritten first).
constexpr std::array kKeywordEvents{
    KeywordEvent{"STS", evStation},          KeywordEvent{"STC", evCode},
    KeywordEvent{"INH", evInstrumentHeight}, KeywordEvent{"TMP", evTemperature},
    KeywordEvent{"PRS", evPressure},         KeywordEvent{"PPM", evPpm},
    KeywordEvent{"PPD", evTarget},           KeywordEvent{"PPC", evCode},
    KeywordEvent{"PPH", evTargetHeight},     KeywordEvent{"RTH", evHorAngle},
    KeywordEvent{"RTV", evVertAngle},        KeywordEvent{"RTD", evSlopeDist},
};

std::string_view WithoutLineFeed(std::string_view text) {
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    return text;
}

}  // namespace

CImpPENTAX::CImpPENTAX(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CWImport(project, site, info) {
    m_Text.reserve(platform::TextFile::kReadLimit + 1);
    m_Next.reserve(platform::TextFile::kReadLimit + 1);
}

CImpPENTAX::~CImpPENTAX() = default;

int CImpPENTAX::PushM(EventID id, std::string_view text) {
    int r = CWImport::PushM(id, text, kPushSkipEmpty | kPushProgress);
    if (!text.empty())
        m_nLineAccepted = r;
    return r;
}

int CImpPENTAX::GetLinear(const char* text, zut::CLinear* value) {
    return ReadLinear(text, value, ValueVariant::E);
}

int CImpPENTAX::GetAngular(const char* text, zut::CAngular* value) {
    return ReadAngular(text, value, ValueVariant::E);
}

int CImpPENTAX::GetPressure(const char* text, double* value) {
    return ReadPressureParsed(text, value);
}

int CImpPENTAX::GetTemperature(const char* text, double* value) {
    return ReadTemperatureParsed(text, value);
}

void CImpPENTAX::DoImport() {
    RunHooks hooks;
    hooks.before_file = [this](const std::string& path, int) {
        m_nFileAccepted = 0;
        return SetFileType(path, std::filesystem::path(path).extension().string());
    };
    RunFiles(hooks);
}

bool CImpPENTAX::SetFileType(const std::string& path, const std::string& extension) {
    // The extension decides without a look inside, and only in lower case.
    if (extension == ".csv") {
        m_nFileType = kPointsCsv;
        return true;
    }
    if (extension == ".aux") {
        m_nFileType = kKeywordAux;
        return true;
    }
    platform::TextFile file;
    // A file that cannot be opened here fails later, in the load, with its own message.
    if (!file.Open(path, platform::TextFile::Read))
        return true;
    std::string first;
    if (!file.ReadLine(first))
        first.clear();
    const std::string_view line = first;
    if (line.starts_with("ENQ:")) {
        m_nFileType = kKeywordPlain;
    } else if (line.starts_with("0000ENQ:")) {
        m_nFileType = kKeywordEnq;
    } else if (line.starts_with("0001STL:")) {
        m_nFileType = kKeywordAux;
    } else if (line.starts_with("00011:")) {
        m_nFileType = kPointsColon;
    } else if (std::count(line.begin(), line.end(), ',') == 5) {
        m_nFileType = kPointsCsv;
    } else {
        LogMessage(9018, {path});
        return false;
    }
    return true;
}

int CImpPENTAX::Open(const std::string& path) {
    m_bHaveNext = false;
    m_Next.clear();
    return CWImport::Open(path);
}

bool CImpPENTAX::NextLine(std::string& line) {
    if (!m_bHaveNext)
        return ReadRawLine(line);
    line.swap(m_Next);
    m_bHaveNext = false;
    ++m_nLine;
    return true;
}

int CImpPENTAX::ReadEvents() {
    do {
        if (!NextLine(m_Text)) {
            if (!m_nFileAccepted)
                LogMessage(9018, {CurrentFileName()});
            return 0;
        }
        // Blanks off both ends; the line feed is not a blank and stays.
        m_Line = readers::TrimView(m_Text);
    } while (m_Line.empty());

    // The line after this one decides whether this record is superseded.
    m_bHaveNext = m_File.ReadLine(m_Next);
    if (!m_bHaveNext)
        m_Next.clear();

    ClearEventList();
    m_nLineAccepted = 0;
    if (m_nFileType == kPointsColon || m_nFileType == kPointsCsv)
        ReadDataP();
    else
        ReadDataI();
    if (m_nLineAccepted)
        m_nFileAccepted = 1;
    return 1;
}

void CImpPENTAX::ReadDataP() {
    if (m_nFileType == kPointsCsv) {
        PushPoint();
        return;
    }
    // The fourth character tells the kind of line: "00011:" is the header, "00021:" a point.
    if (m_Line.size() < 4)
        return;
    if (m_Line[3] == '1') {
        CutWord(m_Line, 6L);
        if (m_Line.find(':') != std::string_view::npos)
            m_pProject->title = ToUtf8(CutUpTo(m_Line, ':'));
    } else if (m_Line[3] == '2') {
        PushPoint();
    }
}

void CImpPENTAX::PushPoint() {
    if (m_nFileType == kPointsColon) {
        CutUpTo(m_Line, ':');
        CutWord(m_Line, 1L);
    }
    // Each field runs up to its comma; a field without one is empty.
    auto field = [this] {
        const std::string_view word = CutUpTo(m_Line, ',');
        CutWord(m_Line, 1L);
        return word;
    };
    PushM(evPointName, field());
    const std::string_view x = field();
    const std::string_view y = field();
    const std::string_view h = field();
    if (m_nFileType == kPointsCsv) {
        const std::string_view code = CutUpTo(m_Line, ',');
        // The code number carries the point's class: odd codes a known plan position, 2, 3, 6
        // and 7 a known height.
        const long kind = readers::AtoI(code);
        if (kind == 1 || kind == 3 || kind == 5 || kind == 7 || kind == 9)
            PushM(evPlanClass, "Base");
        if (kind == 2 || kind == 3 || kind == 6 || kind == 7)
            PushM(evHeightClass, "Base");
        PushM(evCode, code);
    }
    PushM(evPointX, x);
    PushM(evPointY, y);
    PushM(evPointH, h);
}

std::string_view CImpPENTAX::GetCode() {
    if (HasPrefix())
        CutWord(m_Line, 4L);
    const std::string_view keyword = CutWord(m_Line, 3L);
    // Of consecutive records with the same keyword only the last one counts.
    const long at = HasPrefix() ? 5 : 1;
    if (m_Next.size() >= static_cast<size_t>(at + 2) &&
        std::string_view(m_Next).substr(at - 1, 3) == keyword)
        return "BAD";
    return keyword;
}

void CImpPENTAX::ReadDataI() {
    const std::string_view keyword = GetCode();
    CutWord(m_Line, 1L);  // the colon after the keyword
    std::string_view value = m_Line;
    if (value.size() <= 1)
        value = {};
    else if (HasPrefix())
        value.remove_suffix(1);  // the line feed, or the last character of a last line

    if (keyword == "STL") {
        m_pProject->title = ToUtf8(WithoutLineFeed(value));
        return;
    }
    for (const auto& k : kKeywordEvents) {
        if (k.keyword != keyword)
            continue;
        // An empty angle is completed like any angle without a point: zero.
        if ((k.id == evHorAngle || k.id == evVertAngle) && m_AngleUnit == zut::au_dms)
            PushM(k.id, GetAngleString(value));
        else
            PushM(k.id, value);
        return;
    }
    // Unknown keywords, superseded ones included, still show that the file is of this kind.
    m_nLineAccepted = 1;
}

std::string CImpPENTAX::GetAngleString(std::string_view source) const {
    // Keyword records without a prefix keep their line feed; it is no digit of the angle.
    source = WithoutLineFeed(source);
    const size_t dot = source.find('.');
    std::string degrees =
        dot == std::string_view::npos ? "000" : std::string(source.substr(0, dot));
    std::string rest =
        dot == std::string_view::npos ? std::string() : std::string(source.substr(dot + 1));
    if (rest.size() < 5)
        rest.append(5 - rest.size(), '0');
    degrees.reserve(degrees.size() + 9);
    degrees.append(".")
        .append(rest, 0, 2)
        .append(".")
        .append(rest, 2, 2)
        .append(".")
        .append(rest, 4, 1);
    return degrees;
}
