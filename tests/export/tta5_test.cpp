#include "export/export_3ta5.h"
#include "export_fixture.h"

namespace export_test {
namespace {

using TTA5Export = ExportTest;

const std::string kBlanks12(12, ' ');

TEST_F(TTA5Export, CoordinateStationRecordOfSevenFields) {
    Add("17", 1234.5, 567.25, 100);
    CExport3TA5 writer;
    const std::string bytes = Export(writer);
    const std::string record = "        1100" + std::string(10, ' ') + "17" + kBlanks12 +
                               "    1234.500" + "     567.250" + "     100.000" + kBlanks12;
    EXPECT_EQ(record.size(), 84u);
    EXPECT_EQ(bytes, record + "\r\n");
}

TEST_F(TTA5Export, MissingCoordinatesAreBlankFields) {
    Add("1", std::nullopt, -5, std::nullopt);
    CExport3TA5 writer;
    EXPECT_EQ(Export(writer), "        1100" + std::string(11, ' ') + "1" + kBlanks12 + kBlanks12 +
                                  "      -5.000" + kBlanks12 + kBlanks12 + "\r\n");
}

TEST_F(TTA5Export, NamesAreOneToElevenDigits) {
    CExport3TA5 writer;
    EXPECT_EQ(writer.FormNameStroka("00017"), "       00017");
    EXPECT_EQ(writer.FormNameStroka("12345678901"), " 12345678901");
    EXPECT_FALSE(writer.NameInvalid());
    ExpectNamesRefused([] { return CExport3TA5(); },
                       {"A17", "17a", "123456789012", "", "1 7", "-17"});
}

TEST_F(TTA5Export, CoordinatesOverElevenCharactersAreRefused) {
    Add("1", 12345678.123, 0, 0);  // 12 characters
    Add("2", 1234567.123, -123456.123, 0);
    Add("A1", 1, 1, 1);
    CExport3TA5 writer;
    const std::string bytes = Export(writer);
    EXPECT_EQ(bytes.size(), 86u);
    EXPECT_NE(bytes.find(" 1234567.123 -123456.123"), std::string::npos);
    EXPECT_EQ(Log(), (std::vector<std::string>{res::Format(res::LoadString(9123), {"1"}),
                                               res::Format(res::LoadString(9122), {"A1"})}));
}

TEST_F(TTA5Export, FeetAskAndEastingStyleTwoRefuses) {
    Add("1", 1, 2, 3);
    zut::CLinear::unit(zut::du_foot);
    CExport3TA5 writer;
    prompter->Answer(ui::IDNO);
    ExpectRefused(writer, 9084);

    // Yes goes on to the style check.
    project.SetEStyle(zut::es_zone_prefix);
    prompter->Answer(ui::IDYES);
    ExpectRefused(writer, 9074);
    EXPECT_EQ(prompter->shown.size(), 3u);

    // Yes with a plain style writes, in metres whatever the unit in force.
    project.SetEStyle(zut::es_plain);
    prompter->Answer(ui::IDYES);
    bool ok = false;
    EXPECT_NE(Export(writer, &ok).find("       1.000       2.000       3.000"), std::string::npos);
    EXPECT_TRUE(ok);
    EXPECT_EQ(zut::CLinear::unit(), zut::du_foot);
}

TEST_F(TTA5Export, CopiesFormTheSameRecords) {
    CExport3TA5 original;
    CExport3TA5 copy(original);
    const vrk::CVrkPoint p = Point("5", 1, 2, 3);
    EXPECT_EQ(copy.FormExpStroka(p, "5"), original.FormExpStroka(p, "5"));
}

}  // namespace
}  // namespace export_test
