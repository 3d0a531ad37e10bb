// Each output format written from one small project and read back as other programs read it.
#include "outputs/convert.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>
#include <pugixml.hpp>
#include <set>

#include "outputs/landxml_writer.h"
#include "platform/io_fault.h"
#include "readback.h"
#include "support/temp_dir.h"

using ::testing::HasSubstr;

namespace {

using testing_support::ReadFeature;
using testing_support::TempDir;

// Two stations, observations, a control point at X=1000 (north) Y=2000 (east), coded points
// and a point with no coordinates.
constexpr const char* kProject = R"({
  "title": "Tavrin test",
  "control_points": [
    {"name": "CP1", "x": 1000.0, "y": 2000.0, "h": 100.0, "code": null}],
  "survey_points": [
    {"name": "ST2", "x": 1100.0, "y": 2050.0, "h": 101.5, "code": null},
    {"name": "P1", "x": 1050.0, "y": 2010.0, "h": 100.5, "code": "FENCE", "plan_class": "1"},
    {"name": "P2", "x": 1060.0, "y": 2030.0, "h": 100.7, "code": "FENCE"},
    {"name": "P3", "x": null, "y": null, "h": null, "code": "TREE"}],
  "stations": [
    {"name": "CP1", "instrument_height": 1.55, "backsight": "ST2", "observations": [
      {"target": "ST2", "target_height": 1.3, "face": "1", "hz": 0.0, "v": 90.0,
       "sd": 111.8034, "orientation": true},
      {"target": "P1", "target_height": 1.3, "hz": 20.0, "v": 89.5, "sd": 50.99},
      {"target": "P2", "target_height": 1.3, "hz": 40.0, "v": 89.5, "sd": 67.08},
      {"target": "P3", "hz": 60.0, "v": 91.0, "sd": 12.0}]},
    {"name": "ST2", "instrument_height": 1.6, "backsight": "CP1", "observations": [
      {"target": "CP1", "hz": 0.0, "v": 90.0, "sd": 111.8034},
      {"target": "P2", "hz": 30.0, "v": 90.5, "sd": 45.0}]}]
})";

constexpr int kEpsg = 32637;  // UTM 37N: a projected system with easting first

struct FormatCase {
    const char* output;
    const char* crs;
    // How the reader tells the kinds apart, and how many of each it finds ("kind=n ", sorted).
    std::string kind_field;  // empty: the layer name
    std::string counts;
    std::vector<std::string> open_options = {};
};

std::string KindOf(const ReadFeature& f, const FormatCase& c) {
    if (!c.kind_field.empty())
        return f.Field(c.kind_field);
    const std::string prefix = "job_";  // shapefile sets beside "job.shp"
    return f.layer.rfind(prefix, 0) == 0 ? f.layer.substr(prefix.size()) : f.layer;
}

class Converted : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(project.FromJson(kProject, error)) << error;
        // A coded line through P1 and P2, whose code carries an attribute.
        project.data().lines.push_back({"FENCE", "1", {"P1", "P2"}});
        project.FindPoint("P1")->code_items = {{"FENCE", "1", {{"H", "1.2"}}, ""}};
    }
    std::string Convert(const std::string& name, outputs::ConvertOptions options = {}) {
        outputs::ConvertSummary summary;
        std::string error;
        EXPECT_TRUE(outputs::Convert(project, dir.path() / name, options, summary, error)) << error;
        return (dir.path() / name).string();
    }
    TempDir dir;
    vrk::CVrkObject project;
};

