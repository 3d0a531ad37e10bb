#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "host/zut_internal.h"
#include "platform/io_fault.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "serial/transfer_state.h"
#include "text/code_page.h"
#include "ui/dialog.h"
#include "ui/prompter.h"

namespace fuzz {
namespace {

uint64_t g_digest = 0;
std::shared_ptr<ui::ScriptedPrompter> g_prompter;

constexpr uint64_t kBasis = 14695981039346656037ull;
constexpr uint64_t kPrime = 1099511628211ull;

void Fold(std::string_view bytes) {
    for (unsigned char c : bytes) g_digest = (g_digest ^ c) * kPrime;
    g_digest = (g_digest ^ 0xFFu) * kPrime;  // "ab","c" is not "a","bc"
}

uint64_t Run(std::string_view input) {
    ResetProcessState();
    g_digest = kBasis;
    FuzzOne(input);
    for (const auto& shown : g_prompter->shown) Fold(shown.text);
    return g_digest;
}

// An input kept with its digest, to be run again later.
struct Probe {
    std::string input;
    uint64_t digest = 0;
    bool kept = false;
};

void CheckAgain(const Probe& probe, uint64_t runs) {
    if (!probe.kept || Run(probe.input) == probe.digest)
        return;
    const char* prefix = std::getenv("TAVRIN_FUZZ_FINDINGS");
    const std::string path = std::string(prefix ? prefix : "./") + "repeat-differs";
    std::ofstream(path, std::ios::binary) << probe.input;
    std::fprintf(stderr,
                 "==fuzz== ERROR: an input gave another result after %llu other inputs: "
                 "state leaks between inputs. The input is in %s\n",
                 static_cast<unsigned long long>(runs), path.c_str());
    std::abort();
}

}  // namespace

const std::filesystem::path& ScratchDir() {
    static const std::filesystem::path dir = [] {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        auto d = base / ("tavrin-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    // Gone with the process when it ends normally (a crash keeps it for a look). Registered
    // after the path is made, so it runs while the path still lives.
    [[maybe_unused]] static const bool cleanup =
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchDir(), ignored);
        }) == 0;
    return dir;
}

std::filesystem::path WriteInput(std::string_view name, std::string_view bytes) {
    auto path = ScratchDir() / std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

ServedInput::ServedInput(std::string_view name, std::string_view bytes)
    : m_path(WriteInput(name, {})), m_served(m_path, bytes) {}

void ResetProcessState() {
    zut::detail::settings() = zut::detail::Settings{};
    res::SetLanguage(res::Language::English);
    text::SetEncodingOverride(std::nullopt);
    text::SetInstrumentCodePage("CP1251");
    platform::ClearPlantedFailures();
    std::error_code ec;
    std::filesystem::remove(ScratchDir() / "settings.toml", ec);
    platform::Profile::UseFile(ScratchDir() / "settings.toml");
    platform::Profile::Instance().SetVolatile(true);
    g_prompter = std::make_shared<ui::ScriptedPrompter>();
    ui::InstallPrompter(g_prompter);
    ui::InstallFrontEnd(nullptr);
    auto& transfer = serial::Transfer();
    transfer.stop = serial::kReceiving;
    transfer.bytes_saved = transfer.bytes_unsaved = 0;
    transfer.saved_in.clear();
    transfer.write_error.clear();
    transfer.lines_received = 0;
}

void Note(std::string_view what) {
    Fold(what);
}

void Note(long long number) {
    Fold(std::to_string(number));
}

void NoteFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Fold("(no file)");
        return;
    }
    Fold(std::string(std::istreambuf_iterator<char>(in), {}));
}

}  // namespace fuzz

// The first input is run again after 10, 100, 1000 ... others, and every thousandth input a
// thousand inputs later: each must give the digest it gave the first time.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::Probe first, rolling;
    static uint64_t runs = 0, next_first_check = 10;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const uint64_t digest = fuzz::Run(input);
    ++runs;
    if (!first.kept && size > 0)
        first = {std::string(input), digest, true};
    else if (runs == next_first_check) {
        fuzz::CheckAgain(first, runs);
        next_first_check *= 10;
    }
    if (runs % 1000 == 999)
        fuzz::CheckAgain(rolling, 1000);
    if (runs % 1000 == 0)
        rolling = {std::string(input), digest, true};
    return 0;
}
