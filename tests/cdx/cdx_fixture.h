// Writes control-point files in their fixed columns and runs the reader over them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "readers/cdx/cdx_reader.h"
#include "support/reader_harness.h"

namespace cdx_test {

using testing_support::Events;

// One point line: index 1-8, name 10-25, parent 27-34, X 36-51, Y 53-68, H 70-85, then `tail`.
inline std::string PointLine(const std::string& index, const std::string& name,
                             const std::string& parent = "", const std::string& x = "",
                             const std::string& y = "", const std::string& h = "",
                             const std::string& tail = "") {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%-8s %-16s %-8s %-16s %-16s %-16s", index.c_str(), name.c_str(),
                  parent.c_str(), x.c_str(), y.c_str(), h.c_str());
    return buf + tail + "\n";
}

inline std::string Section(const std::vector<std::string>& lines) {
    std::string text = "BEGIN POINTS\n";
    for (const auto& l : lines) text += l;
    return text + "END POINTS\n";
}

struct CdxRun {
    testing_support::ReaderHarness h;
    std::vector<int> progress;
    int loaded = 0;

    explicit CdxRun(const std::string& text, int projection = 0) {
        h.project.GetCoordSystem()->proj_type = projection;
        CImpCDX reader(
            &h.project, [this](int percent, vrk::CDocument*) { progress.push_back(percent); },
            &h.dlg.ImportInfo());
        reader.Watch(h.dlg.PushObserver());
        loaded = reader.ImportFile(h.Write("points.cdx", text));
    }
    // Accepted events of the loading pass.
    Events Stream() const { return h.Stream(); }
    // Names of the points pushed.
    Events Names() const {
        Events out;
        for (const auto& e : h.Of(evPointName)) out.push_back(e.value);
        return out;
    }
};

}  // namespace cdx_test
