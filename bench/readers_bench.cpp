// Each reader on a generated file of its format and on the shared samples: the first pass only
// (values read and converted, events not built into a project).
#include <memory>

#include "bench_main.h"
#include "corpus.h"
#include "import/import_dialog.h"
#include "readers/reader_factory.h"

namespace {

constexpr size_t kCorpusBytes = 4 << 20;

void ReadFile(benchmark::State& state, int format, const std::string& path) {
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
    for (auto _ : state) {
        vrk::CVrkObject project;
        CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
        auto reader = CreateReader(format, &project, &dlg, &dlg.ImportInfo());
        reader->InitImport();
        reader->PrepareOneFile(path);
        reader->CloseImport();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void Register() {
    for (const auto& c : bench::Corpora()) {
        const std::string file = (bench::Scratch() / (std::string(c.key) + "." + c.extension));
        bench::WriteCorpus(c, file, kCorpusBytes);
        benchmark::RegisterBenchmark((std::string("read/") + c.key).c_str(), ReadFile, c.format,
                                     file)
            ->Unit(benchmark::kMillisecond);
    }
    const std::filesystem::path samples = TAVRIN_SHARED_SAMPLES;
    const struct {
        const char* file;
        int format;
    } shared[] = {{"gsi8-traverse.gsi", 5}, {"elta-r5-survey.dat", 1}, {"geodimeter-job.are", 12}};
    for (const auto& s : shared)
        if (std::filesystem::exists(samples / s.file))
            benchmark::RegisterBenchmark((std::string("sample/") + s.file).c_str(), ReadFile,
                                         s.format, (samples / s.file).string())
                ->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
    Register();
    return bench::Main(argc, argv);
}
