// Format detection: which reader a file is for, judged from its first kilobytes. Each reader
// family keeps its own detector beside it; this is the shared interface and the registry.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace detect {

// Control-point lists are read by their own import, not by an index of the format list.
constexpr int kCdxFormat = -2;

// The head of a file as the detectors see it.
struct Sample {
    std::string_view head;                // the first bytes of the file
    std::vector<std::string_view> lines;  // its whole lines, line ends removed, blank ones left out
    std::string extension;                // lower case, with the dot
    bool whole = false;                   // the head is the whole file
};

// What one detector thinks of a file.
struct Verdict {
    int format = -1;
    double score = 0;       // 0 (not this format) to 1 (every sampled line fits)
    unsigned evidence = 0;  // string-table id of the evidence line
    std::vector<std::string> args;
    // Settings the file itself decides for this run, such as the GSI word length.
    std::vector<std::pair<std::string, std::string>> settings;
};
using Verdicts = std::vector<Verdict>;
using Detector = void (*)(const Sample&, Verdicts&);

// A verdict from a count of fitting lines: the score is the share of sampled lines that fit.
// `what` is the first argument of the evidence text; the counts follow it.
Verdict FromCount(int format, size_t fitting, size_t total, unsigned evidence,
                  std::string what = {});
// How many of the sample's lines `fits` accepts.
template <class F>
size_t CountLines(const Sample& s, F fits) {
    size_t n = 0;
    for (std::string_view line : s.lines)
        if (fits(line))
            ++n;
    return n;
}
std::string_view TrimView(std::string_view text);
bool AllDigits(std::string_view text);

// Why a file fits no format.
enum class Refusal { None, Missing, Empty, Binary, Markup, NoFit };

struct Result {
    Verdicts ranked;  // best first; only verdicts with a score above zero
    Refusal refusal = Refusal::None;
    int Format() const { return refusal == Refusal::None ? ranked.front().format : -1; }
    // The best verdict and the runner-up are too close to choose between.
    bool Ambiguous() const;
    // The runner-up is worth naming.
    bool CloseRunnerUp() const;
};

// The share of fitting lines that makes a format recognised, and the margin under which two
// formats are a tie.
constexpr double kAcceptScore = 0.6;
constexpr double kTieMargin = 0.1;

// Bytes read from the front of a file.
constexpr size_t kHeadBytes = 16 * 1024;

Result DetectText(std::string_view head, bool whole, std::string_view extension);
Result DetectFile(const std::filesystem::path& path);

// A detector offered by a plug-in format (its index, 16 and up).
struct ExtraDetector {
    int format;
    // 0 to 100; evidence is filled with one line of the plug-in's own words.
    int (*detect)(const char* head, size_t size, char* evidence, size_t evidence_size);
};
void SetExtraDetectors(std::vector<ExtraDetector> detectors);

// The text of a verdict's evidence, or of a refusal, in the current language.
std::string EvidenceText(const Verdict& v);
// `nearest` names the best of the formats that did not fit well enough.
std::string RefusalText(const Result& r, std::string_view nearest);
std::string ScoreText(double score);

}  // namespace detect
