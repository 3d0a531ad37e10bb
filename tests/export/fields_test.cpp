// The name rule and the coordinate widths of every writer, at and over their limits.
#include <tuple>

#include "export_fixture.h"

namespace export_test {
namespace {

TEST(ExportFields, NamesAtAndOverTheWidthAndRefusedCharacters) {
    // Format, name, the field it gives.
    const std::tuple<int, std::string, std::string> accepted[] = {
        {kLeica16, "ABCDEFGH12345678", "ABCDEFGH12345678"},
        {kGeodimeter, std::string(150, 'A'), std::string(150, 'A')},
        {kGeodimeter, "\xC0\xFF-_9z", "\xC0\xFF-_9z"},
        {kPentax, "ABCDEFGHIJ1234+", "ABCDEFGHIJ1234+"},
        {kTrimble3300, "123456789012", "123456789012"},
        {kTrimble3600, "ABCDEF\xC0\xFFZ123", "ABCDEF\xC0\xFFZ123"},
        {kTTA5, "00017", "       00017"},
        {kTTA5, "12345678901", " 12345678901"},
    };
    for (const auto& [format, name, field] : accepted) {
        auto writer = CreateExporter(format);
        EXPECT_EQ(writer->FormNameStroka(name), field) << format << " " << name;
        EXPECT_FALSE(writer->NameInvalid()) << format << " " << name;
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
    // Format, axis, value, text (null: too long). The Leica and Geodimeter values at their
    // widths stand in their records.
    const std::tuple<int, char, double, const char*> rows[] = {
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
    for (auto [format, axis, value, expected] : rows) {
        SCOPED_TRACE(testing::Message() << format << " " << axis << " " << value);
        auto writer = CreateExporter(format);
        const auto on = [&](char a) { return axis == a ? value : 0.0; };
        const vrk::CVrkPoint p = ToPoint({"A", on('X'), on('Y'), on('H')});
        const std::string text = axis == 'X'   ? writer->FormXStroka(p)
                                 : axis == 'Y' ? writer->FormYStroka(p)
                                               : writer->FormHStroka(p);
        EXPECT_EQ(writer->CoordTooLong(), expected == nullptr);
        if (expected)
            EXPECT_EQ(text, expected);
    }
}

}  // namespace
}  // namespace export_test
