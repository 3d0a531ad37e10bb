#include "export/export_pentax.h"
#include "export_fixture.h"

namespace export_test {
namespace {

using PentaxExport = ExportTest;

TEST_F(PentaxExport, WritesNumberCoordinatesAndName) {
    Add("P1", 1234.567, 5678.9, 100);
    Add("Q-2+", -12.5, 0, -0.0001);
    CExportPentax writer;
    EXPECT_EQ(Export(writer),
              "0001,+001234.567,+005678.900,+000100.000,P1,\r\n"
              "0002,-000012.500,+000000.000,+000000.000,Q-2+,\r\n");
}

TEST_F(PentaxExport, EmptyElevationGivesAnEmptyField) {
    Add("P1", 1, 2, std::nullopt);
    CExportPentax writer;
    EXPECT_EQ(Export(writer), "0001,+000001.000,+000002.000,,P1,\r\n");
}

TEST_F(PentaxExport, NameRule) {
    CExportPentax writer;
    EXPECT_EQ(writer.FormNameStroka("ABCDEFGHIJ12345"), "ABCDEFGHIJ12345");
    EXPECT_FALSE(writer.NameInvalid());
    ExpectNamesRefused([] { return CExportPentax(); },
                       {"ABCDEFGHIJ123456", "A_1", "A 1", "A.1", ""});
}

TEST_F(PentaxExport, EastingStyleTwoIsRefused) {
    Add("P1", 1, 2, 3);
    project.SetEStyle(zut::es_zone_prefix);
    CExportPentax writer;
    ExpectRefused(writer, 9074);
    project.SetEStyle(zut::es_false_easting);
    bool ok = false;
    EXPECT_NE(Export(writer, &ok), "");
    EXPECT_TRUE(ok);
}

TEST_F(PentaxExport, CoordinatesAreTooLongOneCharacterOverEleven) {
    CExportPentax writer;
    EXPECT_EQ(writer.FormXStroka(Point("A", 999999.999, 0, 0)), "+999999.999");
    EXPECT_FALSE(writer.CoordTooLong());
    EXPECT_EQ(writer.FormXStroka(Point("A", 1000000, 0, 0)), "+1000000.000");
    EXPECT_TRUE(writer.CoordTooLong());
    CExportPentax h;
    EXPECT_EQ(h.FormHStroka(Point("A", 0, 0, -100000)), "-100000.000");
    EXPECT_FALSE(h.CoordTooLong());
    h.FormHStroka(Point("A", 0, 0, -1000000));
    EXPECT_TRUE(h.CoordTooLong());
}

}  // namespace
}  // namespace export_test
