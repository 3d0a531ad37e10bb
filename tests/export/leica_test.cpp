#include "export/export_leica.h"
#include "export_fixture.h"

namespace export_test {
namespace {

using LeicaExport = ExportTest;

// Gives a writer a running count as if that many points had been written.
class LeicaAt : public CExportLeica {
  public:
    LeicaAt(int word_size, int written) : CExportLeica(word_size) { m_nExported = written; }
};

TEST_F(LeicaExport, EightCharacterWords) {
    Add("P1", 1234.567, 5678.9, 100);
    Add("ABCD1234", -12.5, 0.001, -0.5);
    CExportLeica writer(8);
    EXPECT_EQ(Export(writer),
              "110001+000000P1 81..10+05678900 82..10+01234567 83..10+00100000 \r\n"
              "110002+ABCD1234 81..10+00000001 82..10-00012500 83..10-00000500 \r\n");
}

TEST_F(LeicaExport, SixteenCharacterWordsStartWithAStar) {
    Add("P1", 1234.567, 5678.9, 100);
    CExportLeica writer(16);
    EXPECT_EQ(Export(writer),
              "*110001+00000000000000P1 81..10+0000000005678900 82..10+0000000001234567"
              " 83..10+0000000000100000 \r\n");
}

TEST_F(LeicaExport, MissingValuesBecomeZeroWords) {
    Add("P1", std::nullopt, 1, std::nullopt);
    CExportLeica eight(8);
    EXPECT_EQ(Export(eight),
              "110001+000000P1 81..10+00001000 82..10+00000000 83..10+00000000 \r\n");
    CExportLeica sixteen(16);
    EXPECT_NE(Export(sixteen).find(" 83..10+0000000000000000 \r\n"), std::string::npos);
}

TEST_F(LeicaExport, NamesAtAndOverTheWordWidth) {
    CExportLeica eight(8);
    EXPECT_EQ(eight.FormNameStroka("ABCD1234"), "ABCD1234");  // no zero in front
    EXPECT_EQ(eight.FormNameStroka("7"), "00000007");
    EXPECT_FALSE(eight.NameInvalid());
    EXPECT_EQ(eight.FormNameStroka("ABCD12345"), "");
    EXPECT_TRUE(eight.NameInvalid());

    CExportLeica sixteen(16);
    EXPECT_EQ(sixteen.FormNameStroka("ABCDEFGH12345678"), "ABCDEFGH12345678");
    EXPECT_FALSE(sixteen.NameInvalid());
    EXPECT_EQ(sixteen.FormNameStroka("ABCDEFGH123456789"), "");
    EXPECT_TRUE(sixteen.NameInvalid());

    ExpectNamesRefused([] { return CExportLeica(8); }, {"P 1", "P-1", "P_1", "", "\xCF\xF3"});
}

TEST_F(LeicaExport, RefusedNamesAndWideCoordinatesAreLogged) {
    Add("P-1", 1, 2, 3);
    Add("WIDE", 100000, 2, 3);  // "+100000.000" is 11 characters, one over 10
    Add("EDGE", 99999.999, 2, 3);
    CExportLeica writer(8);
    EXPECT_EQ(Export(writer),
              "110001+0000EDGE 81..10+00002000 82..10+99999999 83..10+00003000 \r\n");
    EXPECT_EQ(Log(), (std::vector<std::string>{res::Format(res::LoadString(9122), {"P-1"}),
                                               res::Format(res::LoadString(9123), {"WIDE"})}));
}

TEST_F(LeicaExport, TheTenThousandthPointHasAFiveDigitNumber) {
    for (int i = 1; i <= 10000; ++i) Add("P" + std::to_string(i), i, i, 0);
    CExportLeica writer(8);
    const std::string bytes = Export(writer);
    EXPECT_EQ(writer.ExportedCount(), 10000);
    const std::string last =
        "1110000+00P10000 81..10+10000000 82..10+10000000 83..10+00000000 \r\n";
    ASSERT_GE(bytes.size(), last.size());
    EXPECT_EQ(bytes.substr(bytes.size() - last.size()), last);
    EXPECT_NE(bytes.find("\r\n119999+000P9999 "), std::string::npos);

    LeicaAt sixteen(16, 9999);
    EXPECT_EQ(sixteen.FormExpStroka(Point("A", 1, 2, 3), "A").substr(0, 25),
              "*1110000+000000000000000A");
}

TEST_F(LeicaExport, UnitCodeFollowsPrecisionAndDistanceUnit) {
    Add("P1", 1234.567, 5678.9, 100);
    CExportLeica writer(8);

    zut::CNorth::precision(4);
    EXPECT_EQ(Export(writer),
              "110001+000000P1 81..16+56789000 82..16+12345670 83..16+01000000 \r\n");
    EXPECT_EQ(writer.UnitCode(), "16");

    zut::CNorth::precision(5);
    Export(writer);
    EXPECT_EQ(writer.UnitCode(), "18");
    // 5 decimals do not fit into 8 digits for these values: every point is refused.
    EXPECT_EQ(writer.ExportedCount(), 0);
    CExportLeica sixteen(16);
    EXPECT_NE(Export(sixteen).find(" 81..18+0000000567890000 "), std::string::npos);

    zut::CNorth::precision(3);
    zut::CLinear::unit(zut::du_foot);
    EXPECT_EQ(Export(writer),
              "110001+000000P1 81..11+18631562 82..11+04050417 83..11+00328084 \r\n");
    EXPECT_EQ(writer.UnitCode(), "11");
    EXPECT_TRUE(prompter->shown.empty());
}

TEST_F(LeicaExport, UnsupportedPrecisionOrUnitIsRefusedWith9074) {
    Add("P1", 1, 2, 3);
    struct Case {
        int precision;
        zut::dist_unit unit;
    };
    for (Case c : {Case{2, zut::du_metre}, Case{6, zut::du_metre}, Case{4, zut::du_foot},
                   Case{3, zut::du_us_foot}, Case{3, zut::du_millimetre}}) {
        zut::CNorth::precision(c.precision);
        zut::CLinear::unit(c.unit);
        CExportLeica writer(16);
        ExpectRefused(writer, 9074);
    }
    EXPECT_EQ(prompter->shown.size(), 5u);
}

TEST_F(LeicaExport, EastingStyleTwoRefusesEightCharacterWordsOnly) {
    Add("P1", 1, 2, 3);
    project.SetEStyle(zut::es_zone_prefix);
    CExportLeica eight(8);
    ExpectRefused(eight, 9074);
    CExportLeica sixteen(16);
    bool ok = false;
    EXPECT_NE(Export(sixteen, &ok), "");
    EXPECT_TRUE(ok);
}

TEST_F(LeicaExport, CopiesKeepWordSizeAndUnitCode) {
    vrk::CVrkObject p;
    platform::TextFile none;
    zut::CNorth::precision(4);
    CExportLeica original(16);
    ASSERT_TRUE(original.ExportFirst(none, p));
    zut::CNorth::precision(3);

    CExportLeica copy(original);
    EXPECT_EQ(copy.WordSize(), 16);
    EXPECT_EQ(copy.UnitCode(), "16");
    const vrk::CVrkPoint point = Point("P1", 1.5, 2.5, 3.5);
    EXPECT_EQ(copy.FormExpStroka(point, "P1"), original.FormExpStroka(point, "P1"));

    CExportLeica assigned(8);
    assigned = original;
    EXPECT_EQ(assigned.WordSize(), 16);
    EXPECT_EQ(assigned.UnitCode(), "16");
    EXPECT_EQ(assigned.FormExpStroka(point, "P1"), original.FormExpStroka(point, "P1"));
    EXPECT_EQ(assigned.FormNameStroka("ABCDEFGH12345678"), "ABCDEFGH12345678");
}

TEST_F(LeicaExport, AnotherWordSizeKeepsTheBaseSettings) {
    CExportLeica odd(12);
    EXPECT_EQ(odd.WordSize(), 12);
    EXPECT_EQ(odd.FormNameStroka(std::string(100, 'A')), std::string(100, 'A'));
    EXPECT_FALSE(odd.NameInvalid());
}

}  // namespace
}  // namespace export_test
