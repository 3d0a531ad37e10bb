// Files written by the writers read back through the readers of the same formats.
#include <cmath>

#include "export/export_3ta5.h"
#include "export/export_geodimetr.h"
#include "export/export_leica.h"
#include "export/export_trimble.h"
#include "export_fixture.h"
#include "readers/reader_factory.h"
#include "support/reader_harness.h"

namespace export_test {
namespace {

struct Pt {
    std::string name;
    std::optional<double> x, y, h;
};

class RoundTrip : public ExportTest {
  protected:
    void Put(const std::vector<Pt>& points) {
        for (const auto& p : points) Add(p.name, p.x, p.y, p.h);
    }

    // Writes the project with `writer`, reads the file with the reader of `format` and gives
    // the points the import built.
    std::vector<Pt> Through(CExportDev& writer, int format, const std::string& file_name,
                            std::function<void(ImportSettings&)> options = {}) {
        const std::string path = Out(file_name);
        EXPECT_TRUE(writer.DoExport(&project, path)) << writer.LastError();
        testing_support::ReaderHarness h;
        auto reader = CreateReader(format, &h.project, &h.dlg, &h.dlg.ImportInfo());
        if (!reader)
            return {};
        if (options)
            options(h.dlg.settings);
        h.dlg.FileListRef() = path;
        reader->DoImport();
        std::vector<Pt> out;
        for (const auto& p : h.project.data().points) {
            Pt q{p.name, {}, {}, {}};
            if (p.x.valid())
                q.x = static_cast<double>(p.x);
            if (p.y.valid())
                q.y = static_cast<double>(p.y);
            if (p.h.valid())
                q.h = static_cast<double>(p.h);
            out.push_back(q);
        }
        return out;
    }

    static void ExpectSame(const std::vector<Pt>& read, const std::vector<Pt>& written,
                           double tolerance = 0.0005) {
        ASSERT_EQ(read.size(), written.size());
        auto near = [tolerance](std::optional<double> a, std::optional<double> b) {
            return a.has_value() == b.has_value() && (!a || std::fabs(*a - *b) <= tolerance);
        };
        for (size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].name, written[i].name);
            EXPECT_TRUE(near(read[i].x, written[i].x)) << written[i].name << " X";
            EXPECT_TRUE(near(read[i].y, written[i].y)) << written[i].name << " Y";
            EXPECT_TRUE(near(read[i].h, written[i].h)) << written[i].name << " H";
        }
    }

    static bool Available(int format) {
        vrk::CVrkObject p;
        CImpDEVDlg d(&p, nullptr, 0, "", 0);
        return CreateReader(format, &p, &d, &d.ImportInfo()) != nullptr;
    }
};

const std::vector<Pt> kPoints = {{"P1", 1234.567, 5678.9, 100.0},
                                 {"A2", -12.5, 0.001, -3.25},
                                 {"77", 99999.999, 12345.678, 0.0}};

TEST_F(RoundTrip, GeodimeterPointFileReadsBack) {
    const std::vector<Pt> points = {{"P1", 1234.567, 5678.9, 100.0},
                                    {"Пункт_2", -12.5, 0.001, std::nullopt},
                                    {"K-3", 12345678.125, -1234567.5, 123456.125}};
    Put(points);
    project.title = "JOB";
    CExportGeodimetr writer;
    ExpectSame(Through(writer, 13, "points.are"), points);
}

TEST_F(RoundTrip, Leica8ReadsBack) {
    if (!Available(5))
        GTEST_SKIP() << "no Leica reader in this build";
    Put(kPoints);
    CExportLeica writer(8);
    ExpectSame(Through(writer, 5, "points.gsi"), kPoints);
}

TEST_F(RoundTrip, Leica16ReadsBackAtFourDecimals) {
    if (!Available(5))
        GTEST_SKIP() << "no Leica reader in this build";
    const std::vector<Pt> points = {{"P1", 1234.5678, 5678.9, 100.0},
                                    {"ABCDEF12", -123456.0001, 7654321.25, -3.25}};
    Put(points);
    zut::CNorth::precision(4);
    CExportLeica writer(16);
    // The reader takes 16-character words only when told so.
    const auto words16 = [](ImportSettings& s) { s.Format16Digits = 1; };
    ExpectSame(Through(writer, 5, "points.gsi", words16), points, 0.00005);
}

TEST_F(RoundTrip, TTA5ReadsBackAsCoordinateStations) {
    if (!Available(7))
        GTEST_SKIP() << "no 3TA5 reader in this build";
    const std::vector<Pt> points = {{"17", 1234.5, 567.25, 100.0}, {"18", -1.5, 2.0, -3.0}};
    Put(points);
    CExport3TA5 writer;
    ExpectSame(Through(writer, 7, "points.txt"), points);
}

TEST_F(RoundTrip, Trimble3600ReadsBackAsM5) {
    if (!Available(2))
        GTEST_SKIP() << "no Elta M5 reader in this build";
    const std::vector<Pt> points = {{"P1", 1234.567, 5678.9, 100.0}, {"1002", -12.5, 0.25, -3.0}};
    Put(points);
    CExportTrimble writer(3600);
    ExpectSame(Through(writer, 2, "points.dat"), points);
}

TEST_F(RoundTrip, Trimble3300ReadsBackAsM5WithItsNameColumns) {
    if (!Available(2))
        GTEST_SKIP() << "no Elta M5 reader in this build";
    const std::vector<Pt> points = {{"1001", 1234.567, 5678.9, 100.0},
                                    {"123456789012", -12.5, 0.25, -3.0}};
    Put(points);
    CExportTrimble writer(3300);
    // The identifier stands right-aligned in columns 16 to 27 of the field's text.
    const auto columns = [](ImportSettings& s) {
        s.NameStart = 16;
        s.NameWidth = 12;
        s.CodeStart = 1;
        s.CodeWidth = 0;
    };
    ExpectSame(Through(writer, 2, "points.dat", columns), points);
}

}  // namespace
}  // namespace export_test
