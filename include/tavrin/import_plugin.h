// Import plug-ins: what a plug-in library implements and what Tavrin gives it.
//
// A plug-in is a shared object (*.so) in the folder named by the value "OrvelDatPlugins" of the
// table "Company\\Paths" in the settings file. Libraries are visited in the order of their file
// names. Each exports
//
//     extern "C" IPluginObject* CreateInstance(int abi, IImportHost* host);
//
// which returns a new object holding one reference (null when `abi` is not kImportPluginAbi or
// the object cannot be made). Tavrin asks that object for IRegImportServer through
// QueryInterface and releases the object when it is done with it; the plug-in's Release deletes
// the object when the last reference goes.
//
// Rules across the library boundary:
// - No exception may leave a plug-in function, and none leaves a Tavrin function that a
//   plug-in calls. Results say what went wrong.
// - Text is std::string bytes in the instrument's code page (the same code page as the files),
//   so plug-ins must be built with the same C++ standard library as Tavrin (GCC's or a
//   compatible one, C++20).
// - Pointers a plug-in hands out (settings record, pages) stay valid as long as the plug-in
//   object lives. The host and the target that Tavrin hands out stay valid as stated below.
// - Libraries are never unloaded once an object was made from them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// A format or interface identity.
struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};

    friend constexpr bool operator==(const Guid& a, const Guid& b) {
        if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3)
            return false;
        for (int i = 0; i < 8; ++i)
            if (a.data4[i] != b.data4[i])
                return false;
        return true;
    }
};

// The text form: braces, upper-case hexadecimal digits, groups 8-4-4-4-12,
// "{736DD3C8-BF6A-4DA1-BBD2-4202CAC2420A}".
inline std::string GuidToText(const Guid& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.data1), static_cast<unsigned>(g.data2),
                  static_cast<unsigned>(g.data3), g.data4[0], g.data4[1], g.data4[2], g.data4[3],
                  g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

// Reads the text form; braces may be left out and digits may be of either case. False (and `g`
// unchanged) for anything else.
inline bool GuidFromText(std::string_view text, Guid& g) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return false;
    uint8_t bytes[16];
    size_t at = 0;
    for (size_t i = 0; i < 16; ++i) {
        if (at == 8 || at == 13 || at == 18 || at == 23) {
            if (text[at] != '-')
                return false;
            ++at;
        }
        int value = 0;
        for (int half = 0; half < 2; ++half, ++at) {
            const char c = text[at];
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0)
                return false;
            value = value * 16 + digit;
        }
        bytes[i] = static_cast<uint8_t>(value);
    }
    g.data1 = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
              bytes[3];
    g.data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
    g.data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i) g.data4[i] = bytes[8 + i];
    return true;
}

// The version of this header's interfaces; CreateInstance gets it.
constexpr int kImportPluginAbi = 1;

// The formats built into Tavrin, by index 0 to 15. A plug-in that announces one of these takes
// that format over: it keeps its index and the plug-in reads its files.
constexpr const char* kBuiltInFormatIds[16] = {
    "{F69E9517-9373-4A75-B8D3-8667D7868C0D}",  // 0 Elta R4
    "{FEA4D4AE-272D-480A-BC48-571BDBE3D27B}",  // 1 Elta R5
    "{BF185174-FF21-4266-A381-C023928FC857}",  // 2 Elta Rec M5
    "{D3CDFD52-42B3-40B6-851E-C9DF2ED90222}",  // 3 Elta Rec 500
    "{FEF0CBDC-9EFC-4F31-A6F6-3889609118E9}",  // 4 SDR
    "{42DFC2A7-FF05-4AED-9AAE-BBBFA4119323}",  // 5 Leica GSI
    "{171E49E2-C232-4ED3-8D0F-19D469FB7AEC}",  // 6 2TA5
    "{A4E1FABE-7A79-48C6-BA15-AD70355F55AE}",  // 7 3TA5
    "{50E0AEB2-EB86-4C5B-99CD-88A788A7935C}",  // 8 4TA5
    "{96B982EB-4CE1-44B4-99A3-6CC06DF365D6}",  // 9 Nikon RDF
    "{819FEDBF-9287-453F-81BB-88EDC0ADD5BF}",  // 10 Topcon GTS-6
    "{285D9577-8A1E-46DB-971D-5598BC65F75B}",  // 11 Topcon GTS-7
    "{786ABC06-45E8-4616-9831-630952D29AAC}",  // 12 Geodimeter, measurement
    "{6D6D0D77-40DF-4A3F-9E61-D7E20486E07D}",  // 13 Geodimeter, points
    "{CE260BC4-2226-4B99-A269-396F25DBDC5F}",  // 14 Pentax, measurement
    "{11811C15-FA4E-4D93-BA1D-CFB7323D65FB}",  // 15 Pentax, points
};

