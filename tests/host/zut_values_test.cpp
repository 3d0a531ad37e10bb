// zut::CLinear, CAngular, CPressure, CTemperature and CLocUnits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "import/contracts/zut.h"

namespace {

using namespace zut;

constexpr double kPi = std::numbers::pi;
constexpr double kMmHg = 1.33322387415;  // hPa
double Dms(double d, double m, double s) {
    return (d + m / 60 + s / 3600) * kPi / 180;
}

// Texts read in the current unit `unit` of the value's kind, all with the same outcome.
struct ReadRow {
    int unit;
    int rc;  // 0, 5 or 7
    // rc 0: the value in metres, radians, hPa or degrees Celsius; rc 5: the end pointer's offset.
    double expected;
    std::vector<const char*> texts;
};

// One value written in the current unit; `precision` matters to angles only.
struct WriteRow {
    int unit;
    double value;
    const char* format;
    const char* expected;
    int precision = 4;
};

// Every test starts from the default units and angle precision and puts back what it found.
class ZutValues : public ::testing::Test {
  protected:
    void SetUp() override {
        units_.SetDistUnit(du_metre);
        units_.SetAngleUnit(au_dms);
        units_.SetPressUnit(pu_hpa);
        units_.SetTempUnit(tu_celsius);
        prec_ = CAngular::precision(4);
    }
    void TearDown() override { CAngular::precision(prec_); }

    template <class T>
    static void CheckReads(const std::vector<ReadRow>& rows) {
        using Unit = decltype(T::unit());
        for (const ReadRow& row : rows) {
            for (const char* text : row.texts) {
                SCOPED_TRACE(::testing::Message() << "unit " << row.unit << " \"" << text << '"');
                T::unit(static_cast<Unit>(row.unit));
                T v = 0.125;
                const char* end = nullptr;
                ASSERT_EQ(v.read(text, &end), row.rc);
                if (row.rc == rr_ok) {
                    EXPECT_TRUE(v.valid());
                    const double tolerance = 1e-12 * std::max(1.0, std::abs(row.expected));
                    EXPECT_NEAR(v, row.expected, tolerance);
                } else if (row.rc == rr_invalid) {
                    EXPECT_EQ(end - text, row.expected);
                    EXPECT_EQ(v, 0.125);  // unchanged on failure
                }
            }
        }
    }

    template <class T>
    static void CheckWrites(const std::vector<WriteRow>& rows) {
        using Unit = decltype(T::unit());
        for (const WriteRow& row : rows) {
            SCOPED_TRACE(::testing::Message() << "unit " << row.unit << " value " << row.value);
            T::unit(static_cast<Unit>(row.unit));
            if constexpr (std::is_same_v<T, CAngular>)
                CAngular::precision(row.precision);
            T v = row.value;
            EXPECT_EQ(v.write(row.format), row.expected);
        }
    }

