// Format detection: one small hand-made file per format and layout kind, the near-misses that
// must be refused, and the shared real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "readers/format_detect.h"

namespace {

using detect::Refusal;

std::string Times(const std::string& line, int n) {
    return n > 0 ? line + Times(line, n - 1) : "";
}

// A TA5 record: every field padded to 12 characters.
std::string Rec(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& f : fields) line += (f + std::string(12, ' ')).substr(0, 12);
    return line + "\r\n";
}

struct Row {
    const char* name;
    std::string text;
    int format;  // expected format, or -1 for a refusal
    Refusal refusal = Refusal::None;
    const char* sixteen = nullptr;  // expected Format16Digits, for GSI
};

TEST(Detect, EachFormatAndEachNearMiss) {
    const Row rows[] = {
        {"GSI-8", Times("110001+00000001 21.322+03496940 22.322+09364360 31..00+00030485 \r\n", 3),
         5, Refusal::None, "0"},
        {"GSI-16",
         Times("*110001+0000000000000001 21.322+0000000003496940 22.322+0000000009364360 \n", 3), 5,
         Refusal::None, "1"},
        {"Geodimeter job", "50=JOB1\n2=ST1\n3=1.500\n5=P1\n7=123.4567\n8=90.1234\n9=12.345\n", 12},
        {"Geodimeter points", "5=P1\n4=OAK\n37=100.000\n38=200.000\n39=30.000\n5=P2\n37=1\n", 13},
        {"Pentax measurement", "0000ENQ:x\n0000STS:S1\n0001INH:1.500\n0000PPD:T1\nRTH:123.4530\n",
         14},
        {"Pentax, empty keywords", "0000ENQ:\n0000STS:\n0001INH:\n0000PPD:\n", 14},
        {"Pentax points", "00011:JOB\n00021:P1 100.000 200.000\n00021:P2 1 2\n", 15},
        {"Pentax points, commas", "P1,100.0,200.0,30.0,TREE,1\nP2,1,2,3,,1\n", 15},
        {"SDR33",
         "00NMSDR33 V04-03.02    01-Jan-03 00:00 111111\n10NMJOB1     121111\n"
         "02TP0001    100.000   200.000   30.000    1.500\n"
         "09F100010002   12.345  90.1234  123.4530 CODE\n",
         4},
        {"SDR notes (type 13)", "00NMSDR33 V04-03.02\n" + Times("13NMNOTE A   \n", 3), 4},
        {"GTS-7", "JOB TEST\nSTN A1,1.550,TREE\nBS B1,1.6\nFS P1,1.6,POLE\nHV 123.4530,90.0000\n",
         11},
        {"GTS-6", "'ST1_)1.500_(TREE_+P1 ?+00123450902030012345670_+P2 <0902030012345_,1.6_", 10},
        {"Nikon RDF",
         "CO,Nikon RAW data format V2.00\nCO,Units: Meters\nST,S1,,B1,,1.500,0.0000,0.0000\n"
         "SS,P1,1.600,12.345,123.4530,90.1234,10:20:30,CODE\n",
         9},
        {"R4", Times("For R4|PI1 AB  P1|SD 5 m|Z 1 m|S|\n", 2), 0},
        {"R5",
         "For R5|Adr 0001|TR OR.COOR|     |\nFor R5|Adr 0002|KR A 0|X  0.000 m |Y  0.000 m |\n", 1},
        {"M5", Times("For M5|Adr 00001|PI1 P1      |X   100.000 m   |Y   200.000 m   |\n", 2), 2},
        {"Rec 500",
         "    0001P1            TREE         X 100.000 Y 200.000 Z 5.000\n"
         "    0002101           CUT          SD 10.000 Hz 359.5959 V1 90.0000 th 1.600\n",
         3},
        {"2TA5", "Z010203 ST1 BS 1234530 1550\nNP1\n01 1500 1234530 0900000 CODE\n", 6},
        {"3TA5",
         Rec({"0010", "ST1", "BENCH", "010203", "B1", "1234530", "1550"}) +
             Rec({"2010", "P1", "TREE", "12345", "1234530", "0900000", "1500"}) +
             Rec({"2010", "P2", "", "2345", "0012345", "0901500", "1500"}),
         7},
        {"4TA5",
         Rec({"0000", "S", "", "", "", "", "1500", "", ""}) +
             Rec({"2002", "A", "C", "1234530", "0900000", "1500"}) +
             Rec({"2102", "B", "", "1234530", "0900000", "12345", "1500"}),
         8},
        {"4TA5, nine fields", Rec({"2200", "C", "", "1000", "2000", "3000", "1234530", "1", "7"}),
         8},
        {"CDX",
         "* control points\nBEGIN POINTS\n       1 P1                      100.000          "
         "200.000\nEND POINTS\n",
         detect::kCdxFormat},
        // Near-misses: refused, not read as the nearest format.
        {"numbered lines past 04", "NP1\n12 1500 1234530\n13 1500 1234530\n23 1500 1\n", -1,
         Refusal::NoFit},
        {"CSV of points", "name,x,y,h\nP1,100.0,200.0,30.0\nP2,110.0,210.0,31.0\n", -1,
         Refusal::NoFit},
        {"XML", "<?xml version=\"1.0\"?>\n<LandXML><CgPoints/></LandXML>\n", -1, Refusal::Markup},
        {"text report",
         "Data export report\nJob: TEST   Date: 01.02.2003\n\nPoint        X           Y\n"
         "P1     100.000     200.000\nP2     110.000     210.000\n",
         -1, Refusal::NoFit},
        {"another vendor's raw records",
         "JB,NMTEST,DT01-02-2003\nMO,AD0,UN2\nSP,PN1,N 100.0,E 200.0,EL30.0\nOC,OP1,N 100\n"
         "BK,OP1,BP2,BS0.0\nSS,OP1,FP3,AR123.4530,ZE90.0000,SD12.345\n",
         -1, Refusal::NoFit},
        {"empty", " \r\n\n", -1, Refusal::Empty},
        {"binary", std::string("\x7f\x45LF\x02\x01\x01\0\0\0\0\0abc", 15), -1, Refusal::Binary},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const detect::Result r = detect::DetectText(row.text, true, ".txt");
        EXPECT_EQ(r.refusal, row.refusal);
        EXPECT_EQ(r.Format(), row.format);
        if (row.format != -1) {
            EXPECT_FALSE(r.Ambiguous());
            EXPECT_FALSE(detect::EvidenceText(r.ranked.front()).empty());
        }
        if (row.sixteen) {
            ASSERT_EQ(r.ranked.front().settings.size(), 1u);
            EXPECT_EQ(r.ranked.front().settings[0].second, row.sixteen);
        }
    }
}

