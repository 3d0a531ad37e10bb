// The command-line front end: shared pieces of the commands.
#pragma once

#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/processing/processing.h"
#include "import/contracts/vrk.h"
#include "import/import_dialog.h"
#include "outputs/output_format.h"
#include "platform/file_lock.h"

namespace cli {

enum ExitCode { kOk = 0, kNotDone = 1, kBadArguments = 2 };

// Answers of message boxes: from --yes/--no, else asked on the terminal, else "No".
enum class Answer { Ask, Yes, No };
// `why` names what gave a fixed answer when it is not --yes/--no ("--import").
void InstallTerminalPrompter(Answer answer, std::string why = {});

// Prints protocol entries to stderr as they are written.
void PrintProtocolLive(vrk::CVrkObject& project);

// A progress bar on stderr when it is a terminal; does nothing otherwise.
class ProgressBar {
  public:
    ProgressBar();
    ~ProgressBar();
    void Update(int percent, const std::string& label);
    void Finish();

  private:
    bool m_tty;
    int m_last = -1;
    std::string m_label;
};

// A format index from a section key or a number; prints the reason and returns -1 when unknown.
int ParseFormat(const std::string& text, int highest);
// A --dist-unit value (m, ft, usft, mm); anything else is reported and gives false.
bool ParseDistUnit(const std::string& text, zut::dist_unit& unit);
// The highest import format index with the plug-ins of the settings loaded.
int HighestImportFormat();
// The caption of a format: the table's for a built-in one, the file type's for a plug-in.
std::string FormatCaption(const CImpDEVDlg& dlg, int format);
struct SettingAssignment {
    const SettingInfo* info;
    std::string value;
};
// The settings of `format` as stored, in the dialog; the assignments put in its settings.
void LoadStoredSettings(CImpDEVDlg& dlg, int format);
void ApplySettings(CImpDEVDlg& dlg, const std::vector<SettingAssignment>& sets);
// "--set NAME=VALUE" arguments checked against the settings of `format` and its option pages;
// prints the reason and returns false for the first one that does not fit.
bool ParseSettingAssignments(const std::vector<std::string>& sets, int format,
                             const std::string& format_text, std::vector<SettingAssignment>& out);
// "NAME=VALUE" pairs.
bool SplitAssignment(const std::string& text, std::string& name, std::string& value);
void PrintError(const std::string& text);

// True (after saying so) when `output` is the same file as one of `inputs`, under whatever name.
bool OutputIsAnInput(const std::string& output, const std::vector<std::string>& inputs);
// "Nothing was imported", saying that `output` (when there is one) was left as it was.
void SayNothingImported(const std::string& output);
// Advisory locks on the project files of a run, held until the object goes: a second run that
// writes the same project waits (and says so) until this one has written it.
class ProjectLocks {
  public:
    // Locks those of `paths` that exist, each file once; false (after saying why) on failure.
    bool Take(const std::vector<std::string>& paths);

  private:
    std::list<platform::FileLock> m_locks;
    std::vector<std::string> m_held;
};

// `list` "import" or "export" prints only the names, one a line (for shell completion).
int CmdFormats(bool json, const std::string& list);
// "tavrin 0.1.0 (commit ..., RelWithDebInfo build)" in the current language.
std::string VersionText();
// Prints the manual page of a command ("import") or of the tool (empty topic).
int CmdHelp(const std::string& topic);

// Keys and captions of formats, with the plug-ins' detectors loaded while it lives.
class FormatNames {
  public:
    FormatNames();
    ~FormatNames();
    std::string Key(int format) const;
    std::string Caption(int format) const;
    std::string Index(int format) const;

  private:
    std::unique_ptr<CImpDEVDlg> m_dlg;
};
int CmdDetect(const std::vector<std::string>& files, bool json);
// Files of an import without -f, grouped by the format each was detected as, in the order given.
// Files that fit no format, or two formats alike when the answer is no, are reported and left
// out (`skipped` is set).
struct DetectedGroup {
    int format;
    std::vector<std::pair<std::string, std::string>> settings;
    std::vector<std::string> files;
};
std::vector<DetectedGroup> PlanDetectedImport(const FormatNames& names,
                                              const std::vector<std::string>& files, bool& skipped);
struct ImportArgs {
    std::string format;
    std::vector<std::string> files;
    std::string output, into;
    std::vector<std::string> sets;
    Answer answer = Answer::Ask;
    bool events = false;
    bool events_json = false;
    int pass = 2;
    std::string dist_unit, angle_unit;  // units a file starts in, when it does not say
    std::string encoding;               // of the files, when not decided per file
    bool no_compute = false;            // leave out the processing stage
    std::string crs;  // coordinate reference system of an output that is not a project
};
int CmdImport(const ImportArgs& args);
int CmdOptions(const std::string& format, const std::vector<std::string>& sets, bool json);
// Proposes the name and code columns of a Rec 500 or M5 file as --set arguments.
int CmdGuessColumns(const std::string& format, const std::string& file);
struct CdxArgs {
    std::string file, output, into;
};
int CmdCdx(const CdxArgs& args);
struct ExportArgs {
    std::string format, project, output;
    bool selected = false;
    Answer answer = Answer::Ask;
    std::string dist_unit;  // distance unit in force (m when empty)
    int decimals = -1;      // decimals of the coordinate presentation (3 when -1)
};
int CmdExport(const ExportArgs& args);
struct ConvertArgs {
    std::string project, output;
    std::string format, crs, angle_unit;
    bool selected = false;
};
int CmdConvert(const ConvertArgs& args);
// Output choices of convert (also taken by import when its output is not a project):
// prints the reason and returns false for a choice that is not known.
bool ParseConvertChoices(const ConvertArgs& args, outputs::ConvertOptions& options);
// Writes the project through the outputs layer; prints the summary or the reason.
int WriteConverted(vrk::CVrkObject& project, const std::string& output,
                   const outputs::ConvertOptions& options);
struct ReceiveArgs {
    std::string port;    // COM1..COM4, 1..4, or a device path
    int baud = -1;       // one of the rates of the list
    int data_bits = -1;  // 7 or 8
    std::string parity;  // none, even, odd
    int stop_bits = -1;  // 1 or 2
    std::string flow;    // dtr,rts,xon (any of them), or none
    std::string output;  // destination file
    bool new_file = false, append = false;
    bool import = false;  // import the received file as 3TA5
    std::string project;  // project (JSON) to import into and write
    Answer answer = Answer::Ask;
    double timeout = -1;  // seconds of silence that end the receive (30 when -1)
};
int CmdReceive(const ReceiveArgs& args);

struct ComputeArgs {
    std::string project, output;
    std::optional<double> tolerance, face_tolerance, refraction;  // m, seconds, coefficient
    std::string curvature;                                        // on, off, or empty
};
int CmdCompute(const ComputeArgs& args);
void PrintComputeSummary(const processing::Summary& s);
struct CodesArgs {
    std::string project, csv, name;
    bool list_codes = false;
};
int CmdCodes(const CodesArgs& args);
}  // namespace cli
