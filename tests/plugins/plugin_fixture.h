// Plug-in tests: a private settings file and folder per test, a plug-in folder made of links to
// the libraries that the project built, and the fixture libraries' own state.
#pragma once

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "fixture_state.h"
#include "import/import_dialog.h"
#include "platform/plugin_library.h"
#include "support/dialog_env.h"

namespace plugin_test {

namespace fs = std::filesystem;

// Links in the plug-in folder: (file name there, library built by the project).
using Links = std::vector<std::pair<std::string, std::string>>;

// The state of a fixture library; the library stays loaded, as the plug-in map keeps it.
inline FixtureState& StateOf(const char* library) {
    platform::PluginLibrary lib(library);
    EXPECT_TRUE(lib.IsOpen()) << lib.error();
    auto get = lib.FunctionNamed<FixtureStateFunction>("GetFixtureState");
    lib.KeepLoaded();
    if (!get)
        throw std::runtime_error(std::string("no fixture state in ") + library);
    return *get();
}

// Counters back to zero; the live-object count is the library's own truth and stays.
inline FixtureState& ResetState(const char* library) {
    FixtureState& s = StateOf(library);
    const auto live = s.live_objects;
    s = FixtureState{};
    s.live_objects = live;
    return s;
}

class PluginTest : public testing_support::DialogEnv {
  protected:
    // A plug-in folder holding the links; the dialog loads from it.
    void UsePlugins(const Links& links, const std::string& folder_name = "plugins") {
        const fs::path folder = dir() / folder_name;
        fs::create_directories(folder);
        for (const auto& [name, target] : links) fs::create_symlink(target, folder / name);
        dlg->plugin_folder = folder.string();
        dlg->CreatePluginMap();
    }

    // Whether one entry of the import protocol holds all the parts.
    bool ProtocolHas(std::initializer_list<std::string> parts) {
        return std::ranges::any_of(project.ImportLog().Entries(), [&parts](const auto& e) {
            return std::ranges::all_of(
                parts, [&e](const std::string& p) { return e.text.find(p) != std::string::npos; });
        });
    }

    // The project's points, a line each: "name x y h code", "-" for a value not given and a
    // "*" before a control point.
    std::string Points() const {
        std::ostringstream out;
        for (const auto& p : project.data().points) {
            out << (p.control ? "*" : "") << p.name;
            for (const zut::CLinear* v : {&p.x, &p.y, &p.h})
                v->valid() ? out << ' ' << static_cast<double>(*v) : out << " -";
            out << (p.code.empty() ? "" : " ") << p.code << '\n';
        }
        return out.str();
    }
};

}  // namespace plugin_test
