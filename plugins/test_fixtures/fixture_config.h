// How one fixture library differs from the others; each library defines kFixture.
#pragma once

enum class Fault {
    None,
    NoInterface,   // the object has no import server
    NoFormatId,    // GetFormatId fails
    NullInstance,  // CreateInstance gives nothing
    NoVersion,     // GetVersion fails
    Throws,        // GetFilterName, GetPage and Import throw
};

struct FixtureConfig {
    const char* guid;
    int version;
    const char* pattern;
    const char* name;
    const char* section;  // empty: none
    bool pages;
    Fault fault;
};

extern const FixtureConfig kFixture;
