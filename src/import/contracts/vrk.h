// The project model, its protocols and the import engine that the readers drive.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "import/contracts/events.h"
#include "import/contracts/opt_double.h"
#include "import/contracts/zut.h"
#include "text/code_page.h"

namespace vrk {

class CVrkObject;
class JsonWriter;

// Where a point's coordinates come from.
enum class PointOrigin {
    Given,     // a coordinate record, a station record or a control point
    Recorded,  // the instrument's own coordinates of a measured target
    Computed,  // computed from the measurements by the processing stage
};

// Relation of a point to the relief, for a terrain model built later.
enum class Relief { Unset = -1, Relief = 0, Situation = 1, NonRelief = 2 };

// One attribute of a code item: `;H#1.2` is name "H", value "1.2".
struct CCodeAttribute {
    std::string name, value;
    bool operator==(const CCodeAttribute&) const = default;
};

// One item of a point's code text: a code, an optional line identifier and attributes.
struct CCodeItem {
    std::string code;
    std::string line;  // the identifier after the link sign; empty without one
    std::vector<CCodeAttribute> attributes;
    std::string name;  // what the code system calls the code; empty when not looked up
    bool operator==(const CCodeItem&) const = default;
};

// A point of the project. Names and codes are UTF-8.
struct CVrkPoint {
    std::string name;
    zut::CLinear x, y, h;
    std::string code;
    std::string plan_class, height_class;
    bool selected = false;
    bool control = false;  // in the control list (known point), else a survey point
    PointOrigin origin = PointOrigin::Given;
    Relief relief = Relief::Unset;
    std::vector<CCodeItem> code_items;  // the code text split by the code grammar
    bool computed() const { return origin == PointOrigin::Computed; }

    const std::string& GetName() const { return name; }
};

// Counted and indexed view of one of the project's point lists.
class CPointList {
  public:
    size_t GetCount() const { return m_points.size(); }
    const CVrkPoint& operator[](size_t i) const { return *m_points[i]; }
    auto begin() const { return m_points.begin(); }
    auto end() const { return m_points.end(); }

  private:
    friend class CVrkObject;
    std::vector<const CVrkPoint*> m_points;
};

struct CDirection {
    std::string name;
    OptDouble angle;  // radians
};

struct CObservation {
    std::string target;
    OptDouble target_height;
    std::string face;
    OptDouble hz, v;     // radians
    std::string v_kind;  // "Z" zenith or "H" height angle, when the instrument said
    OptDouble sd, hd, dh, dh_aux;
    std::string code;
    bool orientation = false;
    OptDouble temperature, pressure, ppm;
    // The coordinates that the instrument recorded for the target on the same record.
    OptDouble recorded_x, recorded_y, recorded_h;
    // Filled by the processing stage: the project point this measurement gave (a name with a
    // suffix when names are not unique), and for a free station the target's residuals
    // (known minus computed, metres).
    std::string point;
    OptDouble residual_x, residual_y, residual_h;
};

struct CStation {
    std::string name;
    OptDouble x, y, h;
    OptDouble instrument_height;
    std::string code;
    std::optional<int64_t> date;  // seconds, local time
    std::string backsight;
    OptDouble backsight_azimuth;
    std::vector<CDirection> directions;
    std::vector<CObservation> observations;
    // Filled by the processing stage. `computed` says x, y, h were found by it (from a point of
    // the station's name or as a free station). Grid bearing = Hz + orientation.
    bool computed = false;
    OptDouble orientation, orientation_spread;  // radians
    std::string orientation_source;             // "backsight", "azimuth", "free_station", "hz"
    OptDouble collimation_error, index_error;   // radians, from both faces
};

// A line of the survey: the points that share a code and a line identifier, in measuring order.
struct CLine {
    std::string code, id;
    std::vector<std::string> points;
    bool operator==(const CLine&) const = default;
};

// One code of a code system.
struct CCodeEntry {
    enum class Kind { Point, Line };
    std::string code;  // numeric or text
    std::string name;
    Kind kind = Kind::Point;
    bool operator==(const CCodeEntry&) const = default;
};

// How the processing stage works; kept with the project so that it can be rerun.
struct ProcessingSettings {
    uint16_t flags = 15;                        // the import flags (ImportFlags)
    char separators[4] = {'/', '=', ';', '#'};  // code separator, link, attribute, value
    short code_system = -1;                     // slot of the code system, -1 none
    short relief = 0;                           // relief relation of new points (Relief)
    double tolerance = 0.010;                   // metres: recorded against computed, repeated names
    double face_tolerance = 60.0 / 3600.0 * 3.14159265358979323846 / 180.0;  // radians, 60"
    bool curvature = true;  // Earth curvature and refraction on heights
    double refraction = 0.13;
};

// One protocol: entries with their level. Within one run (from Open to the next Open) an entry
// that was already written is not written again.
class CVrkLog {
  public:
    struct Entry {
        std::string text;
        int level = 0;
    };
    int Open(int mode);
    int Write(const std::string& text, int flags, int level);
    void Close();
    const std::deque<Entry>& Entries() const { return m_entries; }
    // True when an entry from index `mark` on reports an error (level 2 and above).
    bool ErrorsFrom(size_t mark) const;
    void Clear();
    // Called for every entry written (the front end prints them as they come).
    std::function<void(const Entry&)> listener;

