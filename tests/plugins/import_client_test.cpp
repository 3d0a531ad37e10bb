// The engine side that a plug-in's import runs on: reading lines with progress, value
// readers, the target's calls and the settings record.
#include "import/import_client.h"

#include <cmath>
#include <optional>

#include "plugin_fixture.h"
#include "tavrin/import_plugin.h"

namespace plugin_test {
namespace {

// An import server living in the test program. By default it loads the one file it is given
// and keeps each line it reads.
class FakeServer final : public IRegImportServer {
  public:
    bool QueryInterface(const tavrin::Guid& iid, void** object) override {
        *object =
            iid == tavrin::kIidRegImportServer ? static_cast<IRegImportServer*>(this) : nullptr;
        return *object != nullptr;
    }
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }
    void GetTitle(std::string& title) override { title = "Fake"; }
    bool GetFormatId(tavrin::Guid* id) override {
        return tavrin::GuidFromText("{9A8B7C6D-5E4F-4A3B-8C2D-1E0F9A8B7C6D}", *id);
    }
    bool GetVersion(int* version) override { return (*version = 1) != 0; }
    void GetFilter(std::string& pattern) override { pattern = "*.fak"; }
    void GetFilterName(std::string& name) override { name = "Fake files"; }
    int HasPages() override { return 0; }
    int GetPageCount() override { return 0; }
    bool GetPage(int, IImportPage*& page) override { return (page = nullptr) != nullptr; }
    bool EditOptions() override { return false; }
    bool GetSettings(ImportPluginSettings*& settings) override {
        settings = has_record ? &record : nullptr;
        return has_record;
    }
    bool SaveSettings() override { return true; }
    bool LoadSettings() override { return true; }
    bool GetSection(std::string&) override { return false; }
    int Import(const std::string& files, IImportTarget* t) override {
        target = t;
        const int result = import(files, *t);
        target = nullptr;
        return result;
    }
    int ReadEvents() override { return target ? read_events(*target) : 0; }
    bool GetDate(const char* text, int64_t* time) override {
        return std::string_view(text) == "today" && (*time = 1700000000) != 0;
    }

    bool has_record = true;
    ImportPluginSettings record;
    std::vector<std::string> lines;
    // The whole run over one file, as a plug-in usually drives it.
    std::function<int(const std::string&, IImportTarget&)> import = [](const std::string& files,
                                                                       IImportTarget& t) {
        t.InitImport();
        const int loaded = t.LoadOneFile(files.c_str());
        t.CloseImport();
        return loaded;
    };
    std::function<int(IImportTarget&)> read_events = [this](IImportTarget& t) {
        std::string line;
        if (!t.ReadLine(line))
            return 0;
        lines.push_back(line);
        return 1;
    };
    IImportTarget* target = nullptr;
};

class ImportClientTest : public PluginTest {
  protected:
    std::shared_ptr<FakeServer> fake = std::make_shared<FakeServer>();
};
using Texts = std::vector<std::string>;

TEST_F(ImportClientTest, ReadLineGivesTheLinesAndTheShareOfTheFileRead) {
    struct Row {
        std::string text;
        Texts lines;
        std::optional<std::vector<int>> progress;  // none: no callback
    };
    Row tens{"", {}, std::vector<int>{}};
    for (int i = 0; i < 10; ++i) {  // ten lines of 100 bytes
        tens.text += std::string(99, static_cast<char>('a' + i)) + "\n";
        tens.lines.push_back(std::string(99, static_cast<char>('a' + i)));
        tens.progress->push_back(10 * (i + 1));
    }
    tens.progress->push_back(100);  // the close
    const std::string z(1023, 'z');
    const std::vector<Row> rows = {
        tens,
        // 200 bytes: 1 of them is 0.5 %, 199 are 99.5 %; both round up. CR LF ends a line too.
        {"\n" + std::string(196, 'x') + "\r\n" + "y",
         {"", std::string(196, 'x'), "y"},
         std::vector<int>{1, 100, 100, 100}},
        {"a\nb\nc\n", {"a", "b", "c"}, std::nullopt},
        // Long lines come in pieces.
        {std::string(2500, 'z') + "\nend\n", {z, z, std::string(454, 'z'), "end"}, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 8));
        fake = std::make_shared<FakeServer>();
        std::vector<int> seen;
        CImportClient::ProgressCallback progress;
        if (row.progress)
            progress = [&seen](int percent, vrk::CDocument*) { seen.push_back(percent); };
        CImportClient client(&project, fake, progress);
        EXPECT_EQ(client.Import(tmp.Write("f.txt", row.text).string()), 1);
        EXPECT_EQ(fake->lines, row.lines);
        EXPECT_EQ(seen, row.progress.value_or(std::vector<int>{}));
    }
}

