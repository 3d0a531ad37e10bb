// The tavrin tool as scripts use it: output, files written, exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tavrin-cli-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
    static std::string Slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
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
    fs::path dir;
};

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
    Write("a.job", "2=ST1 3=1.550\n5=P1 7=12.3456\n62=R1\n");
    Result r = Run("events -f geodi a.job --json");
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = JsonLines(r.out);
    ASSERT_EQ(lines.size(), 10u) << r.out;
    EXPECT_EQ(lines[0]["event"], "evStation");
    EXPECT_EQ(lines[0]["id"], 9);
    EXPECT_EQ(lines[0]["value"], "ST1");
    EXPECT_EQ(lines[0]["pass"], 2);
    EXPECT_EQ(lines[0]["record"], 1);
    EXPECT_EQ(lines[0]["line"], 1);
    EXPECT_EQ(lines[6]["event"], "evHorAngle");
    EXPECT_EQ(lines[6]["value"], "012.34.56");
    EXPECT_EQ(lines[6]["record"], 2);
    EXPECT_EQ(lines[7]["event"], "evOrientationStart");
    EXPECT_EQ(lines[7]["accepted"], true);
    EXPECT_EQ(lines[7]["line"], 3);
    EXPECT_TRUE(fs::path(lines[0]["file"].get<std::string>()).is_absolute());
    // Pass 1 gives the same stream.
    Result p1 = Run("events -f 12 a.job --json --pass 1");
    auto first = JsonLines(p1.out);
    ASSERT_EQ(first.size(), lines.size());
    EXPECT_EQ(first[0]["pass"], 1);
}

TEST_F(CliTest, ImportWritesTheProjectAndASummary) {
    Write("a.job", "2=S1 3=1.5 37=100 38=200 39=10\n5=P1 7=90.0000 9=12.5\n");
    Result r = Run("import -f GEODI a.job -o p.json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("stations:         1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("observations:     1"), std::string::npos);
    auto doc = nlohmann::json::parse(Slurp(dir / "p.json"));
    ASSERT_EQ(doc["stations"].size(), 1u);
    EXPECT_EQ(doc["stations"][0]["name"], "S1");
    EXPECT_DOUBLE_EQ(doc["stations"][0]["observations"][0]["hz"].get<double>(), 90.0);
    EXPECT_DOUBLE_EQ(doc["stations"][0]["observations"][0]["sd"].get<double>(), 12.5);
    // Importing more into the same project keeps what was there.
    Write("b.job", "2=S2\n");
    Result more = Run("import -f GEODI b.job --into p.json -o p.json");
    ASSERT_EQ(more.status, 0) << more.err;
    EXPECT_EQ(nlohmann::json::parse(Slurp(dir / "p.json"))["stations"].size(), 2u);
}

TEST_F(CliTest, BadArgumentsAndFailedRuns) {
    EXPECT_EQ(Run("import -f NOPE x.job").status, 2);
    EXPECT_EQ(Run("import -f GEODI").status, 2);
    EXPECT_EQ(Run("frobnicate").status, 2);
    EXPECT_EQ(Run("import -f GEODI a.job --set NoSuch=1").status, 2);
    EXPECT_EQ(Run("import -f GEODI a.job --set CheckDel=x").status, 2);
    Result missing = Run("import -f GEODI missing.job");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("missing.job"), std::string::npos) << missing.err;
    Write("broken.json", "{nope");
    Write("a.job", "2=S\n");
    Result broken = Run("import -f GEODI a.job --into broken.json");
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("broken.json"), std::string::npos);
    EXPECT_EQ(Run("import -f GEODI a.job --yes --no").status, 2);
}

