// The name rule and the coordinate widths of every writer, at and over their limits.
#include "export_fixture.h"

namespace export_test {
namespace {

TEST(ExportFields, NamesAtAndOverTheWidthAndRefusedCharacters) {
    struct Accepted {
        int format;
        std::string name, field;
    };
    const std::vector<Accepted> accepted = {
        {kLeica16, "ABCDEFGH12345678", "ABCDEFGH12345678"},
        {kGeodimeter, std::string(150, 'A'), std::string(150, 'A')},
        {kGeodimeter, "\xC0\xFF-_9z", "\xC0\xFF-_9z"},
        {kPentax, "ABCDEFGHIJ1234+", "ABCDEFGHIJ1234+"},
        {kTrimble3300, "123456789012", "123456789012"},
        {kTrimble3600, "ABCDEF\xC0\xFFZ123", "ABCDEF\xC0\xFFZ123"},
        {kTTA5, "00017", "       00017"},
        {kTTA5, "12345678901", " 12345678901"},
    };
    for (const Accepted& row : accepted) {
        auto writer = CreateExporter(row.format);
        EXPECT_EQ(writer->FormNameStroka(row.name), row.field) << row.format << " " << row.name;
        EXPECT_FALSE(writer->NameInvalid()) << row.format << " " << row.name;
    }

    // '?' is what a character outside the code page becomes; 0xA9 ("©") is no letter.
    const std::vector<std::pair<int, std::vector<std::string>>> refused = {
        {kLeica8, {"ABCD12345", "P 1", "P-1", "P_1", "", "\xCF\xF3"}},
        {kLeica16, {"ABCDEFGH123456789"}},
        {kGeodimeter, {"P 1", "P.1", "\xA9", "?", "P/1"}},
        {kPentax, {"ABCDEFGHIJ123456", "A_1", "A 1", "A.1", ""}},
        {kTrimble3300, {"1234567890123", "12A", ""}},
        {kTrimble3600, {"ABCDEFGHIJKLM", "A-1", "A_1", "\xA9", ""}},
        {kTTA5, {"A17", "17a", "123456789012", "", "1 7", "-17"}},
    };
    for (const auto& [format, names] : refused)
        for (const std::string& name : names) {
            auto writer = CreateExporter(format);
            EXPECT_EQ(writer->FormNameStroka(name), "") << format << " " << name;
            EXPECT_TRUE(writer->NameInvalid()) << format << " " << name;
        }
}

TEST(ExportFields, CoordinatesAtTheWidthFitOneCharacterMoreIsTooLong) {
    struct Row {
        int format;
        char axis;
        double value;
        const char* text;  // null: too long
    };
    // The Leica and Geodimeter values at their widths stand in their records.
    const std::vector<Row> rows = {
        {kPentax, 'X', 999999.999, "+999999.999"},
        {kPentax, 'X', 1000000, nullptr},
        {kPentax, 'H', -100000, "-100000.000"},
        {kPentax, 'H', -1000000, nullptr},
        {kGeodimeter, 'Y', -12345678.125, nullptr},
        {kGeodimeter, 'H', 1234567.125, nullptr},
        {kTrimble3300, 'X', 9999999999.999, "9999999999.999"},
        {kTrimble3600, 'Y', -9999999999.999, nullptr},
        {kTrimble3300, 'H', 999999999.999, "999999999.999"},
        {kTrimble3600, 'H', -999999999.999, nullptr},
        {kTTA5, 'X', 1234567.123, "1234567.123"},
        {kTTA5, 'X', 12345678.123, nullptr},
        {kTTA5, 'Y', -123456.123, "-123456.123"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.format << " " << row.axis << " " << row.value);
        auto writer = CreateExporter(row.format);
        const auto on = [&row](char axis) { return row.axis == axis ? row.value : 0.0; };
        const vrk::CVrkPoint p = ToPoint({"A", on('X'), on('Y'), on('H')});
        const std::string text = row.axis == 'X'   ? writer->FormXStroka(p)
                                 : row.axis == 'Y' ? writer->FormYStroka(p)
                                                   : writer->FormHStroka(p);
        EXPECT_EQ(writer->CoordTooLong(), row.text == nullptr);
        if (row.text) {
            EXPECT_EQ(text, row.text);
        }
    }
}

}  // namespace
}  // namespace export_test
