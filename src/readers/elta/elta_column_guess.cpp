#include "readers/elta/elta_column_guess.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/text_file.h"
#include "readers/text_helpers.h"

namespace readers {
namespace {

constexpr size_t kLineNumberWidth = 8;  // Rec 500 lines start with the record number
constexpr int kLastStart = 28;

bool IsNumber(std::string_view text) {
    const std::string t = Trim(text);
    if (t.empty())
        return false;
    char* end = nullptr;
    std::strtod(t.c_str(), &end);
    return end != t.c_str();
}

// Rec 500: the value after the word `word` standing alone in the data, when it is a number.
bool NumberAfterWord(std::string_view data, std::string_view word) {
    for (size_t p = data.find(word); p != std::string_view::npos; p = data.find(word, p + 1)) {
        const size_t after = p + word.size();
        if ((p == 0 || data[p - 1] == ' ') && after < data.size() && data[after] == ' ')
            return IsNumber(data.substr(after, data.find(' ', after + 1) - after));
    }
    return false;
}

// Rec 500: the name and code area ends where the first type word standing alone begins.
size_t HeadEnd(std::string_view text) {
    static constexpr std::string_view kWords[] = {"X",  "N",  "Y",  "E",  "Z",  "SD", "HD",
                                                  "Hz", "V1", "V2", "V3", "th", "ih", "h"};
    size_t end = text.size();
    for (std::string_view w : kWords)
        for (size_t p = text.find(w); p != std::string_view::npos && p < end;
             p = text.find(w, p + 1))
            if (p > 0 && text[p - 1] == ' ' && p + w.size() < text.size() &&
                text[p + w.size()] == ' ') {
                end = p;
                break;
            }
    return end;
}

// The name area of a coordinate record; false for other records.
bool Rec500Head(std::string line, std::string& head) {
    if (line.size() <= kLineNumberWidth)
        return false;
    line.erase(0, kLineNumberWidth);
    const size_t end = HeadEnd(line);
    const std::string_view data = std::string_view(line).substr(end);
    if (!(NumberAfterWord(data, "X") || NumberAfterWord(data, "N")) ||
        !(NumberAfterWord(data, "Y") || NumberAfterWord(data, "E")))
        return false;
    head = line.substr(0, end);
    return true;
}

bool M5Head(std::string_view line, std::string& head) {
    bool north = false, east = false, named = false;
    size_t pos = 0;
    while (pos <= line.size()) {
        size_t bar = line.find('|', pos);
        std::string_view field =
            line.substr(pos, bar == std::string_view::npos ? std::string_view::npos : bar - pos);
        pos = bar == std::string_view::npos ? line.size() + 1 : bar + 1;
        if (!named && (field.starts_with("PI") || field.starts_with("KR"))) {
            const size_t space = field.find(' ');
            if (space == std::string_view::npos)
                continue;
            head = field.substr(space + 1);
            named = true;
        } else if (const size_t space = field.find(' ');
                   space != std::string_view::npos && space > 0) {
            const bool number = IsNumber(field.substr(space + 1));
            north = north || (number && (field[0] == 'X' || field[0] == 'N'));
            east = east || (number && (field[0] == 'Y' || field[0] == 'E'));
        }
    }
    return named && north && east;
}

bool HasText(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

}  // namespace

std::optional<ColumnGuess> GuessColumns(const std::filesystem::path& file, bool m5,
                                        std::string& error) {
    platform::TextFile in;
    if (!in.Open(file, platform::TextFile::Read)) {
        error = in.error();
        return std::nullopt;
    }
    std::vector<std::string> heads;
    size_t longest = 0;
    std::string line, head;
    while (in.ReadString(line))
        if (m5 ? M5Head(line, head) : Rec500Head(line, head)) {
            longest = std::max(longest, head.size());
            heads.push_back(head);
        }
    if (heads.empty())
        return std::nullopt;

    const int max_width = m5 ? 28 : 27;
    std::optional<ColumnGuess> best;
    size_t best_cuts = SIZE_MAX;
    std::unordered_set<std::string> names;
    for (int start = 1; start <= kLastStart; ++start) {
        for (int width = 1; width <= max_width; ++width) {
            names.clear();
            size_t cuts = 0;
            bool ok = true;
            for (const std::string& h : heads) {
                std::string name = Trim(Copy(h, start, width));
                if (name.empty() || name.find(' ') != std::string::npos ||
                    !names.insert(std::move(name)).second) {
                    ok = false;
                    break;
                }
                // A window that cuts into a word is a worse guess than one between blanks.
                const size_t before = static_cast<size_t>(start) - 1;
                const size_t after = before + static_cast<size_t>(width);
                cuts += (before > 0 && before <= h.size() && h[before - 1] != ' ') +
                        (after < h.size() && h[after] != ' ');
            }
            // Fewer cuts first, then the wider window: it takes longer names of the same field.
            if (ok && (cuts < best_cuts || (cuts == best_cuts && width > best->name_width))) {
                best_cuts = cuts;
                best = ColumnGuess{start, width, 1, 0, heads.size()};
            }
        }
    }
    if (!best)
        return std::nullopt;
    // The code is what stands beside the name: before it, else after it.
    const int name_end = best->name_start + best->name_width;  // first column after the name
    bool before = false, after = false;
    for (const std::string& h : heads) {
        before = before || HasText(Copy(h, 1, best->name_start - 1));
        after = after || HasText(Copy(h, name_end, max_width));
    }
    if (before) {
        best->code_start = 1;
        best->code_width = best->name_start - 1;
    } else if (after && name_end <= kLastStart) {
        best->code_start = name_end;
        best->code_width = std::min(max_width, static_cast<int>(longest) - name_end + 1);
    }
    return best;
}

}  // namespace readers