TEST_F(ImportClientTest, ValueReadersTakePlainDecimalsAsTheyAreAndDatesThroughTheServer) {
    CImportClient client(&project, fake, nullptr);
    // Whatever units are current, the plug-in's numbers are not converted.
    const auto old_dist = zut::CLinear::unit(zut::du_foot);
    const auto old_angle = zut::CAngular::unit(zut::au_gon);
    zut::CLinear d;
    zut::CAngular a;
    EXPECT_EQ(client.GetLinear("12.5", &d) + client.GetAngular(" -0.25 ", &a), 2);
    EXPECT_EQ((std::pair<double, double>(d, a)), std::pair(12.5, -0.25));
    zut::CLinear::unit(old_dist);
    zut::CAngular::unit(old_angle);

    // A blank text is "not given" and still a success.
    double p = 0;
    EXPECT_EQ(client.GetLinear("   ", &d) + client.GetAngular("", &a) + client.GetPressure(" ", &p),
              3);
    EXPECT_FALSE(d.valid() || a.valid() || !std::isnan(p));

    // Not a plain number, or beyond the single-precision range: refused.
    for (const char* bad :
         {"12,5", "1.5m", "abc", "123.45.30", "3402823466385288600000000000000000000000"})
        EXPECT_EQ(client.GetLinear(bad, &d) + client.GetTemperature(bad, &p), 0) << bad;
    EXPECT_EQ(client.GetLinear("340282346638528860000000000000000000000", &d), 1);
    EXPECT_EQ(client.GetVapor("-3402823466385288600000000000000000000000", &p), 0);
    EXPECT_EQ(client.GetVapor("12.3", &p), 1);
    EXPECT_DOUBLE_EQ(p, 12.3);
    EXPECT_EQ(client.GetLinear(nullptr, &d) + client.GetLinear("1", nullptr), 0);

    int64_t t = 0;
    EXPECT_TRUE(client.GetDate("today", &t) == 1 && t == 1700000000) << t;
    EXPECT_EQ(client.GetDate("yesterday", &t) + client.GetDate(nullptr, &t), 0);
}

TEST_F(ImportClientTest, TheTargetHandsEngineCallsThrough) {
    std::vector<int> results;
    fake->read_events = [&](IImportTarget& t) {
        std::string line;
        if (!t.ReadLine(line))
            return 0;
        t.ClearEventList();
        namespace ev = tavrin::event;  // a braced list calls from left to right
        results.insert(results.end(), {t.Push(ev::kPointName, line.c_str()),
                                       t.Push(ev::kPointX, "5.5"), t.Push(ev::kPointY, "east"),
                                       t.Push(999, "unknown event"), t.Push(ev::kPointH, nullptr)});
        t.WriteToLog("seen by the plug-in", 2);
        // No file may be started while one is being read.
        results.insert(results.end(), {t.LoadFile(line.c_str()), t.LoadOneFile(line.c_str())});
        return 1;
    };
    const auto path = tmp.Write("one.txt", "Q7\n");
    CImportClient client(&project, fake, nullptr);
    client.Import(path.string());
    // Pass 2 only: accepted name and x, refused y, unknown id, empty text, nested loads.
    EXPECT_EQ(results, (std::vector<int>{1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Points(), "Q7 5.5 - -\n");
    // The plug-in's message names the file.
    EXPECT_TRUE(ProtocolHas({"one.txt", "seen by the plug-in"}));
}

TEST_F(ImportClientTest, AFileThatCannotBeReadIsReportedAndTheRunGoesOn) {
    std::vector<int> loaded;
    fake->import = [&](const std::string& files, IImportTarget& t) {
        t.InitImport();
        for (const auto& p : tavrin::SplitFileList(files))
            loaded.push_back(t.LoadOneFile(p.c_str()));
        t.CloseImport();
        return 1;
    };
    tmp.Write("good.txt", "g\n");
    CImportClient client(&project, fake, nullptr);
    client.Import((dir() / "missing.txt").string() + ";good.txt;");
    EXPECT_EQ(loaded, (std::vector<int>{0, 1}));
    EXPECT_EQ(fake->lines, Texts{"g"});
    EXPECT_TRUE(ProtocolHas({"missing.txt"}));
}

TEST_F(ImportClientTest, APluginThatNeverEndsAFileIsStopped) {
    int calls = 0;
    fake->read_events = [&](IImportTarget&) { return ++calls, 1; };
    CImportClient client(&project, fake, nullptr);
    EXPECT_EQ(client.Import(tmp.Write("x.txt", "x\n").string()), 1);
    EXPECT_TRUE(calls > 1 && calls <= 100000) << calls;
}

TEST_F(ImportClientTest, TheSettingsRecordBecomesTheImportInformation) {
    fake->record.flags = 0x12;
    fake->record.relief = 2;
    fake->record.code_system = 4;
    std::copy_n("!@\0%", 4, fake->record.separators);
    {
        CImportClient client(&project, fake, nullptr);
        const vrk::CImportInfo& info = client.GetImportInfo();
        EXPECT_EQ(std::tuple(info.flags, info.GetDTM(), info.GetCodeSystem(&project)),
                  std::tuple(0x12, 2, 4));
        EXPECT_EQ(std::string(info.separators, 4), std::string("!@\0%", 4));
    }
    // Without a record the engine's defaults stand.
    fake->has_record = false;
    CImportClient plain(&project, fake, nullptr);
    EXPECT_EQ(plain.GetImportInfo().flags, vrk::CImportInfo().flags);

    EXPECT_THROW(CImportClient(&project, nullptr, nullptr), std::invalid_argument);
}

}  // namespace
}  // namespace plugin_test
