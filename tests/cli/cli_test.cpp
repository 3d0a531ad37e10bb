// The tavrin tool as scripts use it: output, files written, exit status.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"

using ::testing::_;
using ::testing::AllOf;
using ::testing::FieldsAre;
using ::testing::HasSubstr;

namespace fs = std::filesystem;

namespace {

// Compared in one go: FieldsAre(status, out, err).
struct Result {
    int status = -1;
    std::string out, err;
};
void PrintTo(const Result& r, std::ostream* os) {
    *os << "status " << r.status << "\nout: " << r.out << "\nerr: " << r.err;
}

class CliTest : public ::testing::Test {
  protected:
    static std::string Slurp(const fs::path& p) { return testing_support::TempDir::Read(p); }
    nlohmann::json Json(const std::string& name) {
        return nlohmann::json::parse(Slurp(dir / name));
    }
    Result Run(const std::string& args) {
        std::string cmd = "cd '" + dir.string() + "' && TAVRIN_CONFIG='" +
                          (dir / "settings.toml").string() + "' LC_ALL=C '" TAVRIN_EXE "' " + args +
                          " >out.txt 2>err.txt </dev/null";
        Result r;
        int rc = std::system(cmd.c_str());
        r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
        r.out = Slurp(dir / "out.txt");
        r.err = Slurp(dir / "err.txt");
        return r;
    }
    testing_support::TempDir tmp;
    const fs::path& dir = tmp.path();
};

// A project with one station, imported from a.job.
const char kJob[] = "2=S1 3=1.5 37=100 38=200 39=10\n5=P1 7=90.0000 9=12.5\n";

std::vector<nlohmann::json> JsonLines(const std::string& text) {
    std::vector<nlohmann::json> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            out.push_back(nlohmann::json::parse(line));
    return out;
}

}  // namespace

TEST_F(CliTest, EventsAsJsonLines) {
    tmp.Write("a.job", "2=ST1 3=1.550\n5=P1 7=12.3456\n62=R1\n");
    Result r = Run("events -f geodi a.job --json");
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = JsonLines(r.out);
    ASSERT_EQ(lines.size(), 10u) << r.out;
    EXPECT_TRUE(fs::path(lines[0]["file"].get<std::string>()).is_absolute());
    std::string seen;  // two of the lines, without their file
    for (size_t i : {6, 7}) seen += (lines[i].erase("file"), lines[i].dump()) + "\n";
    EXPECT_EQ(seen, R"({"accepted":true,"event":"evHorAngle","id":25,"line":2,"pass":2,"record":2,)"
                    R"("value":"012.34.56"})"
                    "\n"
                    R"({"accepted":true,"event":"evOrientationStart","id":20,"line":3,"pass":2,)"
                    R"("record":3,"value":""})"
                    "\n");
    // Pass 1 gives the same stream.
    auto first = JsonLines(Run("events -f 12 a.job --json --pass 1").out);
    ASSERT_EQ(first.size(), lines.size());
    EXPECT_EQ(first[0]["pass"], 1);
}

// Past the size of a few batches of the writing thread, every line comes once, in order.
TEST_F(CliTest, EventsOfLargeFilesAllInOrder) {
    std::string job;
    for (int i = 1; i <= 5000; ++i) job += "5=P" + std::to_string(i) + " 7=12.3456\n";
    tmp.Write("a.job", job);
    tmp.Write("b.job", job);
    Result r = Run("events -f geodi a.job b.job");
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(r.out);
    std::vector<std::string> runs;  // "file:first-last" of each run of lines of one file
    for (std::string line; std::getline(in, line);) {
        const size_t colon = line.find(".job:") + 4;
        const std::string file = fs::path(line.substr(0, colon)).filename().string();
        const std::string at = line.substr(colon + 1, line.find(' ') - colon - 1);
        if (runs.empty() || !runs.back().starts_with(file + ":"))
            runs.push_back(file + ":" + at + "-");
        runs.back().resize(runs.back().find('-') + 1);
        runs.back() += at;
    }
    EXPECT_EQ(runs, (std::vector<std::string>{"a.job:1-5000", "b.job:1-5000"}));
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 50000);
}

