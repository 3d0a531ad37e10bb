#include "readers/tds6/tds6_reader.h"

#include "readers/text_helpers.h"

using readers::Trim;

CImpTDS6::CImpTDS6(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info)
    : CWImport(project, site, info) {}

CImpTDS6::~CImpTDS6() = default;

int CImpTDS6::Open(const std::string& path) {
    m_Chunk.clear();
    m_ChunkPos = 0;
    m_bEndOfData = 0;
    m_bFinished = false;
    return CWImport::Open(path);
}

// Corrected values keep the old text in front of an apostrophe; only the new one counts. The
// accepted flag follows the last push of the word (ReadEvents sets it).
int CImpTDS6::PushM(EventID id, std::string_view text) {
    return CWImport::PushM(id, text, kPushSkipEmpty | kPushApostropheCut | kPushNoAccept);
}

void CImpTDS6::SetTCode(std::string_view text) {
    PushM(evCode, readers::TrimView(text));
}

// Two letters: distance unit, then angle unit; "*" leaves one as it is.
void CImpTDS6::SetUnits(std::string_view text) {
    const std::string units = readers::Upper(readers::TrimView(text));
    if (!units.empty() && units[0] != '*') {
        if (units[0] == 'M')
            m_DistUnit = zut::du_metre;
        else if (units[0] == 'F')
            m_DistUnit = zut::du_foot;
    }
    if (units.size() > 1 && units[1] != '*') {
        if (units[1] == 'D')
            StateAngleUnit(zut::au_dms);
        else if (units[1] == 'M')
            StateAngleUnit(zut::au_mil);
        else if (units[1] == 'G')
            StateAngleUnit(zut::au_gon);
    }
}

// Angles are packed digits: DDDMMSSs in degrees, three whole digits in the other units.
std::string CImpTDS6::SetPointAngle(std::string_view in) const {
    std::string digits(in);
    char sign = 0;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        sign = digits[0];
        digits.erase(0, 1);
    }
    if (digits.size() < 8)
        digits.insert(0, 8 - digits.size(), '0');
    if (m_AngleUnit != zut::au_dms) {
        readers::StrInsert(digits, '.', 4);
        return digits;
    }
    std::string out = sign ? std::string(1, sign) : std::string();
    return out + readers::DottedDms(std::string_view(digits).substr(0, 3),
                                    std::string_view(digits).substr(3));
}

int CImpTDS6::ReadEvents() {
    if (m_bFinished)
        return 0;
    ClearEventList();
    m_nLastPush = 0;
    std::string& word = m_Word;
    if (!NextWord(word))
        return 0;
    if (word.empty())
        return 1;
    CheckTopCn6_word(word);
    if (!word.empty()) {
        const char type = word[0];
        const std::string_view rest = readers::TrimView(std::string_view(word).substr(1));
        switch (type) {
            case '\'':
                PushM(evStation, rest);
                break;
            case '(':
                SetTCode(rest);
                break;
            case ')':
                PushM(evInstrumentHeight, rest.empty() ? "0" : rest);
                break;
            case '*':
                PushM(evCode, rest);
                break;
            case ',':
                PushM(evTargetHeight, rest.empty() ? "0" : rest);
                break;
            case ' ':
                // A coordinate on a word of its own: " y" easting, " z" elevation.
                if (!rest.empty() && (rest[0] == 'y' || rest[0] == 'z')) {
                    std::string value = Trim(rest.substr(1));
                    if (!value.empty())
                        readers::StrInsert(value, '.', 8);
                    PushM(rest[0] == 'y' ? evPointY : evPointH, value);
                }
                break;
            case '+':
                DecodeMeasurement(rest);
                break;
            default:
                break;
        }
    }
    if (m_nLastPush)
        m_bAccepted = 1;
    m_pSite->SetProgress(m_nLine);
    return 1;
}
