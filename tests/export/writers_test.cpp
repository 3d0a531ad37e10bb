// The records of each writer, byte for byte, and the project settings each writer refuses.
#include <gmock/gmock.h>

#include <tuple>

#include "export/export_leica.h"
#include "export/export_trimble.h"
#include "export_fixture.h"

using ::testing::HasSubstr;

namespace export_test {
namespace {

using Writers = ExportTest;
using Lines = std::vector<std::string>;

const std::string kTrimbleCoords =
    "|X        1234.567 m   |Y        5678.900 m   |Z         100.000 m   | \r\n";
const std::string kBlanks12(12, ' ');

// Each writer's example with names and values at their limits, missing values and points it
// cannot write. The project holds UTF-8; the instruments take Windows-1251.
TEST_F(Writers, RecordsByteForByteWithTheirLogs) {
    const Pt p1{"P1", 1234.567, 5678.9, 100.0};
    struct Row {
        int format;
        std::vector<Pt> points;
        std::string bytes;
        Lines log = {};
    };
    const std::vector<Row> rows = {
        // "+100000.000" is one character over the 10 of an 8-digit word.
        {kLeica8,
         {p1,
          {"ABCD1234", -12.5, 0.001, -0.5},
          {"7", {}, 1, {}},
          {"P-1", 1, 2, 3},
          {"WIDE", 100000, 2, 3},
          {"EDGE", 99999.999, 2, 3}},
         "110001+000000P1 81..10+05678900 82..10+01234567 83..10+00100000 \r\n"
         "110002+ABCD1234 81..10+00000001 82..10-00012500 83..10-00000500 \r\n"
         "110003+00000007 81..10+00001000 82..10+00000000 83..10+00000000 \r\n"
         "110004+0000EDGE 81..10+00002000 82..10+99999999 83..10+00003000 \r\n",
         {Logged(9122, "P-1"), Logged(9123, "WIDE")}},
        {kLeica16,
         {p1, {"N", {}, {}, {}}},
         "*110001+00000000000000P1 81..10+0000000005678900 82..10+0000000001234567"
         " 83..10+0000000000100000 \r\n"
         "*110002+000000000000000N 81..10+0000000000000000 82..10+0000000000000000"
         " 83..10+0000000000000000 \r\n"},
        // The line break of the title does not start a label; missing values leave their
        // lines out.
        {kGeodimeter,
         {{"P1", 1234.5, 5678.25, 10},
          {"Q_2-x", -1, 0, -0.25},
          {"", 1, 2, {}},
          {"Ёлка-1", {}, {}, {}},
          {"X13", 123456789.125, 0, 0},
          {"P 1", 1, 2, 3},
          {"OK", 12345678.125, -1234567.125, 123456.125}},
         "15=\xCE\xE1\xFA\xE5\xEA\xF2  1\r\n5=P1\r\n37=1234.500\r\n38=5678.250\r\n39=10.000\r\n"
         "5=Q_2-x\r\n37=-1.000\r\n38=0.000\r\n39=-0.250\r\n5=\r\n37=1.000\r\n38=2.000\r\n"
         "5=\xA8\xEB\xEA\xE0-1\r\n5=OK\r\n37=12345678.125\r\n38=-1234567.125\r\n"
         "39=123456.125\r\n",
         {Logged(9123, "X13"), Logged(9122, "P 1")}},
        // A value that rounds to zero keeps a sign; no elevation gives an empty field. The log
        // names the point as the project does.
        {kPentax,
         {p1, {"Q-2+", -12.5, 0, -0.0001}, {"Пункт", 1, 2, 3}, {"R", 1, 2, {}}},
         "0001,+001234.567,+005678.900,+000100.000,P1,\r\n"
         "0002,-000012.500,+000000.000,+000000.000,Q-2+,\r\n"
         "0003,+000001.000,+000002.000,,R,\r\n",
         {Logged(9122, "Пункт")}},
        {kTrimble3300,
         {p1, {"1001", 1234.567, 5678.9, 100}, {"7", {}, 2, {}}},
         "For M5|Adr     1|PI1" + std::string(16, ' ') + "        1001" + kTrimbleCoords +
             "For M5|Adr     2|PI1" + std::string(16, ' ') + "           7|X  " +
             std::string(14, ' ') + " m   |Y           2.000 m   |Z   " + std::string(13, ' ') +
             " m   | \r\n",
         {Logged(9122, "P1")}},
        {kTrimble3600,
         {p1, {"Рёпер7", 1234.567, 5678.9, 100}},
         "For M5|Adr     1|PI1 P1" + std::string(25, ' ') + kTrimbleCoords +
             "For M5|Adr     2|PI1 \xD0\xB8\xEF\xE5\xF0" + "7" + std::string(21, ' ') +
             kTrimbleCoords},
        {kTTA5,
         {{"17", 1234.5, 567.25, 100}, {"1", {}, -5, {}}},
         "        1100" + std::string(10, ' ') + "17" + kBlanks12 + "    1234.500" +
             "     567.250" + "     100.000" + kBlanks12 + "\r\n" + "        1100" +
             std::string(11, ' ') + "1" + kBlanks12 + kBlanks12 + "      -5.000" + kBlanks12 +
             kBlanks12 + "\r\n"},
    };
    project.title = "Объект\r\n1";
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "format " << row.format);
        project.data().points.clear();
        project.ExportLog().Clear();
        Add(row.points);
        auto writer = CreateExporter(row.format);
        EXPECT_EQ(Export(*writer), row.bytes);
        EXPECT_EQ(Log(), row.log);
        for (const auto& e : project.ExportLog().Entries()) EXPECT_EQ(e.level, 2);
    }
}