  private:
    // A deque: its entries stay where they are, so the texts seen can point into them.
    std::deque<Entry> m_entries;
    std::unordered_set<std::string_view> m_seen;
    bool m_open = false;
};

// Reports a file that could not be loaded; the document of the project.
class CDocument {
  public:
    explicit CDocument(CVrkObject& project) : m_project(project) {}
    // Writes the reason and the default message into the import protocol.
    void ReportSaveLoadException(const std::string& path, const std::string& reason, bool saving,
                                 unsigned default_message);

  private:
    CVrkObject& m_project;
};

struct CCodeSystemSlot {
    bool in_use = false;
    std::string name;
    std::vector<CCodeEntry> codes;
};

class CClassificator {
  public:
    static constexpr int kSlots = 11;
    std::array<CCodeSystemSlot, kSlots> slots;
    int UsedCount() const;
};

struct CCoordSystem {
    int proj_type = 0;
    int GetProjType() const { return proj_type; }
};

class CVrkObject {
  public:
    CVrkObject();
    CVrkObject(const CVrkObject&) = delete;
    CVrkObject& operator=(const CVrkObject&) = delete;

    CDocument* GetDocument() { return &m_document; }
    CCoordSystem* GetCoordSystem() { return &m_coord_system; }
    // Null when the project has no classificator.
    CClassificator* GetClassificator() { return m_classificator ? &*m_classificator : nullptr; }
    void SetClassificator(std::optional<CClassificator> c) { m_classificator = std::move(c); }
    int GetEStyle() const { return m_estyle; }
    void SetEStyle(int s) { m_estyle = s; }
    int GetAttr(int id) const;
    void SetAttr(int id, int value);
    // Attribute 4: the data is complete, that is the last import read every one of its files
    // without a data error. An export asks before it writes a project that is not.
    static constexpr int kAttrComplete = 4;

    // The files imported into the project, so that a file is known again on a later run, also
    // when it was moved or renamed.
    struct ImportedFile {
        std::string path;
        uint64_t size = 0;
        std::string hash;  // see platform::DigestOf
    };
    std::vector<ImportedFile> imported_files;
    // The earlier import of a file with this size and hash; null when there is none.
    const ImportedFile* FindImported(uint64_t size, const std::string& hash) const;

    CPointList GetActiveCPList() const;
    CPointList GetActiveTPList() const;

    std::string title;
    // What the imports into this project left out, for the summary.
    struct Tally {
        size_t nameless_records = 0;  // records without a point name, each reported
    } tally;
    CVrkLog& ImportLog() { return m_import_log; }
    CVrkLog& ExportLog() { return m_export_log; }

    // The contents that an import builds.
    struct Data {
        std::vector<CVrkPoint> points;  // control and survey points, in order of creation
        std::vector<CStation> stations;
        std::vector<CLine> lines;  // built by the processing stage
    };
    ProcessingSettings processing;
    Data& data() { return m_data; }
    const Data& data() const { return m_data; }

    // Finds a point by name; null when there is none.
    CVrkPoint* FindPoint(const std::string& name);
    // Finds or creates the point of that name.
    CVrkPoint& PointByName(const std::string& name);
    void RebuildIndex();

    // The JSON document (see the command-line contract). Load and save report a failure in
    // `error` and return false; they never throw.
    bool SaveJson(const std::string& path, std::string& error) const;
    bool LoadJson(const std::string& path, std::string& error);
    std::string ToJson() const;
    bool FromJson(std::string_view text, std::string& error);
    void WriteJson(JsonWriter& w) const;

  private:
    Data m_data;
    std::unordered_map<std::string, size_t> m_index;
    CDocument m_document;
    CCoordSystem m_coord_system;
    std::optional<CClassificator> m_classificator;
    int m_estyle = 0;
    std::map<int, int> m_attrs;
    CVrkLog m_import_log, m_export_log;
};

// Options of an import that the engine keeps with it.
class CImportInfo {
  public:
    CImportInfo() = default;
    short GetCodeSystem(CVrkObject* project) const;
    void SetCodeSystem(CVrkObject* project, short code_system);
    short GetDTM() const { return m_dtm; }
    void SetDTM(short relief) { m_dtm = relief; }

    // Option flags, bits as the import dialog builds them.
    uint16_t flags = 15;
    // Code separator, link sign, attribute sign, attribute value sign.
    char separators[4] = {'/', '=', ';', '#'};

