// The command-line front end: shared pieces of the commands.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "import/contracts/vrk.h"
#include "import/import_dialog.h"

namespace cli {

enum ExitCode { kOk = 0, kNotDone = 1, kBadArguments = 2 };

// Answers of message boxes: from --yes/--no, else asked on the terminal, else "No".
enum class Answer { Ask, Yes, No };
void InstallTerminalPrompter(Answer answer);

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
// "--set NAME=VALUE" arguments checked against the settings of `format`; prints the reason and
// returns false for the first one that does not fit.
struct SettingAssignment {
    const SettingInfo* info;
    std::string value;
};
bool ParseSettingAssignments(const std::vector<std::string>& sets, int format,
                             const std::string& format_text, std::vector<SettingAssignment>& out);
// "NAME=VALUE" pairs.
bool SplitAssignment(const std::string& text, std::string& name, std::string& value);
void PrintError(const std::string& text);

int CmdFormats(bool json);

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
};
int CmdImport(const ImportArgs& args);
int CmdOptions(const std::string& format, const std::vector<std::string>& sets, bool json);
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

}  // namespace cli