  private:
    CLocUnits units_;
    int prec_ = 4;
};

TEST_F(ZutValues, LinearRead) {
    CheckReads<CLinear>({
        // Signs in front or at the end, blanks around, exponents, a line feed as a blank.
        {du_metre, 0, 12.5, {"12.5", "   12.5+  ", "+12.5", "1.25e1", "12.500\n"}},
        {du_metre, 0, -12.5, {"  -12.5  ", "12.5-"}},
        {du_millimetre, 0, 1.234, {"1234"}},
        {du_metre, 5, 4, {"12.5m", "    "}},
        {du_metre, 5, 5, {"-12.5-"}},
        {du_metre, 5, 3, {"1.2.3"}},
        {du_metre, 5, 0, {""}},
        // Bounds are inclusive, checked in metres.
        {du_metre, 0, 1e8, {"100000000"}},
        {du_metre, 0, -1e8, {"-100000000"}},
        {du_millimetre, 0, 1e8, {"100000000000"}},
        {du_metre, 7, 0, {"100000000.001", "100000000.001-", "1e400"}},
        {du_millimetre, 7, 0, {"100000000001"}},
    });
}

TEST_F(ZutValues, AngularRead) {
    const double kTurn = 2 * kPi;
    CheckReads<CAngular>({
        // Degrees-minutes-seconds packed after one point, dotted, or blank-separated.
        {au_dms, 0, Dms(123, 45, 30), {"123.4530", "123.45.30", "123.45.30.", "+123.4530"}},
        {au_dms, 0, -Dms(123, 45, 30), {"123.4530-", "123.45.30.0-", "123.45.30.-"}},
        {au_dms, 0, Dms(123, 45, 30.5), {"123.45305", "123.45.30.5", "123 45 30.5"}},
        {au_dms, 0, -Dms(12, 34, 56), {"-012.34.56"}},
        {au_dms, 0, Dms(5, 10, 0), {"5.1"}},
        {au_dms, 0, Dms(0, 0, 0.12), {"0.000012"}},
        {au_dms, 0, Dms(359, 59, 59.999), {"359.5959999"}},
        {au_dms, 0, Dms(12, 0, 0), {"12.", "  12  "}},
        {au_dms, 0, Dms(0, 30, 0), {".3000"}},
        {au_dms, 0, Dms(123, 45, 3), {"123.45.3"}},
        {au_dms, 0, Dms(123, 45, 0), {"123 45"}},
        // Invalid characters.
        {au_dms, 5, 0, {"", ".", "abc", ".45.30"}},
        {au_dms, 5, 1, {"-", "1e5"}},
        {au_dms, 5, 2, {"12x"}},
        {au_dms, 5, 4, {"123..45"}},
        {au_dms, 5, 6, {"123 45.5"}},
        {au_dms, 5, 7, {"123.45."}},
        {au_dms, 5, 9, {"-123.4530-", "123.4530 -"}},
        {au_dms, 5, 11, {"123.45.30.5.1"}},
        // Minutes and seconds below 60; a full circle either way in every unit.
        {au_dms, 7, 0, {"123.6000", "123.5960", "123.60.00", "123.45.60", "123 45 60.0"}},
        {au_dms, 0, kTurn, {"360"}},
        {au_dms, 0, -kTurn, {"-360.0000"}},
        {au_dms, 7, 0, {"360.0000001", "360.00.01", "361-"}},
        {au_gon, 0, kTurn, {"400"}},
        {au_gon, 7, 0, {"400.0001"}},
        {au_degree, 0, kTurn, {"360.0"}},
        {au_degree, 7, 0, {"360.00001"}},
        {au_mil, 0, kTurn, {"6400"}},
        {au_mil, 7, 0, {"6400.1"}},
        {au_radian, 0, -kTurn, {"-6.283185307179586"}},
        {au_radian, 7, 0, {"6.2832"}},
        // Other units take plain decimals with a sign at either end.
        {au_radian, 0, 1.5, {"1.5"}},
        {au_gon, 0, -kPi, {" -200.0000 "}},
        {au_gon, 5, 6, {"123.45.30"}},
    });
}

TEST_F(ZutValues, PressureAndTemperatureRead) {
    CheckReads<CPressure>({
        {pu_hpa, 0, 1013.25, {"1013.25"}},
        {pu_inhg, 0, 29.92 * 33.8638866667, {"29.92"}},
        {pu_hpa, 0, 2000, {"2000"}},
        {pu_hpa, 0, 0, {"0"}},
        {pu_hpa, 7, 0, {"2000.1", "-1"}},
        {pu_hpa, 5, 4, {"1013hPa"}},
        {pu_mmhg, 0, 750 * kMmHg, {"  750  "}},
    });
    CheckReads<CTemperature>({
        {tu_fahrenheit, 0, 0, {"32"}},
        {tu_fahrenheit, 0, -40, {"-40"}},
        {tu_celsius, 0, -12.5, {"12.5-"}},
        {tu_celsius, 0, 100, {"100"}},
        {tu_celsius, 0, -100, {"-100"}},
        {tu_celsius, 7, 0, {"100.1", "-100.1"}},
    });
    // A unit given to read overrides the current one.
    CPressure p;  // the current unit is mmHg after the table
    EXPECT_EQ(p.read("1000", nullptr, nullptr, pu_hpa), 0);
    EXPECT_DOUBLE_EQ(p, 1000);
    CTemperature t;  // and Celsius
    EXPECT_EQ(t.read("212", nullptr, nullptr, tu_fahrenheit), 0);
    EXPECT_DOUBLE_EQ(t, 100);
    EXPECT_EQ(t.read("213", nullptr, nullptr, tu_fahrenheit), 7);
}

TEST_F(ZutValues, Write) {
    CheckWrites<CLinear>({
        {du_metre, 12.3456, nullptr, "12.346"},
        {du_metre, 12.3456, "%8.2f", "   12.35"},
        {du_metre, 12.3456, "d=%.2f m", "d=12.35 m"},
        // Not one number format: the default.
        {du_metre, 12.3456, "%s", "12.346"},
        {du_metre, 12.3456, "%f %f", "12.346"},
        {du_metre, 12.3456, "%*f", "12.346"},
        {du_metre, -0.0001, nullptr, "0.000"},
        {du_millimetre, 30.48, "%.0f", "30480"},
        {du_us_foot, 1200, nullptr, "3937.000"},
    });
    CheckWrites<CAngular>({
        // DDD.MMSSsss from precision 4 up, DDD.MM.SS with decimals of seconds below it.
        {au_dms, Dms(123, 45, 30), nullptr, "123.4530"},
        {au_dms, Dms(123, 45, 30), "%.2f", "123.4530"},  // DMS follows the precision
        {au_dms, Dms(123, 45, 30.5), nullptr, "123.45305", 5},
        {au_dms, Dms(123, 45, 30.6), nullptr, "123.45.31", 0},
        {au_dms, Dms(123, 45, 30.5), nullptr, "123.45.30.5", 1},
        {au_dms, Dms(5, 1, 2), nullptr, "5.0102"},
        {au_dms, -Dms(12, 34, 56), nullptr, "-12.3456"},
        {au_dms, -1e-12, nullptr, "0.0000"},
        // Rounding carries into minutes and degrees.
        {au_dms, Dms(10, 59, 59.9999), nullptr, "11.0000"},
        {au_dms, Dms(10, 59, 59.9999), nullptr, "10.59599999", 8},
        {au_dms, Dms(10, 59, 59.9999), nullptr, "11.00.00.00", 2},
        {au_dms, Dms(359, 59, 59.99), nullptr, "360.0000"},
        {au_dms, -Dms(0, 59, 59.7), nullptr, "-1.0000"},
        {au_radian, kPi / 2, nullptr, "1.5708"},
        {au_degree, kPi / 2, nullptr, "90.00", 2},
        {au_degree, kPi / 2, "%.1f", "90.0", 2},
        {au_gon, kPi / 2, nullptr, "100.00", 2},
        {au_mil, kPi / 2, nullptr, "1600.00", 2},
    });
    CheckWrites<CPressure>({
        {pu_hpa, 1013.25, nullptr, "1013.2"},  // an exact tie: printf rounds to even
        {pu_hpa, 1013.25, "%.2f", "1013.25"},
        {pu_mmhg, 1013.25, nullptr, "760.0"},
        {pu_inhg, 1013.25, "%.2f", "29.92"},
    });
    CheckWrites<CTemperature>({
        {tu_fahrenheit, 25, nullptr, "77.0"},
        {tu_celsius, -100, nullptr, "-100.0"},
    });
}

TEST_F(ZutValues, SettersReturnThePreviousValueAndRefuseNonsense) {
    EXPECT_EQ(CLinear::unit(static_cast<dist_unit>(9)), du_metre);
    EXPECT_EQ(CLinear::unit(), du_metre);
    // Each setter gives the value before it; 99 is clamped to 12.
    EXPECT_EQ((std::tuple{CAngular::precision(8), CAngular::precision(99), CAngular::precision()}),
              std::tuple(4, 8, 12));
    CAngular::precision(-3);
    EXPECT_EQ(CAngular::precision(), 0);
    const char* end = nullptr;
    EXPECT_EQ(CLinear().read(nullptr, &end), 5);
    EXPECT_EQ(CAngular().read(nullptr, &end), 5);
}

TEST_F(ZutValues, LocUnitsRestoresWhatTheFirstSwitchFound) {
    auto units = [] {
        return std::tuple(CLinear::unit(), CAngular::unit(), CPressure::unit(),
                          CTemperature::unit());
    };
    CLinear::unit(du_foot);
    CAngular::unit(au_gon);
    CPressure::unit(pu_mmhg);
    CTemperature::unit(tu_fahrenheit);
    const auto before = std::tuple(du_foot, au_gon, pu_mmhg, tu_fahrenheit);
    {
        CLocUnits loc;
        loc.SetDistUnit(du_metre);
        loc.SetAngleUnit(au_dms);
        loc.SetPressUnit(pu_inhg);
        loc.SetTempUnit(tu_celsius);
        loc.SetDistUnit(du_millimetre);  // a second switch keeps the first saved state
        EXPECT_EQ(units(), std::tuple(du_millimetre, au_dms, pu_inhg, tu_celsius));
        loc.RestoreUnits();
        EXPECT_EQ(units(), before);

        CLinear::unit(du_us_foot);  // changed after the restore: a second restore leaves it
        loc.RestoreUnits();
        EXPECT_EQ(CLinear::unit(), du_us_foot);
        CLinear::unit(du_foot);
        loc.SetAngleUnit(au_mil);  // saves again
    }
    EXPECT_EQ(units(), before);  // the destructor restored
    {
        CLocUnits untouched;  // without a switch it restores nothing
        CLinear::unit(du_millimetre);
    }
    EXPECT_EQ(CLinear::unit(), du_millimetre);
}

}  // namespace
