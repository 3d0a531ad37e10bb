// Runs one of the Elta readers over lines written by a test.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import/import_settings.h"
#include "readers/elta/elta_m5_reader.h"
#include "readers/elta/elta_r4_reader.h"
#include "readers/elta/elta_r5_reader.h"
#include "readers/elta/elta_rec500_reader.h"
#include "support/reader_harness.h"
#include "support/settings_edit.h"

namespace elta_test {

using testing_support::Events;
using testing_support::kDeg;
using testing_support::With;
using Setup = std::function<void(ImportSettings&)>;

// The constructor text each reader gets from the import dialog.
template <class Reader>
inline const std::string kFormat;
template <>
inline const std::string kFormat<CImpELTAR4> = "For R4";
template <>
inline const std::string kFormat<CImpELTAR5> = "For R5";
template <>
inline const std::string kFormat<CImpELTAC_M5> = "For M5";
template <>
inline const std::string kFormat<CImpELTAREC500> = "Rec 500";

// One import run over a file written from `text`, with what it left behind.
struct Session {
    testing_support::ReaderHarness h;
    std::string path;

    Events Stream() const { return h.Stream(); }
    // Pushed texts whether or not the engine took them.
    Events Pushed() const { return h.Stream(2, false); }
    bool Logged(const std::string& piece) const { return h.ProtocolContains(piece); }
    const vrk::CStation& Station(size_t i = 0) const { return h.project.data().stations.at(i); }
};

template <class Reader>
std::unique_ptr<Session> Import(const std::string& text, const Setup& setup = {}) {
    auto s = std::make_unique<Session>();
    if (setup)
        testing_support::EditSettings(s->h.dlg, setup);
    s->path = s->h.Write("job.txt", text);
    s->h.Run<Reader>({s->path}, kFormat<Reader>);
    return s;
}

// The accepted pass-2 events of a reader over `text`.
template <class Reader>
Events Read(const std::string& text, const Setup& setup = {}) {
    return Import<Reader>(text, setup)->Stream();
}

inline std::string Pad(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace elta_test
