#include <gtest/gtest.h>

#include <string>

#include "resources/strings.h"

using res::Format;

namespace {

TEST(Format, FillsMessagesFromTheTable) {
    const std::string log = Format(res::LoadString(9026, res::Language::English),
                                   {"/data/a.gsi", "12", "Code false 7x\n"});
    EXPECT_EQ(log, "File  /data/a.gsi, string  12:\nCode false 7x\n");

    EXPECT_EQ(Format(res::LoadString(9075, res::Language::English), {"99999", "-100", "100"}),
              "The value '99999' is out of range.\nAdmissible interval: -100 ... 100.\n");
    EXPECT_EQ(Format(res::LoadString(9011, res::Language::English), {"/tmp/3TA5.txt", "2"}),
              "File /tmp/3TA5.txt\nReceived 2 strings\nContinue ?");
    EXPECT_EQ(Format(res::LoadString(9076, res::Language::English), {"10001"}),
              "Can't allocate 10001 bytes");
    EXPECT_EQ(Format(res::LoadString(9018, res::Language::Russian), {"ж.txt"}),
              "Файл \"ж.txt\" содержит данные в неизвестном формате.\n");
}

TEST(Format, PercentNewlineSPutsTheArgumentOnItsOwnLine) {
    EXPECT_EQ(Format("File %\ns not exists", {"/x/y.dat"}), "File \n/x/y.dat not exists");
    EXPECT_EQ(Format(res::LoadString(9022, res::Language::English), {"C:\\a.txt"}),
              "File \nC:\\a.txt not exists");
    EXPECT_EQ(Format("Not blank after point  %\ns ", {"P7"}), "Not blank after point  \nP7 ");
    // Without an argument only the line feed remains.
    EXPECT_EQ(Format("File %\ns not exists", {}), "File \n not exists");
    // A percent and a line feed not followed by s is plain text.
    EXPECT_EQ(Format("a%\nb", {"x"}), "a%\nb");
}

TEST(Format, PercentSignsAndUnknownSequences) {
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("%%s", {"x"}), "%s");
    EXPECT_EQ(Format("%%%s%%", {"x"}), "%x%");
    // Not a conversion of ours: copied, and no argument is used up.
    EXPECT_EQ(Format("%f and %s", {"a"}), "%f and a");
    EXPECT_EQ(Format("%5.2f|%s", {"a"}), "%5.2f|a");
    EXPECT_EQ(Format("%x%c%p %s", {"a"}), "%x%c%p a");
    EXPECT_EQ(Format("%*s %s", {"a", "b"}), "%*s a");
    // A percent at the very end, alone or with a started sequence.
    EXPECT_EQ(Format("50%", {"a"}), "50%");
    EXPECT_EQ(Format("50%-", {"a"}), "50%-");
    EXPECT_EQ(Format("50%l", {"a"}), "50%l");
    EXPECT_EQ(Format("", {"a"}), "");
    EXPECT_EQ(Format("no conversions", {"a", "b"}), "no conversions");
}

TEST(Format, ArgumentsAreTakenInOrderAndMissingOnesAreEmpty) {
    EXPECT_EQ(Format("%s-%d-%ld-%i-%u-%lu-%lld-%hd", {"a", "1", "2", "3", "4", "5", "6", "7"}),
              "a-1-2-3-4-5-6-7");
    EXPECT_EQ(Format("%s and %s and %s", {"one"}), "one and  and ");
    EXPECT_EQ(Format("%s", {}), "");
    EXPECT_EQ(Format("[%5s][%-5s]", {}), "[     ][     ]");
    // Arguments with percent signs are not formatted again.
    EXPECT_EQ(Format("%s|%s", {"%s%d", "x"}), "%s%d|x");
    // A NUL byte inside an argument is kept.
    EXPECT_EQ(Format("<%s>", {std::string_view("a\0b", 3)}), std::string("<a\0b>", 5));
}

TEST(Format, WidthPrecisionAndFlags) {
    EXPECT_EQ(Format("[%5s]", {"ab"}), "[   ab]");
    EXPECT_EQ(Format("[%-5s]", {"ab"}), "[ab   ]");
    EXPECT_EQ(Format("[%2s]", {"abcdef"}), "[abcdef]");
    EXPECT_EQ(Format("[%.3s]", {"abcdef"}), "[abc]");
    EXPECT_EQ(Format("[%-6.2s]", {"abcdef"}), "[ab    ]");
    // Cyrillic letters count as one column each and are never cut in half.
    EXPECT_EQ(Format("[%5s]", {"жук"}), "[  жук]");
    EXPECT_EQ(Format("[%.2s]", {"жук"}), "[жу]");

    EXPECT_EQ(Format("%04d", {"7"}), "0007");
    EXPECT_EQ(Format("%04d", {"-7"}), "-007");
    EXPECT_EQ(Format("%5d|%-5d|", {"42", "42"}), "   42|42   |");
    EXPECT_EQ(Format("%+d %+d % d", {"5", "-5", "5"}), "+5 -5  5");
    EXPECT_EQ(Format("%.3d", {"7"}), "007");
    EXPECT_EQ(Format("%5ld", {"10001"}), "10001");
    EXPECT_EQ(Format("%d", {"+9"}), "9");
    // A numeric conversion given something else lays it out as text.
    EXPECT_EQ(Format("%05d|", {"abc"}), "  abc|");
    EXPECT_EQ(Format("%d|", {""}), "|");
}

TEST(Format, AbsurdWidthsAreLeftAsText) {
    // Far beyond any layout: copied as text instead of allocating.
    EXPECT_EQ(Format("%99999999999999999999s|%s", {"a"}), "%99999999999999999999s|a");
    EXPECT_EQ(Format("%.99999s", {"a"}), "%.99999s");
    EXPECT_EQ(Format("%4096s", {"a"}).size(), 4096u);
}

}  // namespace
