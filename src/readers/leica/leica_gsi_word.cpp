#include "readers/leica/leica_gsi_word.h"

#include "import/contracts/zut.h"
#include "platform/text_file.h"
#include "text/trim.h"

namespace readers::gsi {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

unsigned char InfoByte(char c) {
    return IsDigit(c) ? static_cast<unsigned char>(c) : kNoDigit;
}

}  // namespace

Cut NextWord(std::string_view& rest, int wide, int& word_len, std::string_view& word) {
    word = {};
    if (rest.empty())
        return Cut::Empty;
    // The blank after a word is nearly always where it is looked for first.
    const bool blank_next = rest.size() > static_cast<size_t>(wide) && rest[wide] == ' ';
    if (blank_next || rest.find(' ') != std::string_view::npos) {
        word_len = wide;
        if (rest.size() < static_cast<size_t>(wide) + 1)
            return Cut::Malformed;
        word = rest.substr(0, wide);
        rest.remove_prefix(wide + 1);
        return Cut::Word;
    }
    if (rest.size() != kShortWord && rest.size() != kLongWord)
        return Cut::Malformed;
    word_len = static_cast<int>(rest.size());
    word = rest;
    rest = {};
    return Cut::Word;
}

bool WordIndex(std::string_view word, long& index) {
    const bool d0 = !word.empty() && IsDigit(word[0]);
    const bool d1 = word.size() > 1 && IsDigit(word[1]);
    if (d0 && d1) {
        index = (word[0] - '0') * 10 + (word[1] - '0');
        return index >= 1;
    }
    index = d0 ? word[0] - '0' : 0;
    return false;
}

Parse ParseWord(std::string_view word, int word_len, Word& out) {
    out = Word{};
    std::string_view t = text::TrimWhiteView(word);
    if (word_len < kShortWord || t.size() < static_cast<size_t>(word_len))
        return Parse::Short;
    if (!WordIndex(t, out.index)) {
        out.index = 0;
        return Parse::BadIndex;
    }
    out.info = {InfoByte(t[3]), InfoByte(t[4]), InfoByte(t[5])};
    out.sign = t[6] == '-' ? kNegative : kPositive;
    if (word_len == kLongWord)
        out.data = IsCoordinateWord(out.index, word_len) ? t.substr(11, 12) : t.substr(15, 8);
    else
        out.data = t.substr(7, 8);
    return Parse::Ok;
}

bool IsCoordinateWord(long index, int word_len) {
    return word_len == kLongWord && index >= 81 && index <= 86;
}

Unit FormatValue(const Word& word, bool coordinate, std::string& out) {
    out.clear();
    if (word.sign == kNegative)
        out.push_back('-');
    std::string_view data = word.data;
    const char unit_code = word.info[2] == kNoDigit ? '0' : static_cast<char>(word.info[2]);

    if (unit_code == '4') {
        // DDDMMSSs becomes "DDD MM SS.s".
        out.append(data.substr(0, 3));
        out.push_back(' ');
        if (data.size() > 3)
            out.append(data.substr(3, 2));
        out.push_back(' ');
        if (data.size() > 5) {
            std::string_view seconds = data.substr(5);
            out.append(seconds.substr(0, seconds.size() - 1));
            out.push_back('.');
            out.push_back(seconds.back());
        }
        return {true, zut::au_dms};
    }

    Unit unit;
    size_t point = 5;
    bool always = false;  // angles get their point even when the data has one
    switch (unit_code) {
        case '1':
        case '7':
            unit = {false, zut::du_foot};
            point = coordinate ? 9 : 5;
            break;
        case '2':
            unit = {true, zut::au_gon};
            point = 3;
            always = true;
            break;
        case '3':
            unit = {true, zut::au_degree};
            point = 3;
            always = true;
            break;
        case '5':
            unit = {true, zut::au_mil};
            point = 4;
            break;
        case '6':
            unit = {false, zut::du_metre};
            point = coordinate ? 8 : 4;
            break;
        case '8':
            unit = {false, zut::du_metre};
            point = coordinate ? 7 : 3;
            break;
        default:
            unit = {false, zut::du_metre};
            point = coordinate ? 9 : 5;
            break;
    }
    if (always || data.find('.') == std::string_view::npos) {
        const size_t whole = std::min(point, data.size());
        out.append(data.substr(0, whole));
        out.push_back('.');
        out.append(data.substr(whole));
    } else {
        out.append(data);
    }
    return unit;
}

std::string_view StripZeros(std::string_view data) {
    size_t b = data.find_first_not_of('0');
    return b == std::string_view::npos ? std::string_view{} : data.substr(b);
}

unsigned char ScanFileUnit(const std::string& path) {
    // Tried in this order; the first one a line holds decides for that line.
    static constexpr std::string_view kWords[] = {" 31", " 32", " 33", " 82", " 85", " 81",
                                                  " 84", " 83", " 86", " 87", " 88"};
    platform::TextFile file;
    if (!file.Open(path, platform::TextFile::Read))
        return kNoDigit;
    std::string line;
    int undecided = 0;
    while (file.ReadString(line)) {
        for (std::string_view w : kWords) {
            size_t p = line.find(w);
            if (p == std::string::npos)
                continue;
            if (line.size() > p + 6) {
                char c = line[p + 6];
                if (c == '0' || c == '1')
                    return static_cast<unsigned char>(c);
                if (c == '.' && ++undecided >= 5)
                    return kNoDigit;
            }
            break;
        }
    }
    return kNoDigit;
}

int ClassifyPoint(std::string_view rest, int wide, int word_len) {
    std::string_view word;
    while (NextWord(rest, wide, word_len, word) == Cut::Word) {
        long index = 0;
        if (!WordIndex(word, index))
            continue;
        switch (index) {
            case 21:
            case 22:
            case 31:
            case 32:
            case 33:
            case 87:
                return -6;
            case 84:
            case 85:
            case 86:
            case 88:
                return -5;
            default:
                break;
        }
    }
    return 11;
}

}  // namespace readers::gsi
