#include "export/export_trimble.h"
#include "export_fixture.h"

namespace export_test {
namespace {

using TrimbleExport = ExportTest;

class TrimbleAt : public CExportTrimble {
  public:
    TrimbleAt(int model, int written) : CExportTrimble(model) { m_nExported = written; }
};

const std::string kCoords1 =
    "|X        1234.567 m   |Y        5678.900 m   |Z         100.000 m   | \r\n";

TEST_F(TrimbleExport, Model3600Record) {
    Add("P1", 1234.567, 5678.9, 100);
    CExportTrimble writer(3600);
    const std::string bytes = Export(writer);
    EXPECT_EQ(bytes, "For M5|Adr     1|PI1 P1" + std::string(25, ' ') + kCoords1);
    EXPECT_EQ(bytes.size(), 20u + 28u + 71u + 2u);  // blocks of 20, 28 and 71, then CR LF
}

TEST_F(TrimbleExport, Model3300TakesDigitsRightAligned) {
    Add("P1", 1, 2, 3);
    Add("1001", 1234.567, 5678.9, 100);
    CExportTrimble writer(3300);
    EXPECT_EQ(Export(writer),
              "For M5|Adr     1|PI1" + std::string(16, ' ') + "        1001" + kCoords1);
    EXPECT_EQ(Log(), (std::vector<std::string>{res::Format(res::LoadString(9122), {"P1"})}));
}

TEST_F(TrimbleExport, Model3600TakesCyrillicNamesInTheInstrumentCodePage) {
    Add("Репер7", 1234.567, 5678.9, 100);
    CExportTrimble writer(3600);
    EXPECT_EQ(Export(writer),
              "For M5|Adr     1|PI1 \xD0\xE5\xEF\xE5\xF0"
              "7" +
                  std::string(6, ' ') + std::string(15, ' ') + kCoords1);
}

TEST_F(TrimbleExport, NamesAtAndOverTwelveCharacters) {
    CExportTrimble m3300(3300);
    EXPECT_EQ(m3300.FormNameStroka("123456789012"), "123456789012");
    EXPECT_FALSE(m3300.NameInvalid());
    CExportTrimble m3600(3600);
    EXPECT_EQ(m3600.FormNameStroka("ABCDEF\xC0\xFF"
                                   "1234"),
              "ABCDEF\xC0\xFF"
              "1234");
    EXPECT_FALSE(m3600.NameInvalid());
    ExpectNamesRefused([] { return CExportTrimble(3300); }, {"1234567890123", "12A", ""});
    ExpectNamesRefused([] { return CExportTrimble(3600); },
                       {"ABCDEFGHIJKLM", "A-1", "A_1", "\xA8", ""});
}

TEST_F(TrimbleExport, MissingCoordinatesAreBlankAndWidthsAreFourteenAndThirteen) {
    Add("1", std::nullopt, 2, std::nullopt);
    Add("2", 9999999999.999, 0, 0);   // 14 characters: fits
    Add("3", -9999999.999, 0, 0);     // 12 with the sign
    Add("4", 0, 0, 999999999.999);    // 13: fits
    Add("5", 0, -9999999999.999, 0);  // 15: refused
    Add("6", 0, 0, -999999999.999);   // 14: refused
    CExportTrimble writer(3300);
    const std::string bytes = Export(writer);
    EXPECT_NE(bytes.find("|X  " + std::string(14, ' ') + " m   |Y           2.000 m   |Z   " +
                         std::string(13, ' ') + " m   | \r\n"),
              std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find("|X  9999999999.999 m   "), std::string::npos);
    EXPECT_NE(bytes.find("|Z   999999999.999 m   "), std::string::npos);
    EXPECT_EQ(writer.ExportedCount(), 4);
    const auto wide = [](const char* name) { return res::Format(res::LoadString(9123), {name}); };
    EXPECT_EQ(Log(), (std::vector<std::string>{wide("5"), wide("6")}));
}

TEST_F(TrimbleExport, TheHundredThousandthAddressLengthensTheRecord) {
    TrimbleAt at(3600, 99999);
    const std::string record = at.FormExpStroka(Point("P1", 1234.567, 5678.9, 100), "P1");
    EXPECT_EQ(record,
              "For M5|Adr 100000|PI1 P1" + std::string(25, ' ') +
                  "|X        1234.567 m   |Y        5678.900 m   |Z         100.000 m   | \n");
    TrimbleAt before(3600, 99998);
    EXPECT_EQ(before.FormExpStroka(Point("P1", 0, 0, 0), "P1").substr(0, 16), "For M5|Adr 99999");
}

TEST_F(TrimbleExport, OtherDistanceUnitsAskAndStillWriteMetres) {
    Add("1", 1234.567, 5678.9, 100);
    zut::CLinear::unit(zut::du_foot);
    CExportTrimble writer(3600);
    prompter->Answer(ui::IDNO);
    ExpectRefused(writer, 9084);
    EXPECT_EQ(prompter->shown[0].type & 0x0F, unsigned(ui::MB_YESNO));

    prompter->Answer(ui::IDYES);
    bool ok = false;
    EXPECT_NE(Export(writer, &ok).find(kCoords1), std::string::npos);
    EXPECT_TRUE(ok);
    EXPECT_EQ(zut::CLinear::unit(), zut::du_foot);  // put back after each record
}

TEST_F(TrimbleExport, CopiesKeepTheModel) {
    CExportTrimble original(3300);
    CExportTrimble copy(original);
    EXPECT_EQ(copy.Model(), 3300);
    CExportTrimble assigned(3600);
    assigned = original;
    EXPECT_EQ(assigned.Model(), 3300);
    EXPECT_EQ(assigned.FormNameStroka("42"), "          42");
}

}  // namespace
}  // namespace export_test
