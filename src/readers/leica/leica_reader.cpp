#include "readers/leica/leica_reader.h"

#include "readers/text_helpers.h"

namespace gsi = readers::gsi;

CImpLEICA::CImpLEICA(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CWImport(project, site, info) {
    TakeSettings();
}

CImpLEICA::~CImpLEICA() = default;

void CImpLEICA::TakeSettings() {
    if (!m_pSite)
        return;
    const ImportSettings& s = m_pSite->Settings();
    m_nWide = s.Format16Digits ? gsi::kLongWord : gsi::kShortWord;
    m_Items = {BlockItem{readers::Upper(s.StationW41), s.Station412},
               BlockItem{readers::Upper(s.HiW41), s.Hi412},
               BlockItem{readers::Upper(s.HvW41), s.Hv412},
               BlockItem{readers::Upper(s.CodeW41), s.Code412}};
}

void CImpLEICA::DoImport() {
    TakeSettings();
    RunHooks hooks;
    hooks.before_file = [this](const std::string& path, int) {
        m_FileUnit = gsi::ScanFileUnit(path);
        m_bAccepted = 0;
        return true;
    };
    RunFiles(hooks);
}

bool CImpLEICA::ReadBlock() {
    do {
        if (!ReadRawLine(m_Buf)) {
            // A failed read is not the end of the file: the file's partial result is dropped.
            if (!m_File.error().empty())
                throw vrk::FileError{m_File.path().string(), m_File.error()};
            return false;
        }
        if (!m_Buf.empty() && m_Buf.back() == '\n')
            m_Buf.pop_back();
    } while (m_Buf.empty());
    return true;
}

int CImpLEICA::ReadEvents() {
    if (!ReadBlock()) {
        if (!m_bAccepted)
            LogMessage(9018, {CurrentFileName()});
        return 0;
    }
    ClearEventList();
    m_nLastPush = 0;

    // 16-digit blocks start with "*".
    std::string_view line(m_Buf);
    size_t first = line.find_first_not_of('*');
    line.remove_prefix(first == std::string_view::npos ? line.size() : first);
    size_t last = line.find_last_not_of(" \t\r\n\v\f");
    m_Line = last == std::string_view::npos ? std::string_view{} : line.substr(0, last + 1);

    while (!m_Line.empty()) {
        std::string_view word;
        int code = ReadWord(word);
        PushWord(code, word);
    }
    if (m_pSite)
        m_pSite->SetProgress(m_nLine);
    return 1;
}

std::string_view CImpLEICA::CutWord() {
    std::string_view word;
    if (gsi::NextWord(m_Line, m_nWide, m_nWordLen, word) == gsi::Cut::Malformed) {
        LogMessage(9087, {m_Line});
        m_Line = {};
    }
    return word;
}

int CImpLEICA::ReadWord(std::string_view& word) {
    word = CutWord();
    if (word.empty())
        return 0;
    long index = 0;
    if (!gsi::WordIndex(word, index)) {
        std::string_view two = word.substr(0, 2);
        if (two.find_first_not_of(" \t") != std::string_view::npos)
            LogMessage(9085, {two});
        return static_cast<int>(index);
    }
    if (index >= 42 && index <= 49)
        return Line41Cont(index);
    if (index == 11)
        return RecognizePoint();
    return static_cast<int>(index);
}

int CImpLEICA::RecognizePoint() {
    return gsi::ClassifyPoint(m_Line, m_nWide, m_nWordLen);
}

bool CImpLEICA::lc_word(std::string_view word, gsi::Word& out) {
    gsi::Parse p = gsi::ParseWord(word, m_nWordLen, out);
    if (p == gsi::Parse::BadIndex)
        LogMessage(9085, {word.substr(0, 2)});
    return p == gsi::Parse::Ok;
}

void CImpLEICA::SetUnits(const gsi::Word& word, std::string& out) {
    gsi::Unit unit = gsi::FormatValue(word, gsi::IsCoordinateWord(word.index, m_nWordLen), out);
    // The engine converts at push time, so the unit of this word must be current now.
    if (unit.angle)
        m_AngleUnit = static_cast<zut::angle_unit>(unit.code);
    else
        m_DistUnit = static_cast<zut::dist_unit>(unit.code);
}

int CImpLEICA::Line41Cont(long index) {
    m_BlockCode = readers::Upper(gsi::StripZeros(m_BlockCode));
    for (size_t i = 0; i < m_Items.size(); ++i)
        if (m_Items[i].code == m_BlockCode && m_Items[i].word == index)
            return -static_cast<int>(i) - 1;
    // Code block "3": every word of the block is a code.
    if (m_Items[3].code == m_BlockCode && m_BlockCode == "3")
        return kCodeItem;
    return 0;
}

void CImpLEICA::Set_41_Line_Code(std::string_view word) {
    bool number = lc_word(word, m_Word) && !m_Word.data.empty() &&
                  m_Word.data.find_first_not_of("0123456789") == std::string_view::npos;
    if (!number) {
        LogMessage(9086, {});
        return;
    }
    m_BlockCode.assign(m_Word.data);
    if (gsi::StripZeros(m_Word.data).size() > 2)
        PushCode(word);  // above 99
}

void CImpLEICA::PrepareToPush(std::string_view word, int raw) {
    m_Value.clear();
    if (!lc_word(word, m_Word))
        return;
    if (!raw) {
        SetUnits(m_Word, m_Value);
        return;
    }
    std::string_view code = gsi::StripZeros(m_Word.data);
    if (code.empty())
        return;
    if (m_Word.sign == gsi::kNegative)
        m_Value.push_back('-');
    m_Value.append(code);
}

void CImpLEICA::PushValue(EventID id, std::string_view word, int raw) {
    PrepareToPush(word, raw);
    PushM(id, m_Value, kPushSkipEmpty);
}

void CImpLEICA::PushStationOrTarget(EventID id, std::string_view word) {
    if (!lc_word(word, m_Word))
        return;
    std::string_view name = gsi::StripZeros(m_Word.data);
    if (id == evStation)
        PushM(evPointName, name, kPushSkipEmpty);
    PushM(id, name, kPushSkipEmpty);
}

void CImpLEICA::PushPoint(std::string_view word) {
    if (!lc_word(word, m_Word))
        return;
    PushM(evPointName, gsi::StripZeros(m_Word.data), kPushSkipEmpty);
}

void CImpLEICA::PushHeight(EventID id, std::string_view word) {
    if (!lc_word(word, m_Word))
        return;
    if (m_Word.info[2] == gsi::kNoDigit)
        m_Word.info[2] = m_FileUnit != gsi::kNoDigit ? m_FileUnit : '0';
    SetUnits(m_Word, m_Value);
    // Heights alone do not make a file count as read.
    if (!m_Value.empty())
        m_nLastPush = Push(id, m_Value);
}

void CImpLEICA::PushHi(std::string_view word) {
    if (m_BlockCode == m_Items[0].code)
        PushHeight(evInstrumentHeight, word);
}

void CImpLEICA::PushHv(std::string_view word, bool replace_info) {
    PushHeight(evTargetHeight, replace_info ? Patch(word, "....", "..10") : word);
}

std::string_view CImpLEICA::Patch(std::string_view word, std::string_view from,
                                  std::string_view to) {
    if (word.size() < 6 || word.substr(2, 4) != from)
        return word;
    m_Patched.assign(word);
    m_Patched.replace(2, 4, to);
    return m_Patched;
}

void CImpLEICA::PushWord(int code, std::string_view word) {
    switch (code) {
        case kTargetPoint:
            PushStationOrTarget(evTarget, word);
            break;
        case kStationPoint:
        case kStationItem:
            PushStationOrTarget(evStation, word);
            break;
        case 11:
            PushPoint(word);
            break;
        case kHiItem:
        case 88:
            PushHi(word);
            break;
        case kHvItem:
            PushHv(word, false);
            break;
        case 87:
            PushHv(word, true);
            break;
        case 21:
        case 22:
            // "...2" marks angles in degrees-minutes-seconds.
            PushValue(code == 21 ? evHorAngle : evVertAngle, Patch(word, "...2", ".104"), 0);
            break;
        case 31:
            PushValue(evSlopeDist, word, 0);
            break;
        case 32:
            PushValue(evHorDist, word, 0);
            break;
        case 33:
            PushValue(evHeightDiff, word, 0);
            break;
        case 81:
        case 84:
            PushValue(evPointY, word, 0);
            break;
        case 82:
        case 85:
            PushValue(evPointX, word, 0);
            break;
        case 83:
        case 86:
            PushValue(evPointH, word, 0);
            break;
        case 41:
            Set_41_Line_Code(word);
            break;
        case kCodeItem:
        case 71:
        case 72:
        case 73:
        case 74:
        case 75:
        case 76:
        case 77:
        case 78:
        case 79:
            PushCode(word);
            break;
        default:
            break;
    }
}