TEST_F(Converted, EveryGdalFormatReadsBackWithNamesCoordinatesAndAttributes) {
    const char* layered = "control_points=1 lines=1 observations=6 stations=2 survey_points=4 ";
    const std::vector<FormatCase> cases = {
        {"job.gpkg", "", "", layered},
        {"job.geojson", "", "layer", layered},
        {"job.shp", "", "", layered},
        // Features without coordinates cannot be placed in KML; P3 and the ray to it stay out.
        {"job.kml", "EPSG:32637", "",
         "control_points=1 lines=1 observations=5 stations=2 survey_points=3 "},
        {"job.csv",
         "",
         "kind",
         "control=1 survey=4 ",
         {"X_POSSIBLE_NAMES=Y", "Y_POSSIBLE_NAMES=X", "Z_POSSIBLE_NAMES=H"}},
        // A point with its name, height and code texts on the layer of its code.
        {"job.dxf", "", "Layer", "CONTROL=3 FENCE=9 OBSERVATIONS=5 POINTS=3 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        outputs::ConvertOptions options;
        options.crs = c.crs;
        std::string path = Convert(c.output, options);
        if (std::string(c.output) == "job.shp")
            path = dir.path().string();
        const auto features = testing_support::ReadVector(path, c.open_options);
        std::map<std::string, int> counts;
        for (const auto& f : features) ++counts[KindOf(f, c)];
        std::string counted;
        for (const auto& [kind, n] : counts) counted += kind + "=" + std::to_string(n) + " ";
        EXPECT_EQ(counted, c.counts);

        // The axis rule: survey X (north) 1000, Y (east) 2000 is GIS x 2000, y 1000.
        const bool dxf = c.kind_field == "Layer";
        const ReadFeature* cp1 = nullptr;
        const ReadFeature* p1 = nullptr;
        for (const auto& f : features) {
            const std::string name = f.Field(dxf                          ? "Text"
                                             : std::string(c.crs).empty() ? "name"
                                                                          : "Name");
            if (dxf ? KindOf(f, c) == "CONTROL" && f.Field("Text").empty() : name == "CP1")
                cp1 = &f;
            if (name == "P1")
                p1 = &f;
        }
        ASSERT_NE(cp1, nullptr);
        ASSERT_NE(p1, nullptr);
        ASSERT_TRUE(cp1->has_geometry);
        double x = cp1->x, y = cp1->y;
        if (*c.crs)
            testing_support::FromWgs84(kEpsg, x, y);
        EXPECT_NEAR(x, 2000.0, 0.001);
        EXPECT_NEAR(y, 1000.0, 0.001);
        EXPECT_NEAR(cp1->z, 100.0, 0.001);
        // "H" is the height column in CSV, "h" elsewhere: the attribute H comes as "H_2".
        if (!dxf && !*c.crs)
            EXPECT_EQ(p1->Field("code") + " " + p1->Field("plan_class") + " " + p1->Field("H_2"),
                      "FENCE 1 1.2");
    }
}

TEST_F(Converted, GeoPackageKeepsTitleAndProtocolAndRaysRunFromStationToTarget) {
    project.ImportLog().Write("job.gsi, line 7: no distance", 0, 1);
    const std::string path = Convert("rays.gpkg");
    EXPECT_EQ(testing_support::ReadMetadata(path, "TITLE"), "Tavrin test");
    EXPECT_EQ(testing_support::ReadMetadata(path, "IMPORT_PROTOCOL"),
              "job.gsi, line 7: no distance\n");
    const auto features = testing_support::ReadVector(path);
    int rays = 0;
    for (const auto& f : features) {
        if (f.layer != "observations" || f.Field("target") != "P1")
            continue;
        ++rays;
        EXPECT_EQ(f.Field("station"), "CP1");
        EXPECT_EQ(f.vertices, 2);
        EXPECT_NEAR(f.x, 2000.0, 0.001);  // starts on the station
        EXPECT_NEAR(std::stod(f.Field("zenith")), 89.5, 1e-9);
    }
    EXPECT_EQ(rays, 1);
}

// The attributes of each element in the order LandXML 1.2 declares them.
const std::map<std::string, std::vector<std::string>> kLandXmlAttributes = {
    {"LandXML", {"xmlns", "xmlns:xsi", "xsi:schemaLocation", "date", "time", "version"}},
    {"Metric",
     {"areaUnit", "linearUnit", "volumeUnit", "temperatureUnit", "pressureUnit", "angularUnit",
      "directionUnit"}},
    {"CoordinateSystem", {"name", "epsgCode", "ogcWktCode"}},
    {"CgPoint", {"name", "code", "state", "role", "pntSurv"}},
    {"InstrumentSetup", {"id", "stationName", "instrumentHeight"}},
    {"Backsight", {"azimuth", "circle"}},
    {"RawObservation",
     {"purpose", "targetHeight", "horizAngle", "slopeDistance", "zenithAngle", "horizDistance",
      "vertDistance", "directFace"}},
    {"TargetPoint", {"name", "code", "pntRef"}},
    {"PlanFeature", {"name", "code"}},
    {"Start", {"pntRef"}},
    {"End", {"pntRef"}},
};

// True when the attributes appear in the declared order (any may be absent).
bool InDeclaredOrder(const pugi::xml_node& node) {
    auto it = kLandXmlAttributes.find(node.name());
    if (it == kLandXmlAttributes.end())
        return node.first_attribute() == nullptr ||
               std::set<std::string>{"Project", "Application", "SurveyHeader", "InstrumentPoint",
                                     "BacksightPoint"}
                   .count(node.name());
    size_t at = 0;
    for (auto a : node.attributes()) {
        while (at < it->second.size() && it->second[at] != a.name()) ++at;
        if (at == it->second.size())
            return false;
    }
    return true;
}

TEST_F(Converted, LandXmlHasTheElementsOfLandXml12InOrder) {
    outputs::ConvertOptions options;
    options.crs = "EPSG:32637";
    options.angle_unit = outputs::AngleUnit::Gons;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(Convert("job.xml", options).c_str()));
    pugi::xml_node root = doc.child("LandXML");
    std::vector<std::string> top;
    for (auto n : root.children()) top.push_back(n.name());
    EXPECT_EQ(top, (std::vector<std::string>{"Units", "CoordinateSystem", "Project", "Application",
                                             "CgPoints", "Survey", "PlanFeatures"}));
    for (auto n : root.select_nodes("//*"))
        EXPECT_TRUE(InDeclaredOrder(n.node())) << n.node().name();
    EXPECT_STREQ(root.child("Units").child("Metric").attribute("angularUnit").value(), "grads");
    EXPECT_STREQ(root.child("CoordinateSystem").attribute("epsgCode").value(), "32637");

    pugi::xml_node cp1 = root.child("CgPoints").find_child_by_attribute("CgPoint", "name", "CP1");
    EXPECT_STREQ(cp1.text().get(), "1000.0000 2000.0000 100.0000");  // north east elevation
    EXPECT_STREQ(cp1.attribute("pntSurv").value(), "control");
    EXPECT_EQ(root.child("CgPoints").select_nodes("CgPoint").size(), 4u);  // P3 has no place

    pugi::xml_node survey = root.child("Survey");
    EXPECT_EQ(survey.select_nodes("InstrumentSetup").size(), 2u);
    EXPECT_EQ(survey.select_nodes("InstrumentSetup/RawObservation").size(), 6u);
    pugi::xml_node setup = survey.child("InstrumentSetup");
    EXPECT_STREQ(setup.first_child().name(), "InstrumentPoint");
    EXPECT_STREQ(setup.child("InstrumentPoint").attribute("pntRef").value(), "CP1");
    EXPECT_STREQ(setup.attribute("instrumentHeight").value(), "1.5500");
    auto to = [&setup](const std::string& target) {
        return setup.find_child([&](pugi::xml_node n) {
            return n.child("TargetPoint").attribute("name").value() == target;
        });
    };
    pugi::xml_node to_p1 = to("P1");
    EXPECT_STREQ(to_p1.first_child().name(), "TargetPoint");
    EXPECT_STREQ(to_p1.attribute("horizAngle").value(), "22.222222");  // 20 degrees in gon
    EXPECT_STREQ(to_p1.attribute("slopeDistance").value(), "50.9900");
    // A target without coordinates is named but not referenced.
    EXPECT_FALSE(to("P3").child("TargetPoint").attribute("pntRef"));

    pugi::xml_node fence = root.child("PlanFeatures").child("PlanFeature");
    EXPECT_STREQ(fence.attribute("code").value(), "FENCE");
    pugi::xml_node segment = fence.child("CoordGeom").child("Line");
    EXPECT_STREQ(segment.child("Start").attribute("pntRef").value(), "P1");
    EXPECT_STREQ(segment.child("End").attribute("pntRef").value(), "P2");
    EXPECT_EQ(fence.child("CoordGeom").select_nodes("Line").size(), 1u);
}

