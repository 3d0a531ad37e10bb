// The engine side that a plug-in's import runs on: reading lines with progress, value
// readers, the target's calls and the settings record.
#include "import/import_client.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake_server.h"
#include "plugin_fixture.h"

namespace plugin_test {
namespace {

using ImportClientTest = PluginTest;

// Reads every line of the file, one record each; keeps them.
std::function<int(IImportTarget&)> ReadAllInto(std::vector<std::string>& lines) {
    return [&lines](IImportTarget& t) {
        std::string line;
        if (!t.ReadLine(line))
            return 0;
        lines.push_back(line);
        return 1;
    };
}

TEST_F(ImportClientTest, ReadLineReportsTheShareOfTheFileRead) {
    auto fake = FakeServer::Make();
    fake->import = LoadOne;
    std::vector<std::string> lines;
    fake->read_events = ReadAllInto(lines);
    // Ten lines of 100 bytes: a 1000-byte file.
    std::string text;
    for (int i = 0; i < 10; ++i) text += std::string(99, static_cast<char>('a' + i)) + "\n";
    const auto path = WriteFile("thousand.txt", text);
    std::vector<int> seen;
    CImportClient client(&project, fake, [&](int percent, vrk::CDocument* doc) {
        EXPECT_EQ(doc, nullptr);
        seen.push_back(percent);
    });
    EXPECT_EQ(client.Import(path.string()), 1);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[9], std::string(99, 'j')) << "lines come without their line end";
    ASSERT_EQ(seen.size(), 11u) << "ten lines and the close";
    EXPECT_EQ(seen[0], 10);
    EXPECT_EQ(seen[8], 90);
    EXPECT_EQ(seen[9], 100) << "the last line reports 100";
    EXPECT_EQ(seen[10], 100);
}

TEST_F(ImportClientTest, ProgressRoundsHalvesUpAndLinesEndWithCrLf) {
    auto fake = FakeServer::Make();
    fake->import = LoadOne;
    std::vector<std::string> lines;
    fake->read_events = ReadAllInto(lines);
    // 200 bytes: one byte is half a percent; 2 bytes a percent.
    const auto path = WriteFile("half.txt", "\n" + std::string(196, 'x') + "\r\n" + "y");
    std::vector<int> seen;
    CImportClient client(&project, fake,
                         [&](int percent, vrk::CDocument*) { seen.push_back(percent); });
    client.Import(path.string());
    EXPECT_EQ(lines, (std::vector<std::string>{"", std::string(196, 'x'), "y"}));
    // 1 of 200 bytes is 0.5 %, 199 of 200 is 99.5 %: both go up.
    EXPECT_EQ(seen, (std::vector<int>{1, 100, 100, 100}));
}

TEST_F(ImportClientTest, WithoutACallbackTheLinesAreReadAllTheSame) {
    auto fake = FakeServer::Make();
    fake->import = LoadOne;
    std::vector<std::string> lines;
    fake->read_events = ReadAllInto(lines);
    const auto path = WriteFile("three.txt", "a\nb\nc\n");
    CImportClient client(&project, fake, nullptr);
    EXPECT_EQ(client.Import(path.string()), 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(ImportClientTest, LongLinesComeInPiecesAndEveryPieceCounts) {
    auto fake = FakeServer::Make();
    fake->import = LoadOne;
    std::vector<long> numbers;
    fake->read_events = [&](IImportTarget& t) {
        std::string line;
        if (!t.ReadLine(line))
            return 0;
        numbers.push_back(static_cast<long>(line.size()));
        return 1;
    };
    const auto path = WriteFile("long.txt", std::string(2500, 'z') + "\nend\n");
    CImportClient client(&project, fake, nullptr);
    client.Import(path.string());
    EXPECT_EQ(numbers, (std::vector<long>{1023, 1023, 454, 3}));
}

TEST_F(ImportClientTest, ValueReadersTakePlainDecimalsAsTheyAre) {
    auto fake = FakeServer::Make();
    CImportClient client(&project, fake, nullptr);
    // Whatever units are current, the plug-in's numbers are not converted.
    const auto old_dist = zut::CLinear::unit(zut::du_foot);
    const auto old_angle = zut::CAngular::unit(zut::au_gon);
    zut::CLinear d;
    EXPECT_EQ(client.GetLinear("12.5", &d), 1);
    EXPECT_TRUE(d.valid());
    EXPECT_DOUBLE_EQ(d, 12.5);
    zut::CAngular a;
    EXPECT_EQ(client.GetAngular(" -0.25 ", &a), 1);
    EXPECT_DOUBLE_EQ(a, -0.25);
    zut::CLinear::unit(old_dist);
    zut::CAngular::unit(old_angle);

    // A blank text is "not given" and still a success.
    d = 3.0;
    EXPECT_EQ(client.GetLinear("   ", &d), 1);
    EXPECT_FALSE(d.valid());
    EXPECT_EQ(client.GetAngular("", &a), 1);
    EXPECT_FALSE(a.valid());
    double p = 0;
    EXPECT_EQ(client.GetPressure(" ", &p), 1);
    EXPECT_TRUE(std::isnan(p));

    // Not a plain number, or beyond the single-precision range: refused.
    for (const char* bad : {"12,5", "1.5m", "abc", "123.45.30"}) {
        EXPECT_EQ(client.GetLinear(bad, &d), 0) << bad;
        EXPECT_EQ(client.GetTemperature(bad, &p), 0) << bad;
    }
    EXPECT_EQ(client.GetLinear("340282346638528860000000000000000000000", &d), 1);
    EXPECT_EQ(client.GetLinear("3402823466385288600000000000000000000000", &d), 0);
    EXPECT_EQ(client.GetVapor("-3402823466385288600000000000000000000000", &p), 0);
    EXPECT_EQ(client.GetVapor("12.3", &p), 1);
    EXPECT_DOUBLE_EQ(p, 12.3);
    EXPECT_EQ(client.GetPressure("1013.25", &p), 1);
    EXPECT_DOUBLE_EQ(p, 1013.25);
    EXPECT_EQ(client.GetLinear(nullptr, &d), 0);
    EXPECT_EQ(client.GetLinear("1", nullptr), 0);
}

TEST_F(ImportClientTest, DatesAreTheServersToRead) {
    auto fake = FakeServer::Make();
    CImportClient client(&project, fake, nullptr);
    int64_t t = 0;
    EXPECT_EQ(client.GetDate("today", &t), 1);
    EXPECT_EQ(t, 1700000000);
    EXPECT_EQ(client.GetDate("yesterday", &t), 0);
    EXPECT_EQ(client.GetDate(nullptr, &t), 0);
}

TEST_F(ImportClientTest, TheTargetHandsEngineCallsThrough) {
    auto fake = FakeServer::Make();
    fake->import = LoadOne;
    std::vector<int> results;
    fake->read_events = [&](IImportTarget& t) {
        std::string line;
        if (!t.ReadLine(line))
            return 0;
        t.ClearEventList();
        results.push_back(t.Push(tavrin::event::kPointName, line.c_str()));
        results.push_back(t.Push(tavrin::event::kPointX, "5.5"));
        results.push_back(t.Push(tavrin::event::kPointY, "east"));
        results.push_back(t.Push(999, "unknown event"));
        results.push_back(t.Push(tavrin::event::kPointH, nullptr));
        t.WriteToLog("seen by the plug-in", 2);
        // No file may be started while one is being read.
        results.push_back(t.LoadFile(line.c_str()));
        results.push_back(t.LoadOneFile(line.c_str()));
        return 1;
    };
    const auto path = WriteFile("one.txt", "Q7\n");
    CImportClient client(&project, fake, nullptr);
    client.Import(path.string());
    // Pass 2 only: accepted name and x, refused y, unknown id, empty text, nested loads.
    EXPECT_EQ(results, (std::vector<int>{1, 1, 0, 0, 0, 0, 0}));
    const vrk::CVrkPoint* q = Point("Q7");
    ASSERT_NE(q, nullptr);
    EXPECT_DOUBLE_EQ(q->x, 5.5);
    EXPECT_FALSE(q->y.valid());
    const auto protocol = Protocol();
    bool prefixed = false;
    for (const auto& e : protocol)
        prefixed |= e.find("one.txt") != std::string::npos &&
                    e.find("seen by the plug-in") != std::string::npos;
    EXPECT_TRUE(prefixed) << ::testing::PrintToString(protocol);
}

TEST_F(ImportClientTest, AFileThatCannotBeReadIsReportedAndTheRunGoesOn) {
    auto fake = FakeServer::Make();
    std::vector<int> loaded;
    fake->import = [&](const std::string& files, IImportTarget& t) {
        t.InitImport();
        for (const auto& p : tavrin::SplitFileList(files))
            loaded.push_back(t.LoadOneFile(p.c_str()));
        t.CloseImport();
        return 1;
    };
    std::vector<std::string> lines;
    fake->read_events = ReadAllInto(lines);
    WriteFile("good.txt", "g\n");
    CImportClient client(&project, fake, nullptr);
    client.Import((dir() / "missing.txt").string() + ";good.txt;");
    EXPECT_EQ(loaded, (std::vector<int>{0, 1}));
    EXPECT_EQ(lines, (std::vector<std::string>{"g"}));
    EXPECT_FALSE(Protocol().empty());
}

TEST_F(ImportClientTest, APluginThatNeverEndsAFileIsStopped) {
    auto fake = FakeServer::Make();
    fake->import = LoadOne;
    int calls = 0;
    fake->read_events = [&](IImportTarget&) { return ++calls, 1; };
    const auto path = WriteFile("x.txt", "x\n");
    CImportClient client(&project, fake, nullptr);
    EXPECT_EQ(client.Import(path.string()), 1);
    EXPECT_GT(calls, 1);
    EXPECT_LE(calls, 100000);
}

TEST_F(ImportClientTest, TheSettingsRecordBecomesTheImportInformation) {
    auto fake = FakeServer::Make();
    fake->record.flags = 0x12;
    fake->record.relief = 2;
    fake->record.code_system = 4;
    const char seps[4] = {'!', '@', '\0', '%'};
    std::copy(seps, seps + 4, fake->record.separators);
    {
        CImportClient client(&project, fake, nullptr);
        const vrk::CImportInfo& info = client.GetImportInfo();
        EXPECT_EQ(info.flags, 0x12);
        EXPECT_EQ(info.GetDTM(), 2);
        EXPECT_EQ(info.GetCodeSystem(&project), 4);
        EXPECT_EQ(std::string(info.separators, 4), std::string(seps, 4));
    }
    // Without a record the engine's defaults stand.
    fake->has_record = false;
    CImportClient plain(&project, fake, nullptr);
    EXPECT_EQ(plain.GetImportInfo().flags, vrk::CImportInfo().flags);

    EXPECT_THROW(CImportClient(&project, nullptr, nullptr), std::invalid_argument);
}

}  // namespace
}  // namespace plugin_test