TEST_F(CliTest, RussianMessagesEncodingsAndColumnGuesses) {
    tmp.Write("a.job",
              "5=\xD0\xB8"
              "7 37=1 38=2\n5=P2 7=392.4461\n");  // "Рё7" in CP1251
    EXPECT_THAT(
        Run("--lang ru import -f GEODI a.job --encoding cp1251 -o p.json"),
        FieldsAre(0, HasSubstr("съёмочных точек:  1\n"),
                  AllOf(HasSubstr("ошибка: Файл  "), HasSubstr("попробуйте --angle-unit gon"))));
    EXPECT_EQ(Json("p.json")["survey_points"][0]["name"], "Рё7");
    EXPECT_EQ(Run("import -f GEODI a.job --encoding koi8").status, 2);

    // Names right-aligned at the end of the point field, as the Trimble 3300 writes them.
    const std::string pad(15, ' ');
    tmp.Write("m5.dat", "For M5|Adr 1|PI1 " + pad + "1001|X 1.000 m|Y 2.000 m|Z 3.000 m|\n" +
                            "For M5|Adr 2|PI1 " + pad + "1002|X 4.000 m|Y 5.000 m|Z 6.000 m|\n");
    Result guess = Run("options -f ELTAC_M5 --guess m5.dat");
    ASSERT_EQ(guess.status, 0) << guess.err;
    EXPECT_THAT(guess.out, HasSubstr("--set NameStart=1 --set NameWidth=28 --set CodeStart=1 "
                                     "--set CodeWidth=0"));
    EXPECT_EQ(Run("options -f GEODI --guess m5.dat").status, 2);
}

TEST_F(CliTest, RealGeodimeterJob) {
    const fs::path sample = fs::path(TAVRIN_SHARED_SAMPLES) / "geodimeter-job.are";
    if (!fs::exists(sample))
        GTEST_SKIP() << "no shared samples";
    // The job does not state its units; its angles are in gon.
    EXPECT_THAT(
        Run("import -f GEODI '" + sample.string() + "' --angle-unit gon --no-compute -o p.json"),
        FieldsAre(0, _, ""));
    auto doc = Json("p.json");
    // Point records (label 5 with coordinates only) also announce a target, without angles.
    size_t with_angles = 0;
    for (const auto& s : doc["stations"])
        for (const auto& o : s["observations"]) with_angles += o["hz"].is_number() ? 1 : 0;
    EXPECT_GE(with_angles, 100u);
    EXPECT_GT(doc["survey_points"].size(), 50u);
}

TEST_F(CliTest, VersionHelpFormatsAndDescribedOptions) {
    Result v = Run("--version");
    EXPECT_EQ(v.status, 0);
    EXPECT_THAT(v.out,
                ::testing::MatchesRegex("tavrin 0\\.[0-9.]+ \\(commit [^,]+, .* build\\)\n"));

    // The manual pages, shown without their markup.
    EXPECT_THAT(Run("help import"),
                FieldsAre(0, HasSubstr("tavrin import [-f FORMAT] [OPTIONS] FILE..."), _));
    EXPECT_EQ(Run("help").out.rfind("NAME\n\n    tavrin - survey instrument files", 0), 0u);

    auto formats = nlohmann::json::parse(Run("formats --json").out);
    ASSERT_GE(formats["import"].size(), 16u);
    EXPECT_EQ(formats["import"][5]["key"], "LEICA");
    EXPECT_EQ(formats["export"].size(), 7u);

    Result json = Run("options -f LEICA --json");
    ASSERT_EQ(json.status, 0) << json.err;
    auto settings = nlohmann::json::parse(json.out);
    EXPECT_EQ(settings["Hi412"].dump(), R"({"allowed":"42..49","caption":"Instrument height: )"
                                        R"(word of the block","default":"43","value":"43"})");
    EXPECT_FALSE(settings.contains("NameStart"));  // an M5 setting
    EXPECT_THAT(Run("--lang ru options -f LEICA").out,
                HasSubstr("Hi412 = 43                 Высота инструмента: слово блока\n"
                          "                             по умолчанию 43; допустимо 42..49"));
}