TEST_F(CliTest, OptionsAreStoredAndSetsHoldForOneRun) {
    Result shown = Run("options -f leica");
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Format16Digits = 0"), std::string::npos) << shown.out;
    EXPECT_EQ(Run("options -f LEICA --set Format16Digits=1").status, 0);
    EXPECT_NE(Run("options -f LEICA").out.find("Format16Digits = 1"), std::string::npos);
    EXPECT_EQ(Run("options -f GEODI --set Format16Digits=1").status,
              2);  // not a Geodimeter setting

    // --set on import changes the run, not the stored settings.
    Write("a.job", "2=007\n");
    // Leading zeros of numeric names go by default.
    Result r = Run("import -f GEODI a.job --set CheckDel=0 -o p.json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(Slurp(dir / "p.json"))["stations"][0]["name"], "007");
    EXPECT_NE(Run("options -f GEODI").out.find("CheckDel = 1"), std::string::npos);
    ASSERT_EQ(Run("import -f GEODI a.job -o p.json").status, 0);
    EXPECT_EQ(nlohmann::json::parse(Slurp(dir / "p.json"))["stations"][0]["name"], "7");
}

TEST_F(CliTest, StartUnitsAndRussianProtocol) {
    Write("a.job", "2=S\n5=P 7=100.0000\n");
    Result r = Run("import -f GEODI a.job --angle-unit gon -o p.json");
    ASSERT_EQ(r.status, 0) << r.err;
    double hz =
        nlohmann::json::parse(Slurp(dir / "p.json"))["stations"][0]["observations"][0]["hz"];
    EXPECT_NEAR(hz, 90.0, 1e-9);
    Write("bad.job", "99=1\n");
    Result ru = Run("--lang ru import -f GEODI bad.job");
    EXPECT_EQ(ru.status, 1);
    EXPECT_NE(ru.err.find("неизвестном формате"), std::string::npos) << ru.err;
}

TEST_F(CliTest, FormatsListsEveryBuiltInFormat) {
    Result r = Run("formats --json");
    ASSERT_EQ(r.status, 0);
    auto doc = nlohmann::json::parse(r.out);
    ASSERT_GE(doc["import"].size(), 16u);
    EXPECT_EQ(doc["import"][5]["key"], "LEICA");
    EXPECT_EQ(doc["export"].size(), 7u);
}

TEST_F(CliTest, RealGeodimeterJob) {
    const fs::path sample = fs::path(TAVRIN_SHARED_SAMPLES) / "geodimeter-job.are";
    if (!fs::exists(sample))
        GTEST_SKIP() << "no shared samples";
    // The job does not state its units; its angles are in gon.
    Result r = Run("import -f GEODI '" + sample.string() + "' --angle-unit gon -o p.json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    auto doc = nlohmann::json::parse(Slurp(dir / "p.json"));
    ASSERT_FALSE(doc["stations"].empty());
    size_t observations = 0, with_angles = 0;
    for (const auto& s : doc["stations"])
        for (const auto& o : s["observations"]) {
            ++observations;
            with_angles += o["hz"].is_number() ? 1 : 0;
        }
    // Point records (label 5 with coordinates only) also announce a target, without angles.
    EXPECT_GT(observations, 100u);
    EXPECT_GE(with_angles, 100u);
    EXPECT_GT(doc["survey_points"].size(), 50u);
}

// Without -f each file is read as the format it is detected as, in the order given; a file of no
// known format is reported and skipped, and the run says so in its exit status.
TEST_F(CliTest, ImportDetectsTheFormatOfEachFile) {
    Write("a.gsi", "110001+0000P100 81..00+00001000 82..00+00002000 \n"
                   "110002+0000P200 81..00+00001100 82..00+00002100 \n");
    Write("b.job", "2=S1 3=1.5\n5=P1 7=90.0000 9=12.5\n");
    Write("c.csv", "name,x,y,h\nP9,1,2,3\n");
    Result r = Run("import c.csv a.gsi b.job -o p.json");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("c.csv: skipped, no format recognised"), std::string::npos) << r.err;
    EXPECT_LT(r.out.find("a.gsi was read as LEICA"), r.out.find("b.job was read as GEODI"))
        << r.out;
    auto doc = nlohmann::json::parse(Slurp(dir / "p.json"));
    EXPECT_EQ(doc["stations"].size(), 1u);
    EXPECT_EQ(doc["survey_points"].size(), 2u);
    EXPECT_EQ(Run("import a.gsi b.job").status, 0);

    Result d = Run("detect --json a.gsi c.csv");
    EXPECT_EQ(d.status, 1);
    auto lines = JsonLines(d.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["best"]["key"], "LEICA");
    EXPECT_EQ(lines[0]["best"]["settings"]["Format16Digits"], "0");
    EXPECT_FALSE(lines[1]["recognised"].get<bool>());
}
