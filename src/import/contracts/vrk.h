// The project model, its protocols and the import engine that the readers drive.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/code_page.h"
#include "import/contracts/events.h"
#include "import/contracts/zut.h"

namespace vrk {

class CVrkObject;
class JsonWriter;

// A point of the project. Names and codes are UTF-8.
struct CVrkPoint {
    std::string name;
    zut::CLinear x, y, h;
    std::string code;
    std::string plan_class, height_class;
    bool selected = false;
    bool control = false;  // in the control list (known point), else a survey point

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
    std::optional<double> angle;  // radians
};

struct CObservation {
    std::string target;
    std::optional<double> target_height;
    std::string face;
    std::optional<double> hz, v;  // radians
    std::string v_kind;           // "Z" zenith or "H" height angle, when the instrument said
    std::optional<double> sd, hd, dh, dh_aux;
    std::string code;
    bool orientation = false;
    std::optional<double> temperature, pressure, ppm;
};

struct CStation {
    std::string name;
    std::optional<double> x, y, h;
    std::optional<double> instrument_height;
    std::string code;
    std::optional<int64_t> date;  // seconds, local time
    std::string backsight;
    std::optional<double> backsight_azimuth;
    std::vector<CDirection> directions;
    std::vector<CObservation> observations;
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
    const std::vector<Entry>& Entries() const { return m_entries; }
    // True when an entry from index `mark` on reports an error (level 2 and above).
    bool ErrorsFrom(size_t mark) const;
    void Clear();
    // Called for every entry written (the front end prints them as they come).
    std::function<void(const Entry&)> listener;

  private:
    std::vector<Entry> m_entries;
    std::unordered_map<std::string, int> m_seen;
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
    };
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

// What an observer of the event stream sees of one push.
struct PushInfo {
    std::string file;
    int pass = 0;
    long record = 0;
    long line = 0;
    int id = 0;
    std::string value;
    bool accepted = false;
    text::TextEncoding encoding = text::TextEncoding::SingleByte;  // of the value's file
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
    PushInfo m_push;     // reused for every observed push
    std::unordered_map<std::string, text::TextEncoding> m_encodings;  // decided per path
    std::string m_text;  // the value of the push at hand, as a C string
    // The point at `p`, remembered as it was before the file first changes it.
    CVrkPoint& Changing(CVrkPoint& p);
    void Build(EventID id, std::string_view text, const PushValue& value);
};

}  // namespace vrk
