// zut::CLinear, CAngular, CPressure, CTemperature and CLocUnits.
#include <gtest/gtest.h>

#include <cstring>
#include <numbers>

#include "import/contracts/zut.h"

namespace {

using namespace zut;

constexpr double kPi = std::numbers::pi;
double Dms(double d, double m, double s) {
    return (d + m / 60 + s / 3600) * kPi / 180;
}

// Every test starts from the default units and angle precision and puts back what it found.
class ZutValues : public ::testing::Test {
  protected:
    void SetUp() override {
        dist_ = CLinear::unit(du_metre);
        angle_ = CAngular::unit(au_dms);
        press_ = CPressure::unit(pu_hpa);
        temp_ = CTemperature::unit(tu_celsius);
        prec_ = CAngular::precision(4);
    }
    void TearDown() override {
        CLinear::unit(dist_);
        CAngular::unit(angle_);
        CPressure::unit(press_);
        CTemperature::unit(temp_);
        CAngular::precision(prec_);
    }
    // Reads `text` as an angle in the current unit, expecting success.
    static double Angle(const char* text) {
        CAngular a;
        EXPECT_EQ(a.read(text), 0) << text;
        EXPECT_TRUE(a.valid()) << text;
        return a;
    }

  private:
    dist_unit dist_{};
    angle_unit angle_{};
    pres_unit press_{};
    temp_unit temp_{};
    int prec_ = 4;
};

// --- CLinear ---

TEST_F(ZutValues, LinearUnits) {
    CLinear l;
    EXPECT_FALSE(l.valid());
    EXPECT_EQ(l.read("12.5"), 0);
    EXPECT_TRUE(l.valid());
    EXPECT_DOUBLE_EQ(l, 12.5);

    EXPECT_EQ(CLinear::unit(du_foot), du_metre);
    EXPECT_EQ(l.read("100"), 0);
    EXPECT_DOUBLE_EQ(l, 30.48);

    CLinear::unit(du_millimetre);
    EXPECT_EQ(l.read("1234"), 0);
    EXPECT_DOUBLE_EQ(l, 1.234);

    CLinear::unit(du_us_foot);
    EXPECT_EQ(l.read("3937"), 0);
    EXPECT_DOUBLE_EQ(l, 1200);
    EXPECT_EQ(CLinear::unit(), du_us_foot);
}

TEST_F(ZutValues, LinearUnknownUnitIsRefused) {
    EXPECT_EQ(CLinear::unit(static_cast<dist_unit>(9)), du_metre);
    EXPECT_EQ(CLinear::unit(), du_metre);
}

TEST_F(ZutValues, LinearSignsAndBlanks) {
    CLinear l;
    EXPECT_EQ(l.read("  -12.5  "), 0);
    EXPECT_DOUBLE_EQ(l, -12.5);
    EXPECT_EQ(l.read("12.5-"), 0);
    EXPECT_DOUBLE_EQ(l, -12.5);
    EXPECT_EQ(l.read("   7.25+  "), 0);
    EXPECT_DOUBLE_EQ(l, 7.25);
    EXPECT_EQ(l.read("+0.001"), 0);
    EXPECT_DOUBLE_EQ(l, 0.001);
    EXPECT_EQ(l.read("1.2e3"), 0);
    EXPECT_DOUBLE_EQ(l, 1200);
    EXPECT_EQ(l.read("12.000\n"), 0);  // a line feed at the end is a blank
    EXPECT_DOUBLE_EQ(l, 12);
}

TEST_F(ZutValues, LinearInvalidCharacter) {
    CLinear l = 3.0;
    const char* end = nullptr;
    const char* t = "12.5m";
    EXPECT_EQ(l.read(t, &end), 5);
    EXPECT_EQ(end, t + 4);
    EXPECT_DOUBLE_EQ(l, 3.0);  // unchanged on failure

    const char* both = "-12.5-";
    EXPECT_EQ(l.read(both, &end), 5);
    EXPECT_EQ(end, both + 5);

    const char* sep = "-12.5 -";  // the trailing sign must follow the number directly
    EXPECT_EQ(l.read(sep, &end), 5);
    EXPECT_EQ(end, sep + 6);

    const char* twice = "1.2.3";
    EXPECT_EQ(l.read(twice, &end), 5);
    EXPECT_EQ(end, twice + 3);

    const char* empty = "";
    EXPECT_EQ(l.read(empty, &end), 5);
    EXPECT_EQ(end, empty);
    const char* blank = "    ";
    EXPECT_EQ(l.read(blank, &end), 5);
    EXPECT_EQ(end, blank + 4);
    EXPECT_EQ(l.read(nullptr, &end), 5);
}

TEST_F(ZutValues, LinearBoundsInclusive) {
    CLinear l;
    EXPECT_DOUBLE_EQ(CLinear::lower(), -1e8);
    EXPECT_DOUBLE_EQ(CLinear::upper(), 1e8);
    EXPECT_EQ(l.read("100000000"), 0);
    EXPECT_EQ(l.read("-100000000"), 0);
    EXPECT_EQ(l.read("100000000.001"), 7);
    EXPECT_EQ(l.read("100000000.001-"), 7);
    EXPECT_EQ(l.read("1e400"), 7);
    CLinear::unit(du_millimetre);
    EXPECT_EQ(l.read("100000000000"), 0);
    EXPECT_DOUBLE_EQ(l, 1e8);
    EXPECT_EQ(l.read("100000000001"), 7);
}

TEST_F(ZutValues, LinearWrite) {
    CLinear l = 12.3456;
    EXPECT_EQ(l.write(), "12.346");
    EXPECT_EQ(l.write("%.1f"), "12.3");
    EXPECT_EQ(l.write("%g"), "12.3456");
    EXPECT_EQ(l.write("%.2e"), "1.23e+01");
    EXPECT_EQ(l.write("%8.2f"), "   12.35");
    EXPECT_EQ(l.write("d=%.2f m"), "d=12.35 m");
    EXPECT_EQ(l.write("%s"), "12.346");  // not a number format: the default
    EXPECT_EQ(l.write("%d"), "12.346");
    EXPECT_EQ(l.write("%f %f"), "12.346");
    EXPECT_EQ(l.write("%*f"), "12.346");
    CLinear tiny = -0.0001;
    EXPECT_EQ(tiny.write(), "0.000");

    CLinear::unit(du_foot);
    CLinear ft = 30.48;
    EXPECT_EQ(ft.write(), "100.000");
    CLinear::unit(du_millimetre);
    EXPECT_EQ(ft.write("%.0f"), "30480");
    CLinear::unit(du_us_foot);
    CLinear us = 1200;
    EXPECT_EQ(us.write(), "3937.000");
}

TEST_F(ZutValues, LinearRoundTripInEveryUnit) {
    for (dist_unit u : {du_metre, du_foot, du_millimetre, du_us_foot}) {
        CLinear::unit(u);
        CLinear a = 1234.567891;
        CLinear b;
        EXPECT_EQ(b.read(a.write("%.9f").c_str()), 0);
        EXPECT_NEAR(b, a, 1e-8) << u;
    }
}

// --- CAngular ---

TEST_F(ZutValues, AngularDmsPacked) {
    EXPECT_DOUBLE_EQ(Angle("123.4530"), Dms(123, 45, 30));
    EXPECT_DOUBLE_EQ(Angle("123.45305"), Dms(123, 45, 30.5));
    EXPECT_DOUBLE_EQ(Angle("5.1"), Dms(5, 10, 0));
    EXPECT_DOUBLE_EQ(Angle("5.01"), Dms(5, 1, 0));
    EXPECT_DOUBLE_EQ(Angle("5.011"), Dms(5, 1, 10));
    EXPECT_DOUBLE_EQ(Angle("0.000012"), Dms(0, 0, 0.12));
    EXPECT_DOUBLE_EQ(Angle("359.5959999"), Dms(359, 59, 59.999));
    EXPECT_DOUBLE_EQ(Angle("12."), Dms(12, 0, 0));
    EXPECT_DOUBLE_EQ(Angle(".3000"), Dms(0, 30, 0));
}

TEST_F(ZutValues, AngularDmsDotted) {
    EXPECT_DOUBLE_EQ(Angle("123.45.30"), Dms(123, 45, 30));
    EXPECT_DOUBLE_EQ(Angle("123.45.30.5"), Dms(123, 45, 30.5));
    EXPECT_DOUBLE_EQ(Angle("123.45.3"), Dms(123, 45, 3));
    EXPECT_DOUBLE_EQ(Angle("0.0.1.25"), Dms(0, 0, 1.25));
}

TEST_F(ZutValues, AngularDmsBlankSeparated) {
    EXPECT_DOUBLE_EQ(Angle("123 45 30.5"), Dms(123, 45, 30.5));
    EXPECT_DOUBLE_EQ(Angle("123 45 30"), Dms(123, 45, 30));
    EXPECT_DOUBLE_EQ(Angle("  12   5  7.25  "), Dms(12, 5, 7.25));
    EXPECT_DOUBLE_EQ(Angle("123 45"), Dms(123, 45, 0));
}

TEST_F(ZutValues, AngularDmsWholeDegrees) {
    EXPECT_DOUBLE_EQ(Angle("90"), kPi / 2);
    EXPECT_DOUBLE_EQ(Angle("  180  "), kPi);
    EXPECT_DOUBLE_EQ(Angle("0"), 0);
}

TEST_F(ZutValues, AngularDmsSigns) {
    EXPECT_DOUBLE_EQ(Angle("-012.34.56"), -Dms(12, 34, 56));
    EXPECT_DOUBLE_EQ(Angle("123.45.30.0-"), -Dms(123, 45, 30));
    // Whole seconds with the point still after them.
    EXPECT_DOUBLE_EQ(Angle("123.45.30."), Dms(123, 45, 30));
    EXPECT_DOUBLE_EQ(Angle("123.45.30.-"), -Dms(123, 45, 30));
    EXPECT_DOUBLE_EQ(Angle("+123.4530"), Dms(123, 45, 30));
    EXPECT_DOUBLE_EQ(Angle("123.4530-"), -Dms(123, 45, 30));
    EXPECT_DOUBLE_EQ(Angle(" 123 45 30.5- "), -Dms(123, 45, 30.5));
    EXPECT_DOUBLE_EQ(Angle("  -5  "), -Dms(5, 0, 0));
}

TEST_F(ZutValues, AngularDmsInvalid) {
    CAngular a = 1.0;
    const char* end = nullptr;
    struct Case {
        const char* text;
        size_t bad;  // offset of the invalid character
    } cases[] = {
        {"123.45.30.5.1", 11},
        {"123..45", 4},
        {"123.45.", 7},
        {"12x", 2},
        {"-", 1},
        {".", 0},
        {"123 45.5", 6},
        {"-123.4530-", 9},
        {"123.4530 -", 9},
        {"", 0},
        {"   ", 3},
        {"abc", 0},
        {"1e5", 1},
        {".45.30", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(a.read(c.text, &end), 5) << c.text;
        EXPECT_EQ(end, c.text + c.bad) << c.text;
    }
    EXPECT_DOUBLE_EQ(a, 1.0);
}

TEST_F(ZutValues, AngularDmsMinutesOrSecondsOutOfRange) {
    CAngular a;
    EXPECT_EQ(a.read("123.6000"), 7);
    EXPECT_EQ(a.read("123.5960"), 7);
    EXPECT_EQ(a.read("123.60.00"), 7);
    EXPECT_EQ(a.read("123.45.60"), 7);
    EXPECT_EQ(a.read("123 45 60.0"), 7);
    EXPECT_EQ(a.read("123.59.59.999"), 0);
    EXPECT_EQ(a.read("123.5959999"), 0);
}

TEST_F(ZutValues, AngularBoundsInclusive) {
    CAngular a;
    EXPECT_DOUBLE_EQ(CAngular::lower(), -2 * kPi);
    EXPECT_DOUBLE_EQ(CAngular::upper(), 2 * kPi);
    EXPECT_EQ(a.read("360"), 0);
    EXPECT_EQ(a.read("-360.0000"), 0);
    EXPECT_EQ(a.read("360.0000001"), 7);
    EXPECT_EQ(a.read("360.00.01"), 7);
    EXPECT_EQ(a.read("361-"), 7);
    CAngular::unit(au_gon);
    EXPECT_EQ(a.read("400"), 0);
    EXPECT_EQ(a.read("-400.0"), 0);
    EXPECT_EQ(a.read("400.0001"), 7);
    CAngular::unit(au_degree);
    EXPECT_EQ(a.read("360.0"), 0);
    EXPECT_EQ(a.read("360.00001"), 7);
    CAngular::unit(au_mil);
    EXPECT_EQ(a.read("6400"), 0);
    EXPECT_EQ(a.read("6400.1"), 7);
    CAngular::unit(au_radian);
    EXPECT_EQ(a.read("6.283185307179586"), 0);
    EXPECT_EQ(a.read("-6.283185307179586"), 0);
    EXPECT_EQ(a.read("6.2832"), 7);
}

TEST_F(ZutValues, AngularOtherUnits) {
    CAngular::unit(au_radian);
    EXPECT_DOUBLE_EQ(Angle("1.5"), 1.5);
    CAngular::unit(au_degree);
    EXPECT_DOUBLE_EQ(Angle("123.758333333"), 123.758333333 * kPi / 180);
    EXPECT_DOUBLE_EQ(Angle("90-"), -kPi / 2);
    CAngular::unit(au_gon);
    EXPECT_DOUBLE_EQ(Angle("100"), kPi / 2);
    EXPECT_DOUBLE_EQ(Angle(" -200.0000 "), -kPi);
    CAngular::unit(au_mil);
    EXPECT_DOUBLE_EQ(Angle("1600"), kPi / 2);
    EXPECT_DOUBLE_EQ(Angle("3200+"), kPi);

    // Other units take plain decimals only.
    CAngular a;
    const char* end = nullptr;
    CAngular::unit(au_gon);
    const char* dotted = "123.45.30";
    EXPECT_EQ(a.read(dotted, &end), 5);
    EXPECT_EQ(end, dotted + 6);
}

TEST_F(ZutValues, AngularWriteDms) {
    CAngular a = Dms(123, 45, 30);
    EXPECT_EQ(a.write(), "123.4530");
    CAngular::precision(5);
    CAngular b = Dms(123, 45, 30.5);
    EXPECT_EQ(b.write(), "123.45305");
    CAngular::precision(6);
    EXPECT_EQ(b.write(), "123.453050");
    CAngular::precision(0);
    CAngular c = Dms(123, 45, 30.6);  // rounds up to the next second
    EXPECT_EQ(c.write(), "123.45.31");
    CAngular::precision(1);
    EXPECT_EQ(b.write(), "123.45.30.5");
    CAngular::precision(3);
    EXPECT_EQ(b.write(), "123.45.30.500");
    CAngular::precision(4);
    CAngular small = Dms(5, 1, 2);
    EXPECT_EQ(small.write(), "5.0102");
    CAngular neg = -Dms(12, 34, 56);
    EXPECT_EQ(neg.write(), "-12.3456");
    CAngular zero = -1e-12;
    EXPECT_EQ(zero.write(), "0.0000");
    EXPECT_EQ(a.write("%.2f"), "123.4530");  // DMS follows the precision, not a format
}

TEST_F(ZutValues, AngularWriteDmsCarries) {
    CAngular a = Dms(10, 59, 59.9999);
    EXPECT_EQ(a.write(), "11.0000");
    CAngular::precision(5);
    EXPECT_EQ(a.write(), "11.00000");
    CAngular::precision(8);
    EXPECT_EQ(a.write(), "10.59599999");
    CAngular::precision(2);
    EXPECT_EQ(a.write(), "11.00.00.00");
    CAngular::precision(4);
    CAngular m = Dms(10, 30, 59.6);
    EXPECT_EQ(m.write(), "10.3100");
    CAngular full = Dms(359, 59, 59.99);
    EXPECT_EQ(full.write(), "360.0000");
    CAngular negative = -Dms(0, 59, 59.7);
    EXPECT_EQ(negative.write(), "-1.0000");
}

TEST_F(ZutValues, AngularWriteOtherUnits) {
    CAngular a = kPi / 2;
    CAngular::unit(au_radian);
    EXPECT_EQ(a.write(), "1.5708");
    CAngular::unit(au_degree);
    EXPECT_EQ(a.write(), "90.0000");
    CAngular::precision(2);
    EXPECT_EQ(a.write(), "90.00");
    EXPECT_EQ(a.write("%.1f"), "90.0");
    CAngular::unit(au_gon);
    EXPECT_EQ(a.write(), "100.00");
    CAngular::unit(au_mil);
    EXPECT_EQ(a.write(), "1600.00");
}

TEST_F(ZutValues, AngularPrecisionSetterReturnsPrevious) {
    EXPECT_EQ(CAngular::precision(), 4);
    EXPECT_EQ(CAngular::precision(8), 4);
    EXPECT_EQ(CAngular::precision(), 8);
    EXPECT_EQ(CAngular::precision(99), 8);
    EXPECT_EQ(CAngular::precision(), 12);
    CAngular::precision(-3);
    EXPECT_EQ(CAngular::precision(), 0);
}

TEST_F(ZutValues, AngularRoundTrips) {
    const char* texts[] = {"123.4530", "0.0000", "359.5959", "12.0001", "-45.3000", "360.0000"};
    for (const char* t : texts) {
        CAngular a;
        ASSERT_EQ(a.read(t), 0) << t;
        EXPECT_EQ(a.write(), t);
    }
    CAngular::precision(8);
    CAngular a;
    ASSERT_EQ(a.read("123.45305"), 0);
    EXPECT_EQ(a.write(), "123.45305000");
    for (angle_unit u : {au_radian, au_degree, au_gon, au_mil}) {
        CAngular::unit(u);
        CAngular b;
        ASSERT_EQ(b.read(a.write().c_str()), 0) << u;
        EXPECT_NEAR(b, a, 1e-7) << u;
    }
}

// --- CPressure and CTemperature ---

TEST_F(ZutValues, PressureUnits) {
    CPressure p;
    EXPECT_EQ(p.read("1013.25"), 0);
    EXPECT_DOUBLE_EQ(p, 1013.25);
    EXPECT_EQ(p.read("760", nullptr, nullptr, pu_mmhg), 0);
    EXPECT_NEAR(p, 760 * 1.33322387415, 1e-9);  // 1013.250144354 hPa
    EXPECT_EQ(p.read("29.92", nullptr, nullptr, pu_inhg), 0);
    EXPECT_NEAR(p, 29.92 * 33.8638866667, 1e-9);
    CPressure::unit(pu_mmhg);
    EXPECT_EQ(p.read("  750  "), 0);  // unit -1: the current one
    EXPECT_NEAR(p, 750 * 1.33322387415, 1e-9);
    EXPECT_EQ(p.read("1000", nullptr, nullptr, pu_hpa), 0);
    EXPECT_DOUBLE_EQ(p, 1000);
}

TEST_F(ZutValues, PressureBoundsAndErrors) {
    CPressure p;
    EXPECT_DOUBLE_EQ(CPressure::lower(), 0);
    EXPECT_DOUBLE_EQ(CPressure::upper(), 2000);
    EXPECT_EQ(p.read("2000"), 0);
    EXPECT_EQ(p.read("0"), 0);
    EXPECT_EQ(p.read("2000.1"), 7);
    EXPECT_EQ(p.read("-1"), 7);
    EXPECT_EQ(p.read("1"), 0);
    const char* end = nullptr;
    const char* t = "1013hPa";
    EXPECT_EQ(p.read(t, &end), 5);
    EXPECT_EQ(end, t + 4);
}

TEST_F(ZutValues, PressureWrite) {
    CPressure p = 1013.25;
    EXPECT_EQ(p.write(), "1013.2");  // an exact tie: printf rounds to even
    EXPECT_EQ(p.write("%.2f"), "1013.25");
    CPressure::unit(pu_mmhg);
    EXPECT_EQ(p.write(), "760.0");
    CPressure::unit(pu_inhg);
    EXPECT_EQ(p.write("%.2f"), "29.92");
    CPressure::unit(pu_hpa);
    CPressure lo = CPressure::lower(), hi = 1000;
    EXPECT_EQ(lo.write(), "0.0");
    EXPECT_EQ(hi.write(), "1000.0");
}

TEST_F(ZutValues, TemperatureUnits) {
    CTemperature t;
    EXPECT_EQ(t.read("20.5"), 0);
    EXPECT_DOUBLE_EQ(t, 20.5);
    EXPECT_EQ(t.read("212", nullptr, nullptr, tu_fahrenheit), 0);
    EXPECT_DOUBLE_EQ(t, 100);
    CTemperature::unit(tu_fahrenheit);
    EXPECT_EQ(t.read("32"), 0);
    EXPECT_DOUBLE_EQ(t, 0);
    EXPECT_EQ(t.read("-40"), 0);
    EXPECT_DOUBLE_EQ(t, -40);
    CTemperature w = 25;
    EXPECT_EQ(w.write(), "77.0");
    CTemperature::unit(tu_celsius);
    EXPECT_EQ(w.write(), "25.0");
    EXPECT_EQ(t.read("12.5-"), 0);
    EXPECT_DOUBLE_EQ(t, -12.5);
}

TEST_F(ZutValues, TemperatureBounds) {
    CTemperature t;
    EXPECT_DOUBLE_EQ(CTemperature::lower(), -100);
    EXPECT_DOUBLE_EQ(CTemperature::upper(), 100);
    EXPECT_EQ(t.read("100"), 0);
    EXPECT_EQ(t.read("-100"), 0);
    EXPECT_EQ(t.read("100.1"), 7);
    EXPECT_EQ(t.read("-100.1"), 7);
    EXPECT_EQ(t.read("213", nullptr, nullptr, tu_fahrenheit), 7);
    CTemperature lo = CTemperature::lower();
    EXPECT_EQ(lo.write(), "-100.0");
}

// --- CValue ---

TEST_F(ZutValues, ValueValidity) {
    CLinear a;
    EXPECT_FALSE(a.valid());
    a = 5.0;
    EXPECT_TRUE(a.valid());
    CLinear b = 2.0;
    EXPECT_DOUBLE_EQ(a - b, 3.0);
    a.Invalidate();
    EXPECT_FALSE(a.valid());
    EXPECT_DOUBLE_EQ(a, 0);
}

// --- CLocUnits ---

TEST_F(ZutValues, LocUnitsRestores) {
    CLinear::unit(du_foot);
    CAngular::unit(au_gon);
    CPressure::unit(pu_mmhg);
    CTemperature::unit(tu_fahrenheit);
    {
        CLocUnits loc;
        loc.SetDistUnit(du_metre);
        loc.SetAngleUnit(au_dms);
        loc.SetPressUnit(pu_inhg);
        loc.SetTempUnit(tu_celsius);
        loc.SetDistUnit(du_millimetre);  // a second switch keeps the first saved state
        EXPECT_EQ(CLinear::unit(), du_millimetre);
        EXPECT_EQ(CAngular::unit(), au_dms);
        EXPECT_EQ(CPressure::unit(), pu_inhg);
        EXPECT_EQ(CTemperature::unit(), tu_celsius);
        loc.RestoreUnits();
        EXPECT_EQ(CLinear::unit(), du_foot);
        EXPECT_EQ(CAngular::unit(), au_gon);
        EXPECT_EQ(CPressure::unit(), pu_mmhg);
        EXPECT_EQ(CTemperature::unit(), tu_fahrenheit);

        CLinear::unit(du_us_foot);  // changed after the restore: a second restore leaves it
        loc.RestoreUnits();
        EXPECT_EQ(CLinear::unit(), du_us_foot);
        CLinear::unit(du_foot);

        loc.SetAngleUnit(au_mil);  // saves again
        EXPECT_EQ(CAngular::unit(), au_mil);
    }
    // The destructor restored.
    EXPECT_EQ(CAngular::unit(), au_gon);
    EXPECT_EQ(CLinear::unit(), du_foot);
}

TEST_F(ZutValues, LocUnitsWithoutSwitchRestoresNothing) {
    {
        CLocUnits loc;
        CLinear::unit(du_foot);
        loc.RestoreUnits();
    }
    EXPECT_EQ(CLinear::unit(), du_foot);
}

}  // namespace
