// The project file: exact round trips and the messages for documents that are not projects.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>

#include "host/json_writer.h"
#include "import/contracts/vrk.h"

using ::testing::HasSubstr;

namespace {

std::string RoundTrip(const std::string& text) {
    vrk::CVrkObject p;
    std::string error;
    EXPECT_TRUE(p.FromJson(text, error)) << error;
    return p.ToJson();
}

}  // namespace

TEST(ProjectJson, WriteReadWriteGivesTheSameBytes) {
    vrk::CVrkObject p;
    p.title = "Job \"7\"\t\x01 ё";
    auto& cp = p.PointByName("CP");
    cp.control = true;
    cp.x = 0.1 + 0.2;
    cp.h = -1e-300;
    cp.code = "КОД";
    cp.code_items = {{"FENCE", "1", {{"H", "1.2"}, {"D", ""}}, "Fence"}};
    p.PointByName("").y = 6378137.000000001;
    auto& s = p.data().stations.emplace_back();
    s.name = "S1";
    s.date = 1714989600;
    s.backsight_azimuth = 1.0;  // radians that no degree text reads back to exactly
    s.directions.push_back({"D", 3 * M_PI / 7});
    for (double hz : {M_PI, 2 * M_PI - 1e-15, 1e-9, 4.8229}) {
        auto& o = s.observations.emplace_back();
        o.target = "T";
        o.hz = hz;
        o.v = hz / 3;
        o.sd = hz * 100;
        o.orientation = true;
    }
    p.SetAttr(4, 1);
    vrk::CClassificator c;
    c.slots[2] = {true, "ГОСТ", {}};
    p.SetClassificator(c);

    const std::string first = p.ToJson();
    const std::string second = RoundTrip(first);
    EXPECT_EQ(second, first);
    EXPECT_EQ(RoundTrip(second), second);
    vrk::CVrkObject back;
    std::string error;
    ASSERT_TRUE(back.FromJson(first, error));
    EXPECT_EQ(back.data().stations[0].observations[0].hz, M_PI);
    EXPECT_EQ(back.data().points.size(), 2u);
    EXPECT_EQ(back.GetAttr(4), 1);
    EXPECT_EQ(back.FindPoint("CP")->code_items, p.FindPoint("CP")->code_items);
    EXPECT_EQ(back.title, p.title);
    EXPECT_THAT(first, HasSubstr("\"format_version\": 1"));
    EXPECT_THAT(first, HasSubstr("\"hz\": 180,"));
}

// Short decimals take a quicker way to their text: it must be the text of the general search,
// the shortest that reads back, in the same notation ("1e-5", "2e+09", "0.001").
TEST(ProjectJson, NumbersGetTheShortestTextThatReadsBack) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        double v;
        if (i % 4 == 3) {
            const uint64_t bits = random();
            std::memcpy(&v, &bits, sizeof v);
        } else {
            const int decimals = static_cast<int>(random() % 12);
            v = static_cast<double>(random() % (i % 2 ? 100000 : 1000000000000000)) /
                std::pow(10.0, decimals) * (random() % 2 ? -1 : 1);
        }
        if (!std::isfinite(v))
            continue;
        char buf[40];
        char* end = std::to_chars(buf, buf + sizeof buf, v).ptr;
        std::string expected(buf, end);
        if (auto e = expected.find('e'); e != std::string::npos && expected[e + 2] == '0')
            expected.erase(e + 2, 1);
        std::string out;
        vrk::JsonWriter w(out);
        w.Number(v);
        ASSERT_EQ(out, expected) << i;
    }
}

TEST(ProjectJson, NumbersAsWrittenByHandComeBackAsTheyWere) {
    for (const char* hz :
         {"276.3324", "0.1", "359.99999999999994", "1e-7", "123.45678901234", "-0"}) {
        const std::string text =
            std::string("{\n  \"format_version\": 1,\n  \"title\": \"\",\n") +
            "  \"control_points\": [],\n  \"survey_points\": [],\n" +
            "  \"stations\": [\n    {\"name\": \"S\", \"x\": 0.3, \"y\": null, "
            "\"h\": null, \"instrument_height\": null, \"code\": null, "
            "\"date\": null, \"backsight\": null, \"backsight_azimuth\": " +
            hz + ", \"directions\": [], \"computed\": false, \"orientation\": null, " +
            "\"orientation_spread\": null, \"orientation_source\": null, " +
            "\"collimation_error\": null, \"index_error\": null, \"observations\": []}\n  ],\n" +
            "  \"attributes\": {},\n  \"lines\": [],\n  \"processing\": {\n" +
            "    \"flags\": 15,\n    \"separators\": \"/=;#\",\n    \"code_system\": -1,\n" +
            "    \"relief\": 0,\n    \"tolerance\": 0.01,\n    \"face_tolerance\": 60,\n" +
            "    \"curvature\": true,\n    \"refraction\": 0.13\n  }\n}\n";
        EXPECT_EQ(RoundTrip(text), text) << hz;
    }
}