// Interface ids.
constexpr Guid kIidPluginObject = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr Guid kIidRegImportServer = {
    0x736DD3C8, 0xBF6A, 0x4DA1, {0xBB, 0xD2, 0x42, 0x02, 0xCA, 0xC2, 0x42, 0x0A}};

// Event identifiers a plug-in pushes through IImportTarget::Push (the vocabulary of every
// reader). Numeric values are converted by Tavrin's value readers: a plain decimal number in
// metres, or a blank text for "not given".
namespace event {
constexpr int kPointName = 1;
constexpr int kPointX = 2;
constexpr int kPointY = 3;
constexpr int kPointH = 4;
constexpr int kPlanClass = 5;  // "Base" or "B": a control point
constexpr int kHeightClass = 6;
constexpr int kDirectionName = 7;
constexpr int kDirectionAngle = 8;
constexpr int kStation = 9;
constexpr int kBacksight = 10;
constexpr int kBacksightAzimuth = 11;
constexpr int kInstrumentHeight = 12;
constexpr int kDate = 13;  // converted through IRegImportServer::GetDate
constexpr int kPressure = 14;
constexpr int kTemperature = 15;
constexpr int kInstrument = 18;
constexpr int kPpm = 19;
constexpr int kOrientationStart = 20;
constexpr int kTarget = 21;
constexpr int kTargetHeight = 22;
constexpr int kCircleFace = 23;
constexpr int kHorAngle = 25;  // radians
constexpr int kVertAngle = 26;
constexpr int kSlopeDist = 27;
constexpr int kHorDist = 28;
constexpr int kHeightDiff = 29;
constexpr int kHeightDiffAux = 30;
constexpr int kCode = 31;
}  // namespace event

// Bits of ImportPluginSettings::flags.
enum ImportPluginFlags : uint16_t {
    kFlagUniqueNames = 0x01,
    kFlagDeleteZeros = 0x02,
    kFlagAutoFace = 0x04,
    kFlagNumericCode = 0x08,
    kFlagForceCode = 0x10,
    kFlagLinesAttr = 0x20,
    kFlagCodeFromProject = 0x40,
};

// The file list of IRegImportServer::Import as full paths: names separated by ";", the first
// one with its folder in front, the others relative to that folder.
inline std::vector<std::string> SplitFileList(std::string_view list) {
    std::vector<std::string> paths;
    std::string folder;
    size_t pos = 0;
    while (pos < list.size()) {
        size_t semi = list.find(';', pos);
        if (semi == std::string_view::npos)
            semi = list.size();
        std::string_view name = list.substr(pos, semi - pos);
        while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
            name.remove_prefix(1);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
        pos = semi + 1;
        if (name.empty())
            continue;
        if (paths.empty()) {
            const size_t slash = name.rfind('/');
            if (slash != std::string_view::npos)
                folder = std::string(name.substr(0, slash + 1));
            paths.emplace_back(name);
        } else if (name.front() == '/') {
            paths.emplace_back(name);
        } else {
            paths.push_back(folder + std::string(name));
        }
    }
    return paths;
}

}  // namespace tavrin