// The last line of a head that stops inside the file is left out; a stray line does not change
// the verdict while most lines fit.
TEST(Detect, CutHeadAndStrayLines) {
    const std::string gsi = "110001+00000001 21.322+03496940 \n";
    detect::Result r = detect::DetectText(gsi + gsi + "110002+0000", false, ".gsi");
    EXPECT_EQ(std::pair(r.Format(), r.ranked.front().score), std::pair(5, 1.0));
    r = detect::DetectText(Times(gsi, 4) + "garbage line\n", true, ".gsi");
    EXPECT_EQ(std::pair(r.Format(), r.ranked.front().score), std::pair(5, 0.8));
    EXPECT_EQ(detect::DetectFile("/nonexistent/job.gsi").refusal, Refusal::Missing);
}

TEST(Detect, SharedSamples) {
    const std::filesystem::path dir = TAVRIN_SHARED_SAMPLES;
    if (!std::filesystem::exists(dir))
        GTEST_SKIP() << "no shared samples";
    // File, format, the evidence told for it.
    const std::tuple<const char*, int, const char*> samples[] = {
        {"gsi8-traverse.gsi", 5, "GSI words of 8 characters on 92 of 92 lines"},
        {"elta-r5-survey.dat", 1, "\"For R5|\" records on 149 of 150 lines"},
        {"geodimeter-job.are", 12,
         "label=value lines with station or measurement labels on 1101 of 1101 lines"},
    };
    for (const auto& [file, format, evidence] : samples) {
        const detect::Result r = detect::DetectFile(dir / file);
        EXPECT_EQ(r.Format(), format) << file;
        ASSERT_FALSE(r.ranked.empty()) << file;
        EXPECT_EQ(detect::EvidenceText(r.ranked.front()), evidence) << file;
    }
}

}  // namespace
