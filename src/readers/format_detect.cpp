#include "readers/format_detect.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>

#include "readers/cdx/cdx_detect.h"
#include "readers/elta/elta_detect.h"
#include "readers/geodimeter/geodimeter_detect.h"
#include "readers/leica/leica_detect.h"
#include "readers/nrdf/nrdf_detect.h"
#include "readers/pentax/pentax_detect.h"
#include "readers/sdr/sdr_detect.h"
#include "readers/ta5/ta5_detect.h"
#include "readers/tds6/tds6_detect.h"
#include "readers/tds7/tds7_detect.h"
#include "resources/strings.h"

namespace detect {

namespace {

// One line per reader family; a new format adds its detector here.
constexpr std::array<Detector, 10> kDetectors{
    DetectLeica, DetectGeodimeter, DetectPentax, DetectSdr, DetectTds7,
    DetectTds6,  DetectNrdf,       DetectElta,   DetectTa5, DetectCdx};

std::vector<ExtraDetector>& Extras() {
    static std::vector<ExtraDetector> extras;
    return extras;
}

enum : unsigned {
    kMsgUnreadable = 9890,
    kMsgEmpty = 9891,
    kMsgBinary = 9892,
    kMsgMarkup = 9893,
    kMsgNoShape = 9894,
    kMsgNearest = 9895,
};

// Control characters other than tabs, line ends and the framing bytes some transfers leave in.
bool LooksBinary(std::string_view head) {
    size_t odd = 0;
    for (unsigned char c : head) {
        if (c == 0)
            return true;
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != 2 && c != 3 && c != 4 &&
            c != 0x1a)
            ++odd;
    }
    return odd * 20 > head.size();
}

bool LooksMarkup(std::string_view head) {
    if (head.starts_with("\xEF\xBB\xBF"))
        head.remove_prefix(3);
    head = TrimView(head);
    return head.starts_with("<?xml") || head.starts_with("<!DOCTYPE") ||
           head.starts_with("<html") || head.starts_with("<HTML") ||
           (head.starts_with('<') && head.size() > 1 &&
            (std::isalpha(static_cast<unsigned char>(head[1])) || head[1] == '!'));
}

// Whole lines of the head: a lone CR, LF and CR LF each end a line. A last line that the head
// cuts short is left out, since it would not fit any grammar.
std::vector<std::string_view> SplitLines(std::string_view head, bool whole) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < head.size(); ++i) {
        if (head[i] != '\r' && head[i] != '\n')
            continue;
        lines.push_back(head.substr(start, i - start));
        if (head[i] == '\r' && i + 1 < head.size() && head[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < head.size() && whole)
        lines.push_back(head.substr(start));
    std::erase_if(lines, [](std::string_view l) { return TrimView(l).empty(); });
    return lines;
}

std::string Score(double score) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", score);
    return text;
}

}  // namespace

std::string_view TrimView(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

Verdict FromCount(int format, size_t fitting, size_t total, unsigned evidence, std::string what) {
    Verdict v;
    v.format = format;
    v.score = total == 0 ? 0.0 : static_cast<double>(fitting) / static_cast<double>(total);
    v.evidence = evidence;
    if (!what.empty())
        v.args.push_back(std::move(what));
    v.args.push_back(std::to_string(fitting));
    v.args.push_back(std::to_string(total));
    return v;
}

bool Result::Ambiguous() const {
    return refusal == Refusal::None && ranked.size() > 1 && ranked[1].score >= kAcceptScore &&
           ranked[0].score - ranked[1].score < kTieMargin;
}

bool Result::CloseRunnerUp() const {
    return ranked.size() > 1 && ranked[1].score >= kAcceptScore &&
           ranked[0].score - ranked[1].score < 2 * kTieMargin;
}

void SetExtraDetectors(std::vector<ExtraDetector> detectors) {
    Extras() = std::move(detectors);
}

Result DetectText(std::string_view head, bool whole, std::string_view extension) {
    Result r;
    if (TrimView(head).empty()) {
        r.refusal = Refusal::Empty;
        return r;
    }
    if (LooksBinary(head)) {
        r.refusal = Refusal::Binary;
        return r;
    }
    if (LooksMarkup(head)) {
        r.refusal = Refusal::Markup;
        return r;
    }
    Sample s;
    s.head = head;
    s.whole = whole;
    s.lines = SplitLines(head, whole);
    s.extension = extension;
    for (char& c : s.extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (Detector d : kDetectors) d(s, r.ranked);
    for (const ExtraDetector& extra : Extras()) {
        char evidence[256] = {};
        const int percent = extra.detect(head.data(), head.size(), evidence, sizeof evidence - 1);
        if (percent > 0) {
            Verdict v;
            v.format = extra.format;
            v.score = std::min(percent, 100) / 100.0;
            v.args.push_back(evidence);
            r.ranked.push_back(std::move(v));
        }
    }
    std::erase_if(r.ranked, [](const Verdict& v) { return v.score <= 0; });
    std::stable_sort(r.ranked.begin(), r.ranked.end(),
                     [](const Verdict& a, const Verdict& b) { return a.score > b.score; });
    if (r.ranked.empty() || r.ranked.front().score < kAcceptScore)
        r.refusal = Refusal::NoFit;
    return r;
}

Result DetectFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in || std::filesystem::is_directory(path, ec)) {
        Result r;
        r.refusal = Refusal::Missing;
        return r;
    }
    std::string head(kHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    const bool whole = head.size() < kHeadBytes || in.peek() == std::char_traits<char>::eof();
    return DetectText(head, whole, path.extension().string());
}

std::string EvidenceText(const Verdict& v) {
    if (v.evidence == 0)
        return v.args.empty() ? std::string() : v.args.front();
    std::string pattern = res::LoadString(v.evidence);
    switch (v.args.size()) {
        case 0:
            return pattern;
        case 1:
            return res::Format(pattern, {v.args[0]});
        case 2:
            return res::Format(pattern, {v.args[0], v.args[1]});
        default:
            return res::Format(pattern, {v.args[0], v.args[1], v.args[2]});
    }
}

std::string RefusalText(const Result& r, std::string_view nearest) {
    switch (r.refusal) {
        case Refusal::None:
            return {};
        case Refusal::Missing:
            return res::LoadString(kMsgUnreadable);
        case Refusal::Empty:
            return res::LoadString(kMsgEmpty);
        case Refusal::Binary:
            return res::LoadString(kMsgBinary);
        case Refusal::Markup:
            return res::LoadString(kMsgMarkup);
        case Refusal::NoFit:
            break;
    }
    if (r.ranked.empty())
        return res::LoadString(kMsgNoShape);
    return res::Format(res::LoadString(kMsgNearest),
                       {nearest, Score(r.ranked.front().score), EvidenceText(r.ranked.front())});
}

std::string ScoreText(double score) {
    return Score(score);
}

}  // namespace detect