TEST(LandXmlAngles, EveryDeclaredUnit) {
    const struct {
        double degrees;
        outputs::AngleUnit unit;
        const char* text;
    } cases[] = {
        {90.0, outputs::AngleUnit::Degrees, "90.000000"},
        {90.0, outputs::AngleUnit::Gons, "100.000000"},
        {180.0, outputs::AngleUnit::Radians, "3.14159265"},
        {12.5, outputs::AngleUnit::Dms, "12.300000"},
        {12.0 + 34.0 / 60 + 56.78 / 3600, outputs::AngleUnit::Dms, "12.345678"},
        {29.9999999999, outputs::AngleUnit::Dms, "30.000000"},  // never 29.5960
        {-0.5, outputs::AngleUnit::Dms, "-0.300000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outputs::AngleText(c.degrees * M_PI / 180.0, c.unit), c.text) << c.degrees;
}

TEST_F(Converted, RefusesWhatItCannotHonourAndKeepsTheOldFile) {
    const auto input = dir.Write("project.json", kProject);
    const auto old = dir.Write("old.geojson", "old contents");
    dir.Write("folder.geojson/keep", "x");
    const struct {
        std::string output, crs, message;
    } cases[] = {
        {"job.gpkg", "EPSG:999999", "is not known"},
        {"job.gpkg", "EPSG:4326", "is not projected"},
        {"job.gpkg", "32637", "is not known"},
        {"job.txt", "", "cannot be told from the name"},
        {"folder.geojson", "", "Cannot write"},  // a folder in the way: the rename fails
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        outputs::ConvertOptions options;
        options.crs = c.crs;
        options.inputs = {input};
        outputs::ConvertSummary summary;
        std::string error;
        EXPECT_FALSE(outputs::Convert(project, dir.path() / c.output, options, summary, error));
        EXPECT_THAT(error, HasSubstr(c.message));
    }
    EXPECT_EQ(TempDir::Read(input), kProject);
    EXPECT_EQ(TempDir::Read(old), "old contents");
    // Nothing half-written is left beside the targets.
    EXPECT_EQ(dir.Names(),
              (std::vector<std::string>{"folder.geojson", "old.geojson", "project.json"}));

    // A good run replaces the old file whole.
    Convert("old.geojson");
    EXPECT_EQ(testing_support::ReadVector((dir.path() / "old.geojson").string()).size(), 14u);
}

// A write that fails at any step, or runs out of room, leaves the old output as it was and
// nothing beside it, and the message names the output and the reason.
TEST_F(Converted, AFailedWriteKeepsTheOldOutput) {
    using platform::IoStep;
    auto snapshot = [&] {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path()))
            if (e.is_regular_file())
                files[e.path().string()] = TempDir::Read(e.path());
        return files;
    };
    // Shapefile sets are written as job_*.shp.
    for (const std::string output : {"job.xml", "job.gpkg", "job.geojson", "job.shp"}) {
        SCOPED_TRACE(output);
        const std::string old =
            dir.Write(output == "job.shp" ? "job_stations.shp" : output, "old contents");
        const auto before = snapshot();
        auto fails = [&](int err) {
            outputs::ConvertSummary summary;
            std::string error;
            EXPECT_FALSE(outputs::Convert(project, dir.path() / output, {}, summary, error));
            EXPECT_THAT(error, HasSubstr(output));
            EXPECT_THAT(error, HasSubstr(std::strerror(err)));
            EXPECT_EQ(snapshot(), before);
        };
        for (IoStep step :
             {IoStep::Create, IoStep::Write, IoStep::Sync, IoStep::Close, IoStep::Rename})
            for (int err : {ENOSPC, EIO}) {
                SCOPED_TRACE(static_cast<int>(step));
                platform::PlantFailure(step, err);
                fails(err);
                platform::ClearPlantedFailures();
            }
        // Out of room for real: files may grow to 100 bytes only.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 100;
        signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        fails(EFBIG);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(TempDir::Read(old), "old contents");
    }
}

}  // namespace