// Without -f each file is read as the format it is detected as, in the order given; a file of no
// known format is reported and skipped, and the run says so in its exit status.
TEST_F(CliTest, ImportDetectsTheFormatOfEachFile) {
    tmp.Write("a.gsi",
              "110001+0000P100 81..00+00001000 82..00+00002000 \n"
              "110002+0000P200 81..00+00001100 82..00+00002100 \n");
    tmp.Write("b.job", "2=S1 3=1.5\n5=P1 7=90.0000 9=12.5\n");
    tmp.Write("c.csv", "name,x,y,h\nP9,1,2,3\n");
    Result r = Run("import c.csv a.gsi b.job -o p.json");
    EXPECT_THAT(r, FieldsAre(1, _, HasSubstr("c.csv: skipped, no format recognised")));
    EXPECT_LT(r.out.find("a.gsi was read as LEICA"), r.out.find("b.job was read as GEODI"))
        << r.out;
    const auto doc = Json("p.json");
    EXPECT_EQ(std::pair(doc["stations"].size(), doc["survey_points"].size()), std::pair(1ul, 2ul));
    EXPECT_EQ(Run("import a.gsi b.job").status, 0);

    Result d = Run("detect --json a.gsi c.csv");
    EXPECT_EQ(d.status, 1);
    auto lines = JsonLines(d.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["best"]["key"], "LEICA");
    EXPECT_EQ(lines[0]["best"]["settings"]["Format16Digits"], "0");
    EXPECT_FALSE(lines[1]["recognised"].get<bool>());
}

// Refused and failed runs say why, with the status scripts test, and leave every file as it was.
TEST_F(CliTest, BadRunsSayWhyAndLeaveEveryFileAsItWas) {
    tmp.Write("a.job", kJob);
    tmp.Write("b.job", "2=S2\n");
    tmp.Write("bad.job", "99=1\n");
    tmp.Write("broken.json", "{nope");
    ASSERT_EQ(Run("import -f GEODI a.job -o p.json").status, 0);
    fs::create_hard_link(dir / "a.job", dir / "same.job");
    // A point name no Leica file can hold: the export writes nothing.
    tmp.Write("bad.json",
              R"({"control_points":[{"name":"Ж","x":1,"y":2,"h":3}],"attributes":{"4":1}})");
    tmp.Write("old.gsi", "old");
    tmp.Write("settings.toml", "[\"ImportSettings\\\\LEICA\"]\nStation412 = 42\n");
    tmp.Write("codes.csv", "code,name,kind\n12,Kerb,line\n13,,point\n14,Wall,area\n");
    struct Row {
        const char* args;
        int status;
        const char* err;              // a piece of stderr
        const char* keep = "p.json";  // a file the run must leave as it was
    };
    const Row rows[] = {
        {"help nope", 2, "topics: cdx, codes, compute, convert, detect, events"},
        {"convert p.json job.kml", 1, "needs a coordinate reference system"},
        {"import -f GEODI a.job -o job2.kml", 2, "needs a coordinate reference system"},
        {"convert p.json job.gpkg --format nope", 2, "Unknown output format"},
        {"convert p.json job.xml --angle-unit grad", 2, "angle unit"},
        {"convert p.json p.json --format geojson", 1, "is the input"},
        {"convert missing.json job.gpkg", 1, "Cannot read the project"},
        {"import -f NOPE x.job", 2, ""},
        {"import -f GEODI", 2, ""},
        {"frobnicate", 2, ""},
        {"import -f ELTAR4 gone.job --set NoSuch=1", 2, "NoSuch"},  // format 0, before the files
        {"import -f GEODI a.job --set CheckDel=x", 2, ""},
        {"import -f GEODI a.job --yes --no", 2, ""},
        {"import -f GEODI a.job --into broken.json", 1, "broken.json", "broken.json"},
        {"--lang ru import -f GEODI bad.job", 1, "неизвестном формате"},
        {"import -f GEODI typo.job -o p.json", 1, "typo.job: there is no such file"},
        {"import -f GEODI typo.job --into p.json", 1, "typo.job"},
        {"cdx typo.cdx -o p.json", 1, "typo.cdx"},
        {"import -f GEODI a.job -o a.job", 2, "same file as the input a.job", "a.job"},
        {"import -f GEODI a.job -o ./same.job", 2, "same file", "a.job"},
        {"export -f leica-8 p.json ./p.json --yes", 2, "same file"},
        {"events -f GEODI nothere.job", 1, "nothere.job"},
        {"export -f leica-8 bad.json old.gsi --yes", 1, "old.gsi is left as it was", "old.gsi"},
        {"export -f leica-8 bad.json old.gsi --no", 1, "already exists", "old.gsi"},
        {"export -f leica-8 p.json s.gsi --selected", 1, "no point of p.json is selected"},
        // The same contents under another name are known again.
        {"import -f GEODI same.job --into p.json --no", 1, "already been imported"},
        // A code table with faults is refused as a whole, with file and line.
        {"codes p.json --import codes.csv", 1, "codes.csv, line 3: a code needs a code and a name"},
        {"codes p.json --import codes.csv", 1, "codes.csv, line 4: the kind \"area\""},
        {"import -f GEODI a.job --set CheckDel=5", 2, "CheckDel", "settings.toml"},
        {"options -f GEODI --set Format16Digits=1", 2, "Format16Digits", "settings.toml"},
        {"options -f LEICA --set Station412=999999", 2, "999999", "settings.toml"},
        {"options -f ELTAC_M5 --set NameWidth=-3", 2, "-3", "settings.toml"},
        {"options -f LEICA", 0, "", "settings.toml"},
        {"formats", 0, "", "settings.toml"},
        {"events -f GEODI a.job", 0, "", "settings.toml"},
    };
    for (const Row& row : rows) {
        const std::string before = Slurp(dir / row.keep);
        const auto stamp = fs::last_write_time(dir / row.keep);
        EXPECT_THAT(Run(row.args), FieldsAre(row.status, _, HasSubstr(row.err))) << row.args;
        EXPECT_EQ(Slurp(dir / row.keep), before) << row.args;
        EXPECT_EQ(fs::last_write_time(dir / row.keep), stamp) << row.args;
    }
    EXPECT_FALSE(fs::exists(dir / "job.kml") || fs::exists(dir / "job2.kml"));
    // Other formats from an import and from a project.
    ASSERT_EQ(Run("import -f GEODI a.job -o job.xml").status, 0);
    EXPECT_THAT(Slurp(dir / "job.xml"),
                HasSubstr("<InstrumentSetup id=\"setup1\" stationName=\"S1\""));
    ASSERT_EQ(Run("convert p.json job.geojson").status, 0);
    EXPECT_THAT(Slurp(dir / "job.geojson"), HasSubstr("FeatureCollection"));
    // Of three named files one is missing: two are imported, and the status says one was not.
    EXPECT_THAT(Run("import -f GEODI a.job b.job nothere.job -o q.json"),
                FieldsAre(1, HasSubstr("Imported 2 file"), _));
    EXPECT_EQ(Json("q.json")["stations"].size(), 2u);
}

