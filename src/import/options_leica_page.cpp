#include "import/options_leica_page.h"

#include <iterator>
#include <string>

namespace {

// One row of the table on the page: the code in word 41 and the word its value stands in.
struct LeicaRow {
    int code_id;
    std::string ImportSettings::*code;
    int word_id;
    int ImportSettings::*word;
};

constexpr LeicaRow kRows[] = {
    {kIdStationW41, &ImportSettings::StationW41, kIdStation412, &ImportSettings::Station412},
    {kIdHiW41, &ImportSettings::HiW41, kIdHi412, &ImportSettings::Hi412},
    {kIdHvW41, &ImportSettings::HvW41, kIdHv412, &ImportSettings::Hv412},
    {kIdCodeW41, &ImportSettings::CodeW41, kIdCode412, &ImportSettings::Code412},
};

}  // namespace

CImpOptLeicaPage::CImpOptLeicaPage() : CImpOptPage(9199, "Настройка INFO") {
    m_tips = {{kIdFormat16, 9113}};
    m_frame.SetText(kIdFormat16, "&16-разрядное информационное поле");
}

void CImpOptLeicaPage::Load() {
    m_frame.SetCheck(kIdFormat16, m_v.Format16Digits ? 1 : 0);
    for (const auto& row : kRows) {
        m_frame.SetText(row.code_id, m_v.*row.code);
        m_frame.SetText(row.word_id,
                        std::to_string(ClampInt(m_v.*row.word, kFirstWord, kLastWord)));
    }
    EnableCodeWord();
}

void CImpOptLeicaPage::EnableCodeWord() {
    m_frame.Enable(kIdCode412, m_frame.Text(kIdCodeW41) != "3");
}

void CImpOptLeicaPage::OnCommand(int id) {
    if (id == kIdCodeW41)
        EnableCodeWord();
    SetModified();
}

bool CImpOptLeicaPage::Check() {
    int words[std::size(kRows)];
    for (size_t i = 0; i < std::size(kRows); ++i)
        if (!ReadWholeInRange(kRows[i].word_id, kFirstWord, kLastWord, words[i]))
            return false;
    m_v.Format16Digits = m_frame.Checked(kIdFormat16) ? 1 : 0;
    for (size_t i = 0; i < std::size(kRows); ++i) {
        m_v.*kRows[i].code = m_frame.Text(kRows[i].code_id);
        m_v.*kRows[i].word = words[i];
    }
    return true;
}

void CImpOptLeicaPage::Store(ImportSettings& to) const {
    to.Format16Digits = m_v.Format16Digits;
    for (const auto& row : kRows) {
        to.*row.code = m_v.*row.code;
        to.*row.word = m_v.*row.word;
    }
}
