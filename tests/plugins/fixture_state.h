// What a fixture plug-in library lets the tests see and steer. Each library has its own
// state; tests find it with dlsym("GetFixtureState").
#pragma once

#include <string>

struct FixtureState {
    int live_objects = 0;  // servers made and not yet deleted
    int load_settings = 0;
    int save_settings = 0;
    int edit_options = 0;
    int imports = 0;
    // What EditOptions answers, and the relief it sets in the record when it answers true.
    bool edit_answer = true;
    int edit_relief = 2;
    std::string code_system_names;  // as EditOptions found them in the record
};

using FixtureStateFunction = FixtureState* (*)();