TEST_F(Writers, TheTenThousandthLeicaPointHasAFiveDigitNumber) {
    for (int i = 1; i <= 10000; ++i) Add({"P" + std::to_string(i), double(i), double(i), 0});
    CExportLeica eight(8);
    std::string bytes = Export(eight);
    EXPECT_EQ(eight.ExportedCount(), 10000);
    EXPECT_THAT(bytes, HasSubstr("\r\n119999+000P9999 "));
    EXPECT_TRUE(bytes.ends_with(
        "\r\n1110000+00P10000 81..10+10000000 82..10+10000000 83..10+00000000 \r\n"));
    CExportLeica sixteen(16);
    bytes = Export(sixteen);
    EXPECT_THAT(bytes, HasSubstr("\r\n*1110000+0000000000P10000 "));
}

TEST_F(Writers, TheHundredThousandthTrimbleAddressLengthensTheRecord) {
    class TrimbleAt : public CExportTrimble {
      public:
        explicit TrimbleAt(int written) : CExportTrimble(3600) { m_nExported = written; }
    };
    const vrk::CVrkPoint p = ToPoint({"P1", 1234.567, 5678.9, 100});
    EXPECT_EQ(TrimbleAt(99998).FormExpStroka(p, "P1").substr(0, 16), "For M5|Adr 99999");
    EXPECT_EQ(TrimbleAt(99999).FormExpStroka(p, "P1"),
              "For M5|Adr 100000|PI1 P1" + std::string(25, ' ') +
                  kTrimbleCoords.substr(0, kTrimbleCoords.size() - 2) + "\n");
}

TEST_F(Writers, LeicaUnitCodeFromDecimalsAndUnitOtherwise9074) {
    Add({"P1", 1234.567, 5678.9, 100});
    // Decimals, unit, word size, unit code, a part of the file (empty: no point fits).
    const std::tuple<int, zut::dist_unit, int, std::string, std::string> rows[] = {
        {4, zut::du_metre, 8, "16", "81..16+56789000 82..16+12345670 83..16+01000000 "},
        {5, zut::du_metre, 8, "18", ""},  // 5 decimals do not fit into 8 digits
        {5, zut::du_metre, 16, "18", " 81..18+0000000567890000 "},
        {3, zut::du_foot, 8, "11", "81..11+18631562 82..11+04050417 83..11+00328084 "},
    };
    for (const auto& [decimals, unit, word_size, code, part] : rows) {
        SCOPED_TRACE(testing::Message() << decimals << " decimals, unit " << unit);
        zut::CNorth::precision(decimals);
        zut::CLinear::unit(unit);
        fs::remove(Out());
        CExportLeica writer(word_size);
        const std::string bytes = Export(writer);
        EXPECT_EQ(writer.UnitCode(), code);
        EXPECT_EQ(bytes.empty(), part.empty());
        EXPECT_THAT(bytes, HasSubstr(part));
    }
    EXPECT_TRUE(prompter->shown.empty());
    for (auto [decimals, unit] : {std::pair{2, zut::du_metre},
                                  {6, zut::du_metre},
                                  {4, zut::du_foot},
                                  {3, zut::du_us_foot},
                                  {3, zut::du_millimetre}}) {
        zut::CNorth::precision(decimals);
        zut::CLinear::unit(unit);
        CExportLeica writer(16);
        ExpectRefused(writer, 9074);
    }
}

TEST_F(Writers, EastingStyleTwoIsRefusedWith9074WhereTheWordsCannotHoldIt) {
    Add({"1", 1, 2, 3});
    project.SetEStyle(zut::es_zone_prefix);
    for (int format : {kLeica8, kTTA5, kPentax}) ExpectRefused(*CreateExporter(format), 9074);
    for (int format : {kLeica16, kGeodimeter, kTrimble3300}) {
        bool ok = false;
        EXPECT_TRUE(!Export(*CreateExporter(format), &ok).empty() && ok) << format;
    }
}

TEST_F(Writers, FeetAsk9084AndYesStillWritesMetres) {
    Add({"1", 1234.567, 5678.9, 100});
    zut::CLinear::unit(zut::du_foot);
    for (int format : {kTrimble3600, kTTA5}) {
        auto writer = CreateExporter(format);
        prompter->shown.clear();
        prompter->Answer(ui::IDNO);
        ExpectRefused(*writer, 9084);
        EXPECT_EQ(prompter->shown[0].type & 0x0F, unsigned(ui::MB_YESNO));
        prompter->Answer(ui::IDYES);
        EXPECT_THAT(Export(*writer), HasSubstr("1234.567")) << format;
        EXPECT_EQ(zut::CLinear::unit(), zut::du_foot);  // put back after each record
    }
    // 3TA5 asks first, then checks the style.
    project.SetEStyle(zut::es_zone_prefix);
    prompter->shown.clear();
    prompter->Answer(ui::IDYES);
    ExpectRefused(*CreateExporter(kTTA5), 9074);
    EXPECT_EQ(prompter->shown.size(), 2u);
}

}  // namespace
}  // namespace export_test