// The general import options of a plug-in format, as the common and code pages edit them.
struct ImportPluginSettings {
    uint16_t flags = 0x0F;        // ImportPluginFlags
    int32_t north_style = 0;      // 0 "N", 1 "N-No"
    double false_northing = 0.0;  // No
    int32_t east_style = 0;       // 0 "E", 1 "E+Eo", 2 zone number in front
    double false_easting = 0.0;   // Eo
    int16_t zone_number = 0;
    int32_t zone_type = 0;          // 0 six degrees, 1 three degrees
    int32_t relief = 0;             // 0 relief, 1 situation, 2 not relief
    int32_t code_system = -1;       // index of the project's code system, -1 none
    std::string code_system_names;  // the project's code systems, each followed by ";"
    // Code separator, link sign, attribute sign, attribute value sign (0: none).
    char separators[4] = {'/', '=', ';', '#'};
};

// Reference counting and interface lookup, the first three slots of every plug-in object.
class IPluginObject {
  public:
    // Gives the interface `iid` with a new reference in `*object`; false (and null) when the
    // object has no such interface.
    virtual bool QueryInterface(const tavrin::Guid& iid, void** object) = 0;
    virtual uint32_t AddRef() = 0;
    // Deletes the object when the count reaches 0; returns the new count.
    virtual uint32_t Release() = 0;

  protected:
    ~IPluginObject() = default;
};

// What Tavrin offers a plug-in for the whole life of the process: the settings file.
class IImportHost {
  public:
    // A value of a settings table; false when there is none.
    virtual bool ReadText(const char* section, const char* key, std::string& value) = 0;
    // Writes a value at once; false when the file could not be written (the value still holds
    // for this run).
    virtual bool WriteText(const char* section, const char* key, const char* value) = 0;
    // The general options stored in `section` over the values in `record`, the way the built-in
    // formats store theirs; values not stored keep what the record holds.
    virtual bool LoadRecord(const char* section, ImportPluginSettings& record) = 0;
    virtual bool SaveRecord(const char* section, const ImportPluginSettings& record) = 0;

  protected:
    ~IImportHost() = default;
};

// The controls of one option page, by id, as Tavrin shows them.
class IPageControls {
  public:
    virtual void SetText(int id, const char* text) = 0;
    virtual void GetText(int id, std::string& text) = 0;
    virtual void SetTextLimit(int id, int characters) = 0;
    virtual void SetCheck(int id, int checked) = 0;
    virtual int GetCheck(int id) = 0;
    virtual void Enable(int id, bool on) = 0;
    // A list's entries, separated by "\n".
    virtual void SetItems(int id, const char* items) = 0;
    virtual void SetSelection(int id, int index) = 0;
    virtual int GetSelection(int id) = 0;
    virtual void SetFocus(int id) = 0;
    // A message box with the MB_ style bits of Tavrin's messages; returns the button pressed.
    virtual int ShowMessage(const char* text, unsigned style) = 0;

  protected:
    ~IPageControls() = default;
};

// One page that a plug-in adds to its options sheet. The controls are valid during each call.
class IImportPage {
  public:
    virtual void GetCaption(std::string& caption) = 0;
    // The page is shown for the first time: fill the controls from the plug-in's values.
    virtual void OnInitPage(IPageControls* controls) = 0;
    // Leaving the page; false keeps it (after telling the user why).
    virtual bool OnKillActive(IPageControls* controls) = 0;
    // OK: take the controls into the plug-in's values; false keeps the sheet open.
    virtual bool OnApply(IPageControls* controls) = 0;
    // A control was used.
    virtual void OnCommand(IPageControls* controls, int id) = 0;

  protected:
    ~IImportPage() = default;
};

