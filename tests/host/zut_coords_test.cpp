// zut::CEast, CNorth and CLocCrdStyle: the process-wide coordinate presentation.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "import/contracts/zut.h"

namespace {

using namespace zut;

// Every test runs inside a CLocCrdStyle that saved the presentation it found; precisions and
// the flags, which Setup does not set, start from 3 and false here.
class ZutCoords : public ::testing::Test {
  protected:
    void SetUp() override {
        guard_.Setup(0, 0, 0, zw_6deg, es_plain, ns_plain);
        CEast::precision(3);
        CNorth::precision(3);
        CEast::m_AutoRange = false;
        CNorth::m_AutoRange = false;
    }
    void TearDown() override { guard_.Restore(); }

  private:
    CLocCrdStyle guard_;
};

TEST_F(ZutCoords, QueriesAndUnknownCodesChangeNothing) {
    CEast::false_easting(500000);
    EXPECT_DOUBLE_EQ(CEast::false_easting(CEast::query), 500000);
    CNorth::false_northing(-10);
    EXPECT_DOUBLE_EQ(CNorth::false_northing(), -10);
    CEast::zone(7);
    EXPECT_EQ(CEast::zone(), 7);
    CEast::zone_width(zw_3deg);
    EXPECT_EQ(CEast::zone_width(5), zw_3deg);
    CEast::style(es_zone_prefix);
    EXPECT_EQ(CEast::style(9), es_zone_prefix);
    CNorth::style(ns_false_northing);
    EXPECT_EQ(CNorth::style(3), ns_false_northing);
    CNorth::precision(4);
    EXPECT_EQ(CNorth::precision(-1), 4);
    EXPECT_EQ(CEast::precision(50), 12);  // clamped
}

TEST_F(ZutCoords, WriteInEachStyle) {
    // East or north, style, zone, precision, value, text.
    const std::tuple<bool, int, int, int, double, const char*> rows[] = {
        {true, es_plain, 7, 3, 123456.789, "123456.789"},
        {true, es_false_easting, 7, 3, 123456.789, "623456.789"},
        {true, es_false_easting, 7, 3, -100, "499900.000"},
        {true, es_zone_prefix, 7, 3, 123456.789, "7623456.789"},
        {true, es_zone_prefix, 7, 3, -400000, "7100000.000"},
        {true, es_zone_prefix, 12, 3, 0, "12500000.000"},
        {true, es_zone_prefix, 12, 1, 123456.789, "12623456.8"},
        {true, es_zone_prefix, 12, 0, 0.4, "12500000"},
        {false, ns_plain, 0, 3, -1234.5678, "-1234.568"},
        {false, ns_false_northing, 0, 3, -1234.5678, "9998765.432"},
        {false, ns_false_northing, 0, 2, 0, "10000000.00"},
        {false, ns_plain, 0, 2, -0.0001, "0.00"},
    };
    CEast::false_easting(500000);
    CNorth::false_northing(10000000);
    for (auto [east, style, zone, precision, value, expected] : rows) {
        if (east) {
            CEast::style(style);
            CEast::zone(zone);
            CEast::precision(precision);
            EXPECT_EQ(CEast::write(value), expected);
        } else {
            CNorth::style(style);
            CNorth::precision(precision);
            EXPECT_EQ(CNorth::write(value), expected);
        }
    }
}

TEST_F(ZutCoords, LocCrdStyleRestoresWhatTheFirstSetupFound) {
    auto state = [] {
        return std::tuple(CEast::false_easting(), CNorth::false_northing(), CEast::zone(),
                          CEast::zone_width(), CEast::style(), CNorth::style(), CEast::precision(),
                          CNorth::precision(), CEast::m_AutoRange);
    };
    CEast::false_easting(1);
    CNorth::false_northing(2);
    CEast::zone(3);
    CEast::zone_width(zw_3deg);
    CEast::style(es_false_easting);
    CNorth::style(ns_false_northing);
    CEast::precision(5);
    CNorth::precision(6);
    CEast::m_AutoRange = true;
    const auto before = state();
    {
        CLocCrdStyle style;
        style.Setup(500000, 0, 7, zw_6deg, es_zone_prefix, ns_plain);
        CEast::precision(3);
        EXPECT_EQ(CEast::write(123456.789), "7623456.789");
        style.Setup(0, 0, 9, zw_3deg, es_plain, ns_false_northing);  // keeps the first saved state
        EXPECT_EQ(CEast::zone(), 9);
        CNorth::precision(1);
        CEast::m_AutoRange = false;
        style.Restore();
        EXPECT_EQ(state(), before);

        CEast::zone(4);  // a second Restore changes nothing
        style.Restore();
        EXPECT_EQ(CEast::zone(), 4);
        CEast::zone(3);
        style.Setup(300000, 0, 11, zw_6deg, es_zone_prefix, ns_plain);
        // Query values keep the current settings.
        style.Setup(CEast::query, CNorth::query, -1, -1, -1, -1);
        EXPECT_EQ(CEast::zone(), 11);
        EXPECT_EQ(CEast::style(), es_zone_prefix);
        EXPECT_DOUBLE_EQ(CEast::false_easting(), 300000);
    }
    EXPECT_EQ(state(), before);  // the destructor restored
}

}  // namespace