TEST(ProjectJson, DocumentsThatAreNotProjectsAreRefusedWithTheReason) {
    const std::pair<const char*, const char*> cases[] = {
        // text, message
        {"[1,2,3]", "valid JSON, but not a project: the document is a list"},
        {"", "line 1, column 1: the text ends before the document does"},
        {"{not json", "not valid JSON at line 1, column 2: unexpected character 'n'"},
        {"\n\n  {\"a\": tru}", "line 3, column 12: unexpected character '}'"},
        {"{\"a\": 1} x", "column 10: unexpected character 'x'"},
        {"{\"title\": \"a", "the text ends before the document does"},
        {"{\"a\": 1", "line 1, column 8: the text ends before the document does"},
        {"{\"other\": 1e999}", "a number too large"},
        {"{\"a\": \"x\ty\"}", "unexpected character 0x09"},
        {"{\"format_version\": 2, \"stations\": 1}",
         "newer version (format 2; this version reads up to 1)"},
        {"{\"survey_points\": [{\"name\": \"P7\", \"x\": \"12\"}]}",
         "survey point 1 \"P7\": the field \"x\" is text where a number is expected"},
        {"{\"control_points\": [{}, {\"name\": [\"x\"]}]}",
         "control point 2: the field \"name\" is a list where text is expected"},
        {"{\"stations\": [{\"observations\": [{\"hz\": true, \"target\": \"T\"}], \"name\": "
         "\"S1\"}]}",
         "station 1 \"S1\", observation 1 \"T\": the field \"hz\" is true or false where a number"},
        {"{\"control_points\": 5}",
         "the project: the field \"control_points\" is a number where a list is expected"},
        {"{\"survey_points\": [3]}", "the field \"survey_points[1]\" is a number where an object"},
        {"{\"attributes\": {\"4\": 1.5}}",
         "the project: the field \"attributes.4\" is a number where a whole number is expected"},
    };
    for (const auto& [text, message] : cases) {
        vrk::CVrkObject p;
        p.title = "kept";
        std::string error;
        EXPECT_FALSE(p.FromJson(text, error)) << text;
        EXPECT_THAT(error, HasSubstr(message)) << text << "\n  gave: " << error;
        EXPECT_EQ(p.title, "kept") << text;
    }
    vrk::CVrkObject p;
    std::string error;
    EXPECT_FALSE(p.LoadJson("/nonexistent/p.json", error));
    EXPECT_THAT(error, HasSubstr("/nonexistent/p.json: cannot read the file"));
    // A file of an earlier version (no version field, fields in any order, unknown fields), saved
    // by an editor that puts a byte order mark in front, loads.
    ASSERT_TRUE(
        p.FromJson("\xEF\xBB\xBF{\"later\": {\"a\": [1, {}]}, \"survey_points\": [{\"x\": 1.5, "
                   "\"y\": 1e-400, \"name\": "
                   "\"A\\u00e9\\ud83d\\ude00\"}]}",
                   error))
        << error;
    EXPECT_EQ(p.data().points.at(0).name, "A\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(static_cast<double>(p.data().points.at(0).y), 0.0)
        << "too small for a double: zero, not an error";
    // Processing values out of their range keep the defaults.
    ASSERT_TRUE(
        p.FromJson(R"({"processing": {"code_system": 11, "relief": 3, "flags": -1}})", error));
    EXPECT_EQ(std::tuple(p.processing.code_system, p.processing.relief, p.processing.flags),
              std::tuple(-1, 0, 15));
}

// Runs of stations are written on two threads: the text must be what one writer gives, in order.
TEST(ProjectJson, ALargeProjectIsWrittenInOrderAsOneWriterWould) {
    auto write = [](bool split) {
        std::string out;
        vrk::JsonWriter w(out);
        w.BeginObject();
        w.Key("list");
        w.BeginArray();
        std::string rest;
        for (int i = 0; i < 3; ++i) {
            vrk::JsonWriter c = w.Continuation(rest);
            vrk::JsonWriter& to = split && i > 0 ? c : w;
            to.BeginObject(vrk::JsonLayout::Inline);
            to.Field("n", i);
            to.EndObject();
            w.Append(rest);
            rest.clear();
        }
        w.EndArray();
        w.EndObject();
        w.Finish();
        return out;
    };
    EXPECT_EQ(write(true), write(false));

    vrk::CVrkObject p;
    for (int s = 0; s < 7; ++s) {
        auto& st = p.data().stations.emplace_back();
        st.name = "S" + std::to_string(s);
        for (int o = 0; o < 1000; ++o) st.observations.emplace_back().sd = s * 1000 + o;
    }
    const std::string text = p.ToJson();
    vrk::CVrkObject back;
    std::string error;
    ASSERT_TRUE(back.FromJson(text, error)) << error;
    ASSERT_EQ(back.data().stations.size(), 7u);
    for (int s = 0; s < 7; ++s) {
        EXPECT_EQ(back.data().stations[s].name, "S" + std::to_string(s));
        EXPECT_EQ(back.data().stations[s].observations.at(999).sd, s * 1000 + 999);
    }
    EXPECT_EQ(back.ToJson(), text);
}
