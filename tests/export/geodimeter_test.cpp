#include "export/export_geodimetr.h"
#include "export_fixture.h"

namespace export_test {
namespace {

using GeodimeterExport = ExportTest;

TEST_F(GeodimeterExport, TitleThenOneLabelALine) {
    project.title = "JOB1";
    Add("P1", 1234.5, 5678.25, 10);
    Add("Q_2-x", -1, 0, -0.25);
    CExportGeodimetr writer;
    EXPECT_EQ(Export(writer),
              "15=JOB1\r\n5=P1\r\n37=1234.500\r\n38=5678.250\r\n39=10.000\r\n"
              "5=Q_2-x\r\n37=-1.000\r\n38=0.000\r\n39=-0.250\r\n");
}

TEST_F(GeodimeterExport, MissingValuesLeaveTheirLinesOut) {
    Add("P1", 1, 2, std::nullopt);
    Add("P2", std::nullopt, std::nullopt, std::nullopt);
    CExportGeodimetr writer;
    EXPECT_EQ(Export(writer), "15=\r\n5=P1\r\n37=1.000\r\n38=2.000\r\n5=P2\r\n");
}

TEST_F(GeodimeterExport, EmptyAndCyrillicNamesAreWrittenInTheInstrumentCodePage) {
    project.title = "Объект 1";
    Add("", 1, 2, 3);
    Add("Пункт-1", 1, 2, 3);
    CExportGeodimetr writer;
    EXPECT_EQ(Export(writer),
              "15=\xCE\xE1\xFA\xE5\xEA\xF2 1\r\n"
              "5=\r\n37=1.000\r\n38=2.000\r\n39=3.000\r\n"
              "5=\xCF\xF3\xED\xEA\xF2-1\r\n37=1.000\r\n38=2.000\r\n39=3.000\r\n");
}

TEST_F(GeodimeterExport, ALineBreakInTheTitleDoesNotStartALabel) {
    project.title = "A\n5=B\r\n";
    CExportGeodimetr writer;
    platform::TextFile file;
    ASSERT_TRUE(file.Open(Out(), platform::TextFile::Mode::Write));
    EXPECT_TRUE(writer.ExportFirst(file, project));
    file.Close();
    EXPECT_EQ(ReadFile(Out()), "15=A 5=B  \r\n");
}

TEST_F(GeodimeterExport, NameRule) {
    CExportGeodimetr writer;
    const std::string long_name(150, 'A');
    EXPECT_EQ(writer.FormNameStroka(long_name), long_name);  // no length limit
    EXPECT_EQ(writer.FormNameStroka("\xC0\xFF-_9z"), "\xC0\xFF-_9z");
    EXPECT_FALSE(writer.NameInvalid());
    // A blank, a point, a byte below the Cyrillic letters (0xA8 is "Ё") and a character the
    // code page cannot hold ('?' after the conversion) are refused.
    ExpectNamesRefused([] { return CExportGeodimetr(); }, {"P 1", "P.1", "\xA8", "?", "P/1"});
}

TEST_F(GeodimeterExport, WidthsAreTwelveTwelveAndTen) {
    Add("X13", 123456789.125, 0, 0);  // 13 characters
    Add("Y13", 0, -12345678.125, 0);  // 13 with the sign
    Add("H11", 0, 0, 1234567.125);    // 11
    Add("OK", 12345678.125, -1234567.125, 123456.125);
    Add("P 1", 1, 2, 3);
    CExportGeodimetr writer;
    EXPECT_EQ(Export(writer),
              "15=\r\n5=OK\r\n37=12345678.125\r\n38=-1234567.125\r\n39=123456.125\r\n");
    const auto f123 = [](const char* name) { return res::Format(res::LoadString(9123), {name}); };
    EXPECT_EQ(Log(), (std::vector<std::string>{f123("X13"), f123("Y13"), f123("H11"),
                                               res::Format(res::LoadString(9122), {"P 1"})}));
}

}  // namespace
}  // namespace export_test