// What Tavrin's import engine does for a plug-in during its Import call. Results are non-zero
// for success. The target stays valid until Import returns.
class IImportTarget {
  public:
    virtual int OpenLog() = 0;
    // A protocol entry, prefixed with the file and line being read.
    virtual int WriteToLog(const char* text, int level) = 0;
    virtual int CloseLog() = 0;
    // The run: InitImport, PrepareOneFile for every file (pass 1), LoadOneFile for every file
    // (pass 2), CloseImport. Each file load calls IRegImportServer::ReadEvents until it gives 0.
    virtual int InitImport() = 0;
    virtual int PrepareOneFile(const char* path) = 0;
    virtual int LoadOneFile(const char* path) = 0;
    virtual int CloseImport() = 0;
    virtual int LoadFile(const char* path) = 0;
    // The next line of the file being loaded, without its line end (lines longer than 1023
    // characters come in pieces); false at the end of the file.
    virtual bool ReadLine(std::string& line) = 0;
    // Starts a new record.
    virtual void ClearEventList() = 0;
    // One event with its value text; non-zero when the engine accepted it.
    virtual int Push(int event, const char* text) = 0;
    // Owned by Tavrin; a plug-in never deletes it.
    virtual ~IImportTarget() = default;
};

// The import server of one format.
class IRegImportServer : public IPluginObject {
  public:
    // Title of the options sheet.
    virtual void GetTitle(std::string& title) = 0;
    virtual bool GetFormatId(tavrin::Guid* id) = 0;
    // Of two plug-ins of one format the one with the lower version serves it.
    virtual bool GetVersion(int* version) = 0;
    // File pattern ("*.csv;*.txt") and the name of the file type.
    virtual void GetFilter(std::string& pattern) = 0;
    virtual void GetFilterName(std::string& name) = 0;
    // Non-zero when the plug-in gives pages for the options sheet; else EditOptions is used.
    virtual int HasPages() = 0;
    virtual int GetPageCount() = 0;
    virtual bool GetPage(int index, IImportPage*& page) = 0;
    // Shows the plug-in's own options dialog; true when the user confirmed.
    virtual bool EditOptions() = 0;
    virtual bool GetSettings(ImportPluginSettings*& settings) = 0;
    virtual bool SaveSettings() = 0;
    virtual bool LoadSettings() = 0;
    // The key of the table "ImportSettings\\<key>" where Tavrin keeps the format's folder and
    // pattern; false for none (then "ImportSettings" itself).
    virtual bool GetSection(std::string& section) = 0;
    // Imports the files (see tavrin::SplitFileList) through `target`; the result is the
    // plug-in's, non-zero for success.
    virtual int Import(const std::string& files, IImportTarget* target) = 0;
    // Reads one record of the file being loaded; non-zero while there are more.
    virtual int ReadEvents() = 0;
    // A date text as seconds since 1970 (local time); true on success.
    virtual bool GetDate(const char* text, int64_t* time) = 0;

  protected:
    ~IRegImportServer() = default;
};

// The one function every plug-in library exports, and how to declare it:
//     TAVRIN_PLUGIN_EXPORT IPluginObject* CreateInstance(int abi, IImportHost* host) { ... }
extern "C" {
using CreateInstanceFunction = IPluginObject* (*)(int abi, IImportHost* host);
}

// Optional: a library may also export
//     TAVRIN_PLUGIN_EXPORT int DetectFormat(const char* head, size_t size, char* evidence,
//                                           size_t evidence_size) { ... }
// which judges the first bytes of a file (`head`, `size` bytes, not NUL-terminated): 0 when it is
// not of the plug-in's format, up to 100 when it certainly is, and writes one line saying why
// into `evidence` (NUL-terminated, at most `evidence_size` bytes with the NUL). Files are then
// read with the plug-in when no format is named. Libraries without it work as before; detection
// never picks their format.
extern "C" {
using DetectFormatFunction = int (*)(const char* head, size_t size, char* evidence,
                                     size_t evidence_size);
}
#define TAVRIN_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