TEST_F(CliTest, OptionsAndValuesAsScriptsWriteThem) {
    tmp.Write("a.job", "2=007 37=100 38=200 39=10\n5=P 7=100.0000\n");
    // --set before the files takes one value; unit names in any case.
    Result r = Run("import -f GEODI --set CheckDel=0 --angle-unit GON a.job -o p.json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("  stations:         1\n  observations:     1\n"
                                 "  control points:   0\n  survey points:    1\n"));
    auto doc = Json("p.json");
    EXPECT_EQ(doc["stations"][0]["name"], "007");
    EXPECT_NEAR(doc["stations"][0]["observations"][0]["hz"].get<double>(), 90.0, 1e-9);
    // --set changes the run, not the stored settings: leading zeros of numeric names go again.
    EXPECT_THAT(Run("options -f GEODI").out, HasSubstr("CheckDel = 1"));
    ASSERT_EQ(Run("import -f GEODI a.job -o p.json").status, 0);
    EXPECT_EQ(Json("p.json")["stations"][0]["name"], "7");
    // A freshly imported project exports without the question about incomplete data.
    EXPECT_THAT(Run("export -f leica-8 p.json out.gsi"),
                FieldsAre(0, _, ::testing::Not(HasSubstr("incomplete"))));
    // --selected writes the selected points only.
    tmp.Write(
        "sel.json",
        R"({"attributes": {"4": 1}, "survey_points": [)"
        R"({"name": "A", "x": 1, "y": 2, "selected": true}, {"name": "B", "x": 3, "y": 4}]})");
    ASSERT_EQ(Run("export -f leica-8 sel.json s.gsi --selected").status, 0);
    const std::string written = Slurp(dir / "s.gsi");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1) << written;
    // After an import with a data error it is asked (and refused without a terminal).
    tmp.Write("bad.job", "99=1\n");
    tmp.Write("b.job", "2=S2\n");
    ASSERT_EQ(Run("import -f GEODI b.job bad.job --into p.json").status, 0);
    EXPECT_THAT(Run("export -f leica-8 p.json out2.gsi"), FieldsAre(1, _, HasSubstr("incomplete")));
    EXPECT_FALSE(fs::exists(dir / "out2.gsi"));
}

