#include <gtest/gtest.h>

#include <string>

#include "resources/strings.h"

using res::Format;

namespace {

TEST(Format, FillsMessagesFromTheTable) {
    EXPECT_EQ(Format(res::LoadString(9026, res::Language::English),
                     {"/data/a.gsi", "12", "Code false 7x\n"}),
              "File  /data/a.gsi, string  12:\nCode false 7x\n");
    EXPECT_EQ(Format(res::LoadString(9018, res::Language::Russian), {"ж.txt"}),
              "Файл \"ж.txt\" содержит данные в неизвестном формате.\n");
    // Percent, line feed, s: the argument on a line of its own; without one only the line feed.
    EXPECT_EQ(Format(res::LoadString(9022, res::Language::English), {"C:\\a.txt"}),
              "File \nC:\\a.txt not exists");
    EXPECT_EQ(Format("File %\ns not exists", {}), "File \n not exists");
    EXPECT_EQ(Format("a%\nb", {"x"}), "a%\nb");
}

TEST(Format, PercentSignsAndSequencesThatAreNotOurs) {
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("%%%s%%", {"x"}), "%x%");
    // Copied, and no argument is used up.
    EXPECT_EQ(Format("%f and %s", {"a"}), "%f and a");
    EXPECT_EQ(Format("%x%c%p %s", {"a"}), "%x%c%p a");
    EXPECT_EQ(Format("%*s %s", {"a", "b"}), "%*s a");
    // A percent at the very end, alone or with a started sequence.
    EXPECT_EQ(Format("50%", {"a"}), "50%");
    EXPECT_EQ(Format("50%l", {"a"}), "50%l");
    EXPECT_EQ(Format("", {"a"}), "");
    // Far beyond any layout: copied as text instead of allocating.
    EXPECT_EQ(Format("%99999999999999999999s|%s", {"a"}), "%99999999999999999999s|a");
    EXPECT_EQ(Format("%.99999s", {"a"}), "%.99999s");
    EXPECT_EQ(Format("%4096s", {"a"}).size(), 4096u);
}

TEST(Format, ArgumentsAreTakenInOrderAndMissingOnesAreEmpty) {
    EXPECT_EQ(Format("%s-%d-%ld-%i-%u-%lu-%lld-%hd", {"a", "1", "2", "3", "4", "5", "6", "7"}),
              "a-1-2-3-4-5-6-7");
    EXPECT_EQ(Format("%s and %s and %s", {"one"}), "one and  and ");
    EXPECT_EQ(Format("[%5s][%-5s]", {}), "[     ][     ]");
    EXPECT_EQ(Format("no conversions", {"a", "b"}), "no conversions");
    // Arguments with percent signs are not formatted again; a NUL inside one is kept.
    EXPECT_EQ(Format("%s|%s", {"%s%d", "x"}), "%s%d|x");
    EXPECT_EQ(Format("<%s>", {std::string_view("a\0b", 3)}), std::string("<a\0b>", 5));
}

TEST(Format, WidthPrecisionAndFlags) {
    EXPECT_EQ(Format("[%-6.2s][%2s]", {"abcdef", "abcdef"}), "[ab    ][abcdef]");
    // Cyrillic letters count as one column each and are never cut in half.
    EXPECT_EQ(Format("[%5s]", {"жук"}), "[  жук]");
    EXPECT_EQ(Format("[%.2s]", {"жук"}), "[жу]");
    EXPECT_EQ(Format("%04d|%04d", {"7", "-7"}), "0007|-007");
    EXPECT_EQ(Format("%5d|%-5d|", {"42", "42"}), "   42|42   |");
    EXPECT_EQ(Format("%+d %+d % d %d", {"5", "-5", "5", "+9"}), "+5 -5  5 9");
    EXPECT_EQ(Format("%.3d", {"7"}), "007");
    // A numeric conversion given something else lays it out as text.
    EXPECT_EQ(Format("%05d|%d|", {"abc", ""}), "  abc||");
}

}  // namespace
