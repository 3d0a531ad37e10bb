#include "readers/elta/elta_rec500_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>

namespace {
// The record number and blanks in front of every line.
constexpr size_t kLineNumberWidth = 8;
constexpr int kMaxWidth = 27;
constexpr std::array<const char*, 4> kColumnKeys{"NameStartE", "NameWidthE", "CodeStartE",
                                                 "CodeWidthE"};
// Which type words begin with each character, as bits in table order.
using WordSet = uint32_t;
const std::array<WordSet, 256>& WordsStartingWith(std::span<const std::string_view> words) {
    static const std::array<WordSet, 256> table = [words] {
        std::array<WordSet, 256> t{};
        for (size_t w = 0; w < words.size(); ++w)
            t[static_cast<unsigned char>(words[w][0])] |= WordSet{1} << w;
        return t;
    }();
    return table;
}

}  // namespace

// A bar goes right in front of the first occurrence of each type word, taken in table order,
// unless one stands two places before it: then the word is the tail of one already split off
// ("h" in "th"). No type word holds a bar, nor the first letter of a word before it anywhere but
// at its start, so a bar put in neither makes nor breaks an occurrence: the first occurrences
// are found in one pass and only moved by the bars put in front of them.
void CImpELTAREC500::InsertBars(std::string& line) {
    const auto words = TypeWords();
    static_assert(sizeof(WordSet) * 8 >= 25, "a bit for every type word");
    const auto& starting = WordsStartingWith(words);
    std::array<size_t, sizeof(WordSet) * 8> first;
    first.fill(std::string::npos);
    WordSet unseen = (WordSet{1} << words.size()) - 1;
    const std::string_view text(line);
    for (size_t i = 0; i < text.size() && unseen; ++i) {
        for (WordSet set = starting[static_cast<unsigned char>(text[i])] & unseen; set;
             set &= set - 1) {
            const int w = std::countr_zero(set);
            const std::string_view word = words[w];
            size_t k = 1;  // the first letter is known to match
            while (k < word.size() && i + k < text.size() && text[i + k] == word[k]) ++k;
            if (k == word.size()) {
                first[w] = i;
                unseen &= ~(WordSet{1} << w);
            }
        }
    }
    std::array<size_t, sizeof(WordSet) * 8> bars;  // where bars went in, as places of `text`
    size_t count = 0;
    for (size_t w = 0; w < words.size(); ++w) {
        if (first[w] == std::string::npos)
            continue;
        size_t p = first[w];
        for (size_t b = 0; b < count; ++b) p += bars[b] <= first[w] ? 1 : 0;
        if (p >= 2 && line[p - 2] != '|') {
            line.insert(p, 1, '|');
            bars[count++] = first[w];
        }
    }
}

CImpELTAREC500::CImpELTAREC500(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
                               std::string format)
    : CImpELTAR4(project, site, info, std::move(format)) {
    m_ColumnKeys = &kColumnKeys;
    ResetState();
}

CImpELTAREC500::~CImpELTAREC500() = default;

void CImpELTAREC500::ResetState() {
    CImpELTAR4::ResetState();
    m_Code.clear();
    m_Point.clear();
    ImportSettings defaults;
    const ImportSettings& s = m_pSite ? m_pSite->Settings() : defaults;
    m_Columns = ClampColumns(s.NameStartE, s.NameWidthE, s.CodeStartE, s.CodeWidthE, kMaxWidth);
}

std::string_view CImpELTAREC500::PrepareString(std::string& line) {
    if (IsStrBlank(line)) {
        line.clear();
        return {};
    }
    line.erase(0, std::min(line.size(), kLineNumberWidth));
    if (line.empty())
        return {};
    m_Point = Column(line, m_Columns.name_start, m_Columns.name_width);
    m_Code = Column(line, m_Columns.code_start, m_Columns.code_width);
    m_ColumnText = line;
    // The head field names the point; "INPUT" records only carry entered values.
    m_Prepared = m_Code == "INPUT" ? "|TR " : "|KR ";
    m_Prepared += m_Code;
    m_Prepared += ' ';
    m_Prepared += m_Point;
    m_Prepared += '|';
    InsertBars(line);
    if (!Has(line, "|")) {
        line.clear();
        return {};
    }
    m_Prepared += line;
    return m_Prepared;
}

void CImpELTAREC500::GetUnits(unsigned, std::string_view&, std::string_view& units) {
    units = {};
}

int CImpELTAREC500::SetUnits(std::string&, std::string_view) {
    // Rec 500 records are always metres and degrees-minutes-seconds.
    m_DistUnit = zut::du_metre;
    StateAngleUnit(zut::au_dms);
    return 1;
}

void CImpELTAREC500::BreakCodeAndPoint(std::string_view, std::string& code, std::string& point) {
    code = std::move(m_Code);
    point = std::move(m_Point);
    NoteName(point, m_ColumnText);
    m_Code.clear();
    m_Point.clear();
}

void CImpELTAREC500::PushAngle(EventID event, std::string& value) {
    std::string rewritten = RewriteDms(value, false);
    {
        ShownAs shown(*this, value);
        PushM(event, rewritten);
    }
    value = std::move(rewritten);
}