TEST_F(CliTest, TheProjectRemembersItsFilesAndIsWrittenBackUnderALock) {
    tmp.Write("a.job", kJob);
    ASSERT_EQ(Run("import -f GEODI a.job -o p.json").status, 0);
    // --into alone writes back.
    EXPECT_EQ(Run("import -f GEODI a.job --into p.json --yes").status, 0);
    EXPECT_EQ(Json("p.json")["stations"].size(), 2u);

    // Another writer holds the project: the run says it waits, then adds its import.
    tmp.Write("b.job", "2=S3\n");
    const int fd = ::open((dir / "p.json").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    Result locked;
    std::thread run([&] { locked = Run("import -f GEODI b.job --into p.json -o p.json"); });
    for (int i = 0; i < 500 && Slurp(dir / "err.txt").find("Waiting") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(Json("p.json")["stations"].size(), 2u);
    ::close(fd);
    run.join();
    EXPECT_THAT(locked, FieldsAre(0, _, HasSubstr("Waiting for another run")));
    EXPECT_EQ(Json("p.json")["stations"].size(), 3u);
}

// Where a broken settings file goes is the settings store's business; the run says it once.
TEST_F(CliTest, BrokenSettingsAreSaidOnceAndSetOptionsStored) {
    tmp.Write("a.job", kJob);
    tmp.Write("settings.toml", "[[[");
    Result r = Run("import -f GEODI a.job -o p.json");
    EXPECT_THAT(r,
                FieldsAre(0, _, HasSubstr("moved to " + (dir / "settings.toml.broken").string())));
    // Once, however often the run reads or writes settings.
    EXPECT_EQ(r.err.find("could not be used"), r.err.rfind("could not be used")) << r.err;
    EXPECT_EQ(Run("options -f LEICA --set Format16Digits=1").status, 0);
    EXPECT_THAT(Run("options -f LEICA").out, HasSubstr("Format16Digits = 1"));
}

TEST_F(CliTest, ComputeAgainAndCodeSystems) {
    tmp.Write("job.are", "23=1113\n2=A\n37=0\n38=0\n39=10\n5=P1\n4=12\n7=0\n8=90\n9=10\n");
    ASSERT_EQ(Run("import -f GEODI job.are --no-compute -o p.json").status, 0);
    EXPECT_EQ(Slurp(dir / "p.json").find("\"origin\": \"computed\""), std::string::npos);
    tmp.Write("codes.csv", "12,Kerb,line\n");
    EXPECT_THAT(Run("codes p.json --import codes.csv --name Main"),
                FieldsAre(0, HasSubstr("Code system \"Main\": 1 code(s) in slot 0."), _));

    ASSERT_EQ(Run("compute p.json").status, 0);
    auto doc = Json("p.json");
    ASSERT_EQ(doc["survey_points"].size(), 2u);
    EXPECT_EQ(doc["survey_points"][1]["name"], "P1");
    EXPECT_EQ(doc["survey_points"][1]["origin"], "computed");
    EXPECT_NEAR(doc["survey_points"][1]["x"].get<double>(), 10.0, 1e-9);
    EXPECT_EQ(doc["code_systems"][0]["codes"][0]["kind"], "line");
    const std::string once = Slurp(dir / "p.json");
    ASSERT_EQ(Run("compute p.json").status, 0);
    EXPECT_EQ(Slurp(dir / "p.json"), once);
}
