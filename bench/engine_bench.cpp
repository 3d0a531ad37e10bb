// The whole import (both passes, the project built) of 100 000 lines as one file and as 200
// files of 500 lines; writing and reading the project file of it.
#include "bench_main.h"
#include "corpus.h"
#include "import/import_dialog.h"
#include "readers/leica/leica_reader.h"

namespace {

constexpr long kLines = 100000;
constexpr int kFiles = 200;

const bench::Corpus& Leica() {
    for (const auto& c : bench::Corpora())
        if (c.format == 5)
            return c;
    std::abort();
}

// The dialog's file list: the first file with its folder, the others by name.
std::string OneFile() {
    static const std::string path = [] {
        auto p = bench::Scratch() / "one.gsi";
        bench::WriteCorpus(Leica(), p, 0, kLines);
        return p.string();
    }();
    return path;
}

std::string ManyFiles() {
    static const std::string list = [] {
        std::string names;
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = "part" + std::to_string(i) + ".gsi";
            bench::WriteCorpus(Leica(), bench::Scratch() / name, 0, kLines / kFiles);
            names += names.empty() ? (bench::Scratch() / name).string() : ";" + name;
        }
        return names;
    }();
    return list;
}

void Import(vrk::CVrkObject& project, const std::string& list) {
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    dlg.FileListRef() = list;
    CImpLEICA reader(&project, &dlg, &dlg.ImportInfo());
    reader.DoImport();
}

void BM_ImportOneFile(benchmark::State& state) {
    const std::string list = OneFile();
    for (auto _ : state) {
        vrk::CVrkObject project;
        Import(project, list);
        benchmark::DoNotOptimize(project.data().stations.size());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(list)));
}
BENCHMARK(BM_ImportOneFile)->Name("engine/import 1 x 100000 lines")->Unit(benchmark::kMillisecond);

void BM_ImportManyFiles(benchmark::State& state) {
    const std::string list = ManyFiles();
    for (auto _ : state) {
        vrk::CVrkObject project;
        Import(project, list);
        benchmark::DoNotOptimize(project.data().stations.size());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ImportManyFiles)->Name("engine/import 200 x 500 lines")->Unit(benchmark::kMillisecond);

const vrk::CVrkObject& Project() {
    static vrk::CVrkObject project;
    static bool built = (Import(project, OneFile()), true);
    (void)built;
    return project;
}

void BM_ProjectWrite(benchmark::State& state) {
    const auto& project = Project();
    size_t size = 0;
    for (auto _ : state) size = project.ToJson().size();
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}
BENCHMARK(BM_ProjectWrite)->Name("project/write")->Unit(benchmark::kMillisecond);

void BM_ProjectRead(benchmark::State& state) {
    const std::string text = Project().ToJson();
    for (auto _ : state) {
        vrk::CVrkObject back;
        std::string error;
        if (!back.FromJson(text, error))
            state.SkipWithError(error.c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ProjectRead)->Name("project/read")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::Main(argc, argv);
}
