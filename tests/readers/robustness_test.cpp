// Noise with each format's words, NULs, CRs and runs of thousands of one character: every
// built-in reader gets through it without harm and either reads it line by line or says it did
// not understand it.
#include <algorithm>
#include <functional>
#include <string_view>

#include "support/noise.h"
#include "support/settings_edit.h"

namespace {

// `words` holds the format's words, each ended by '~'.
struct Row {
    int format;
    const char* file;
    std::string_view words;
    unsigned word_percent;
    char long_fill;
    std::function<void(ImportSettings&, unsigned)> tune = nullptr;  // per seed
    const char* head = "";
    // The longest line piece a read gives; 0 for a stream format whose records are no lines.
    size_t piece = 1023;
};

void Survives(const Row& row, unsigned seed, size_t size) {
    SCOPED_TRACE(::testing::Message() << row.file << " format " << row.format << " seed " << seed);
    std::vector<std::string_view> words;
    for (std::string_view w = row.words; !w.empty(); w.remove_prefix(words.back().size() + 1))
        words.push_back(w.substr(0, w.find('~')));
    testing_support::ReaderHarness h;
    if (row.tune)
        testing_support::EditSettings(h.dlg, [&](ImportSettings& s) { row.tune(s, seed); });
    std::string bytes =
        row.head + testing_support::NoiseBytes(seed, size, words, row.word_percent, row.long_fill);
    std::replace(bytes.begin(), bytes.end(), '\x04', 'x');  // an end of transmission stops TDS6
    h.RunFormat(row.format, {h.Write(row.file, bytes)});
    if (h.Stream(2, false).empty()) {
        EXPECT_TRUE(h.ProtocolContains("mismatches required data format"));
        return;
    }
    testing_support::ExpectLinesAscend(h);
    if (!row.piece)
        return;
    // A line ends at LF, CR LF or a lone CR; a line longer than one read counts once per read.
    long lines = static_cast<long>(bytes.size() / row.piece + 1);
    for (size_t i = 0; i < bytes.size(); ++i)
        lines += bytes[i] == '\n' || (bytes[i] == '\r' && bytes[i + 1] != '\n');
    for (const auto& e : h.events) EXPECT_LE(e.line, lines);
}

constexpr std::string_view kElta =
    "For R4|~For R5|~For M5|~|~PI1 ~KR ~TI ~X ~Z ~N_ ~E ~ m~ DMS~ deg~Hz ~V1 ~th ~SD ~HD ~dT~O~"
    "\n~\r\n~STAT.~Set Hz~HIDDEN POINT~|dm~|nD~INPUT~123.45~-.~NO REFLECTOR             DR~";
constexpr std::string_view kTa5 =
    "\n0010        ~\n2010        ~\n2111        ~\n2302        ~\n201~\n2900~\nZ010203 ~\nN~"
    "\n02 ~  ~12345~\n~";
constexpr std::string_view kPentax =
    "\n0000STS:S1~\n0000RTH:~\n0000PPD:T~\n0001INH:1.5~\nSTS:~\nRTH:~\n00021:P~\nP1,~1,2,3,~"
    ",,,,,~BAD~359.59599~\r\n~.~-~\t~";
void StationEachRecord(ImportSettings& s, unsigned seed) {
    s.StnM5Def = static_cast<int>(seed % 2);
}
void SixteenDigits(ImportSettings& s, unsigned seed) {
    s.Format16Digits = static_cast<int>(seed % 2);
}

const Row kRows[] = {
    {0, "r4.dat", kElta, 40, 'x', StationEachRecord},
    {1, "r5.dat", kElta, 40, '|', StationEachRecord},
    {2, "m5.dat", kElta, 40, 'Z', StationEachRecord},
    {3, "rec.dat", kElta, 40, ' ', StationEachRecord},
    {4, "noise.sdr", "00NMSDR33~02KI~09F1~09F2~07NE~11NE~03NE~05NE~10NM~12NE~  ~\n~\r\n~S1  ~", 25,
     '1'},
    {5, "noise.gsi",
     "110001+0000000A ~21.324+12345278 ~22...2-09000000 ~31..00+00012345 ~410001+00000001 ~"
     "42....+0000ST01 ~88..10+00001550 ~87....+00001500 ~81..00+0000000515836123 ~"
     "410001+00000123 ~*~\r\n~\n~\r~",
     40, '7', SixteenDigits},
    // TA5 lines are cut at the record length.
    {6, "a.txt", kTa5, 40, ' ', nullptr, "", 84},
    {7, "a.txt", kTa5, 40, '2', nullptr, "", 84},
    {8, "a.txt", kTa5, 40, ' ', nullptr, "", 84},
    {9, "noise.rdf",
     "\nST,S1,,B1,,~\nSS,P1,1.6,10,~\r\nF1,B1,,,350,~\nF2,P1,,,12.4530,~\nMC,P1,C1,1,~"
     "\nMP,P2,,4,5,6,~\nCP,P2,x,1.7,~\nRE,R1,,1,2,3,~\nSO,P3,,,12.5,~\nUP,P3,,7,8,,~20.0000,350.,~"
     "1234530,-10.1,~-0.5,1e308,..,~\nCO,TEMP:20C ~PRESS:760MMHG ~TEMP:+ PRESS: ~FAHRENHEIT INHG ~"
     "\nCO,Start of Resection~\nCO,Dist Units:Feet~\nCO,Angle Units:Gons~ANGLE UNITS:MIL6400~"
     "01-JAN-2020 12:34:56~99-?\?-99999 ::::::~\n\n,,,,\r\n~",
     50, 'S'},
    {10, "noise.txt",
     "_~_'S1~_)1.5~_(~_*~_,~_+P1 ~_+P1_~U~x~?~R~<~D~A~E~W~\\~(~*~/~'~M~F~G~\x02~\x03~\r\n~"
     "0123456789~-~+~",
     40, 'P', nullptr, "", 0},
    {11, "noise.gt7", "STN ~BKB ~BS ~FS ~HV ~SD ~HD ~DATE ~UNITS ~'~,~,,~-~.~\n~\r\n~  ~", 35, ','},
    {12, "noise.job", "\n2=S~\n5=P~ 7=1.2345~ 8=-90~ 9=1e9~ 23=1311~ 62=R~ 15=L~ 50=1~=~ ~\r\n~",
     40, '='},
    {14, "r.csv", kPentax, 50, 'x'},
    {14, "r1.txt", kPentax, 50, 'x', nullptr, "ENQ:"},
    {15, "r3.txt", kPentax, 50, 'x', nullptr, "0001STL:"},
    {15, "r5.txt", kPentax, 50, 'x', nullptr, ",,,,,\n"},
};

TEST(ReaderRobustness, AnyBytesEndTheRunInOrder) {
    for (const Row& row : kRows)
        for (unsigned seed : {1u, 2u, 3u}) Survives(row, seed + 10 * row.format, 24 * 1024);
}

// Empty files and files of separators only are reported by name; a file that starts with
// thousands of NULs gives no record before its line.
TEST(ReaderRobustness, EmptySeparatorAndNulFiles) {
    for (int format = 0; format < kBuiltInFormats; ++format) {
        SCOPED_TRACE(format);
        testing_support::ReaderHarness h;
        const std::string empty = h.Write("empty.txt", "");
        const std::string bars = h.Write("bars.txt", std::string(3000, '_'));
        h.RunFormat(format, {empty, bars});
        EXPECT_TRUE(h.ProtocolContains("empty.txt"));
        EXPECT_TRUE(h.ProtocolContains("bars.txt"));
        EXPECT_TRUE(h.Stream(2, false).empty());
        h.RunFormat(format,
                    {h.Write("nul.txt", std::string(5000, '\0') + "For R4|PI1 AB  P1|SD 1 m|\n")});
        for (const auto& e : h.events) EXPECT_LE(e.record, e.line);
    }
}

}  // namespace