  private:
    short m_code_system = -1;
    short m_dtm = 0;
};

enum ImportFlags : uint16_t {
    kFlagUnique = 0x01,
    kFlagDeleteZeros = 0x02,
    kFlagAuto = 0x04,
    kFlagNumericCode = 0x08,
    kFlagForceCode = 0x10,
    kFlagLinesAttr = 0x20,
    kFlagCodeFromProject = 0x40,
    kFlagEltaFamily = 0x80,
};

// What an observer of the event stream sees of one push; the texts are valid during the call.
struct PushInfo {
    std::string_view file;
    int pass = 0;
    long record = 0;
    long line = 0;
    int id = 0;
    std::string_view value;
    bool accepted = false;
    text::TextEncoding encoding = text::TextEncoding::SingleByte;  // of the value's file
};

// Who watches the pushes: `sink` sees those of pass `pass` (0: of both); with `events_only` the
// events are all that is wanted, so the project is not built from them.
struct EventWatch {
    std::function<void(const PushInfo&)> sink;
    int pass = 0;
    bool events_only = false;
};

// A value as the engine converted it at push time.
struct PushValue {
    EventValueKind kind = EventValueKind::Text;
    std::optional<double> number;  // metres, radians, hPa, degrees Celsius, ppm
    std::optional<int64_t> time;
};

// Thrown by the engine's load of a file when the file cannot be read; caught by the reader base.
struct FileError {
    std::string path;
    std::string reason;
};

class CImport {
  public:
    CImport(CVrkObject* project, CImportInfo* info);
    CImport(const CImport&) = delete;
    CImport& operator=(const CImport&) = delete;

    virtual int OpenLog();
    virtual int WriteToLog(const char* text, int level);
    virtual int CloseLog();
    // Reads the whole file through Open, ReadEvents and Close. Throws FileError when the file
    // cannot be opened.
    virtual int LoadFile(const std::string& path);
    virtual int InitImport();
    virtual int PrepareOneFile(const std::string& path);
    virtual int LoadOneFile(const std::string& path);
    virtual ~CImport();
    virtual int ReadEvents() = 0;
    virtual int Open(const std::string& path);
    virtual void Close();
    virtual int GetLinear(const char* text, zut::CLinear* value) = 0;
    virtual int GetAngular(const char* text, zut::CAngular* value);
    virtual int GetPressure(const char* text, double* value);
    virtual int GetTemperature(const char* text, double* value);
    virtual int GetVapor(const char* text, double* value);
    virtual int GetDate(const char* text, int64_t* time);

    int Push(EventID id, std::string_view value);
    void ClearEventList();
    void CloseImport();
    void EraseImpLayer();
    void SetImportInfo(const CImportInfo& info) { m_info = info; }
    const CImportInfo& GetImportInfo() const { return m_info; }
    int GetAttr(unsigned short id) const;
    void SetAttr(unsigned short id, int value);

    // Observer of every push (the events command); null for none.
    std::function<void(const PushInfo&)> event_sink;
    int event_pass = 0;  // the pass the observer sees, 0 for both
    bool events_only = false;
    void Watch(const EventWatch& w) {
        event_sink = w.sink;
        event_pass = w.pass;
        events_only = w.events_only;
    }
    // The reader's line counter, for observers and messages.
    virtual long CurrentLine() const { return 0; }

    // The import's current units; readers change them as their files say.
    zut::dist_unit m_DistUnit = zut::du_metre;
    zut::angle_unit m_AngleUnit = zut::au_dms;
    zut::pres_unit m_PresUnit = zut::pu_hpa;
    zut::temp_unit m_TempUnit = zut::tu_celsius;
    zut::CLocUnits m_LocUnits;

  protected:
    CVrkObject* m_pProject;
    CImportInfo m_info;
    // Why the last Open failed (the reader fills it in).
    std::string m_open_error;
    // The encoding of the file being read, decided once per file.
    text::TextEncoding m_encoding = text::TextEncoding::SingleByte;
    // A text of the current file as UTF-8.
    std::string ToUtf8(std::string_view bytes) const { return text::ToUtf8(bytes, m_encoding); }

    // The builder's state between pushes.
    struct BuildState;
    BuildState& state();

  private:
    std::unique_ptr<BuildState> m_state;
    int m_pass = 0;  // 1 while preparing, 2 while loading, 0 outside
    long m_record = 0;
    std::string m_file;
    // What the current file changed, so that EraseImpLayer can take it back: the file appends
    // stations and points and may change points of earlier files (kept here as they were). A new
    // kind of project data that an import builds needs its own entry here.
    struct Layer {
        bool open = false;
        size_t points = 0, stations = 0;  // counts before the file
        std::unordered_map<size_t, CVrkPoint> changed;
    };
    Layer m_layer;
    PushInfo m_push;  // reused for every observed push
    std::unordered_map<std::string, text::TextEncoding> m_encodings;  // decided per path
    std::string m_text;  // the value of the push at hand, as a C string
    // The point at `p`, remembered as it was before the file first changes it.
    CVrkPoint& Changing(CVrkPoint& p);
    void Build(EventID id, std::string_view text, const PushValue& value);
};

}  // namespace vrk
