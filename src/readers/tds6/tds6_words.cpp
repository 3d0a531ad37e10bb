// Cutting a GTS-6 transmission into words and a packed word into fields.
#include <algorithm>

#include "readers/tds6/tds6_reader.h"
#include "readers/text_helpers.h"

namespace {

constexpr char kEndOfTransmission = 4;
constexpr size_t kMaxWord = 1023;

}  // namespace

// Words end at "_"; a word longer than the read limit is cut there. The line counter counts
// words, so messages point at the word.
bool CImpTDS6::NextWord(std::string& word) {
    word.clear();
    bool complete = false;
    for (;;) {
        if (m_ChunkPos >= m_Chunk.size()) {
            m_ChunkPos = 0;
            if (!m_File.ReadLine(m_Chunk)) {
                m_Chunk.clear();
                break;
            }
        }
        const std::string_view rest = std::string_view(m_Chunk).substr(m_ChunkPos);
        // Two block searches beat one test of both stops per character.
        const size_t underscore = std::min(rest.find('_'), rest.size());
        const size_t stop =
            std::min(rest.substr(0, underscore).find(kEndOfTransmission), underscore);
        const size_t take = std::min(stop, kMaxWord - word.size());
        word.append(rest.substr(0, take));
        m_ChunkPos += take;
        if (word.size() >= kMaxWord) {
            complete = true;
            break;
        }
        if (take == stop && stop < rest.size()) {
            ++m_ChunkPos;  // the stop character is not part of any word
            if (rest[stop] == kEndOfTransmission)
                break;
            complete = true;
            break;
        }
    }
    if (!complete) {
        if (m_bEndOfData || word.empty()) {
            // The end of the data: nothing more comes from this file.
            m_bEndOfData = 0;
            if (!m_bAccepted)
                LogMessage(9018, {CurrentFileName()});
            word.clear();
            return false;
        }
        m_bEndOfData = 1;
    }
    ++m_nLine;
    if (word.find('\n') != std::string::npos || word.find('\r') != std::string::npos)
        std::erase_if(word, [](char c) { return c == '\r' || c == '\n'; });
    return true;
}

// Removes the framing of a transmission block: start of text, and end of text with the four
// check characters in front of it.
void CImpTDS6::CheckTopCn6_word(std::string& word) {
    size_t at = word.find('\x02');
    if (at != std::string::npos)
        word.erase(at, 1);
    at = word.find('\x03');
    if (at != std::string::npos) {
        const size_t from = at >= 4 ? at - 4 : 0;
        word.erase(from, at - from + 1);
    }
    at = word.find('\r');
    if (at != std::string::npos)
        word.erase(at, 1);
    at = word.find('\n');
    if (at != std::string::npos)
        word.erase(at, 1);
}

// A field that is followed by an apostrophe was corrected: the field after the apostrophe
// (one wider, to take the apostrophe along, unless the field is signed) replaces it.
std::string CImpTDS6::NextPart(std::string_view& src, size_t n) {
    const bool plus = !src.empty() && src[0] == '+';
    const bool minus = !src.empty() && src[0] == '-';
    auto cut = [&src](size_t width) { return readers::CutWord(src, static_cast<long>(width)); };
    std::string_view field = cut(n);
    const size_t width = plus || minus ? n : n + 1;
    while (!src.empty() && src[0] == '\'') field = cut(width);
    if (!field.empty() && field[0] == '\'')
        field.remove_prefix(1);
    std::string out;
    if ((plus && (field.empty() || field[0] != '+')) ||
        (minus && (field.empty() || field[0] != '-')))
        out += plus ? '+' : '-';
    out += field;
    return out;
}
