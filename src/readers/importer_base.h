// The base of every instrument reader: its input file and line counter, the import protocol with
// file-and-line prefixes, failure containment around the load of one file, and the helper family
// (value readers, the push filter, the import run) with the variants the formats need.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "import/contracts/vrk.h"
#include "platform/text_file.h"
#include "readers/local_clock.h"
#include "readers/reader_site.h"

class CWImport : public vrk::CImport {
  public:
    CWImport(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);
    ~CWImport() override;

    int OpenLog() override;
    int WriteToLog(const char* text, int level) override;
    int CloseLog() override;
    int LoadFile(const std::string& path) override;
    int Open(const std::string& path) override;
    void Close() override;
    long CurrentLine() const override { return m_nLine; }
    // Distances and angles as the standard value readers read them.
    int GetLinear(const char* text, zut::CLinear* value) override;
    int GetAngular(const char* text, zut::CAngular* value) override;

    // The import run over the dialog's file list: both passes.
    virtual void DoImport();

    void SetAttrib(unsigned short id, int value) { SetAttr(id, value); }
    int GetAttrib(unsigned short id) { return GetAttr(id); }
    // Writes a string-table message with arguments to the protocol.
    int LogMessage(unsigned id, std::initializer_list<std::string_view> args, int level = 2);

  protected:
    platform::TextFile m_File;
    long m_nLine = 0;
    ReaderSite* m_pSite;          // null when the host builds the reader on its own
    std::string m_CurrentFile;    // the file of the run being read
    int m_bAccepted = 0;          // an event of the current file was accepted
    int m_nLastPush = 0;          // result of the last push through PushM
    bool m_bLongLine = false;     // the last piece read was cut at the read limit
    readers::LocalClock m_Clock;  // for the date fields

    // The file being read, for messages: the one the run started, else the open file.
    std::string CurrentFileName() const;
    // Reads the next line piece (at most 1023 characters, line feed kept) and counts it.
    bool ReadRawLine(std::string& line);

    enum class ValueVariant {
        Standard,  // every text goes to the values library
        E,         // an empty or blank text is "not given" without a message; angles read
                   // with 8 decimals
    };
    int ReadLinear(const char* text, zut::CLinear* value, ValueVariant variant);
    int ReadAngular(const char* text, zut::CAngular* value, ValueVariant variant);
    // Pressure and temperature of the parsing kind: read in the current unit, bounds of the
    // message 350..1000 and -100..100.
    int ReadPressureParsed(const char* text, double* value);
    int ReadTemperatureParsed(const char* text, double* value);
    // Pressure and temperature of the integer kind: the leading integer; 0 counts as not given.
    static int ReadIntegerKind(const char* text, double* value);

    enum PushFilter : unsigned {
        kPushPlain = 0,
        kPushSkipEmpty = 1,      // an empty value is not pushed
        kPushProgress = 2,       // report the line counter to the dialog after the push
        kPushApostropheCut = 4,  // only the text after the last apostrophe is pushed
        kPushNoAccept = 8,       // an accepted push does not mark the file as accepted; the
                                 // reader decides which pushes count
    };
    int PushM(EventID id, std::string_view text, unsigned filter);

    struct RunHooks {
        // Called before each pass (1 and 2).
        std::function<void(int pass)> before_pass;
        // Called before each existing file of a pass; false skips the file silently.
        std::function<bool(const std::string& path, int pass)> before_file;
    };
    // The shared body of the import run.
    void RunFiles(const RunHooks& hooks);
    // Writes message 7601 or 9075 for a read result; 1 when the value was read.
    int ReportValue(int rc, const char* text, const char* end, const std::string& lower,
                    const std::string& upper);

    // The file says which unit its angles are in; without that they are read in the unit the
    // import started in.
    void StateAngleUnit(zut::angle_unit unit) {
        m_AngleUnit = unit;
        m_bAngleUnitStated = true;
    }
    // While it lives, messages about the value being pushed show this text of the file instead
    // of the text the reader rewrote for the engine.
    class ShownAs {
      public:
        ShownAs(CWImport& reader, std::string_view as_in_file) : m_reader(reader) {
            reader.m_AsInFile = as_in_file;
        }
        ~ShownAs() { m_reader.m_AsInFile = {}; }
        ShownAs(const ShownAs&) = delete;
        ShownAs& operator=(const ShownAs&) = delete;

      private:
        CWImport& m_reader;
    };

  private:
    std::string_view m_AsInFile;
    bool m_bAngleUnitStated = false;
    // Angles of the current file refused as out of range, and which other units take them all.
    static constexpr std::array kOtherAngleUnits{zut::au_gon, zut::au_degree, zut::au_mil};
    size_t m_nAnglesOutOfRange = 0;
    std::array<bool, kOtherAngleUnits.size()> m_bAnglesFit{};
    void NoteAngleOutOfRange(std::string_view text);
    // After a file: when it stated no angle unit and its refused angles all fit another unit,
    // says which.
    void HintAngleUnit(const std::string& path);
};
