// Elta record files: lines of "|"-separated fields, each a type word, a value and (for numbers)
// a unit word. The line machinery here serves the R4 and R5 layouts directly and, through the
// virtual hooks, the Rec 500 and M5 readers.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "readers/importer_base.h"

class CImpELTAR4 : public CWImport {
  public:
    // `format` is the text every line of such a file begins with ("For R4", "For R5", "For M5")
    // or "Rec 500", whose lines carry no such text.
    CImpELTAR4(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
               std::string format);
    ~CImpELTAR4() override;

    void DoImport() override;
    int ReadEvents() override;
    // Integer kind: the leading integer; 0 counts as not given.
    int GetPressure(const char* text, double* value) override;
    int GetTemperature(const char* text, double* value) override;

    // 1 for an empty text or one of spaces only.
    static int IsStrBlank(std::string_view text);

  protected:
    // The hooks the Rec 500 and M5 readers replace, in their slot order.
    virtual std::string_view CutWord(std::string_view& text, char separator);
    virtual std::string_view CutWord(std::string_view& text, int count);
    virtual void PushAngle(EventID event, std::string& value);
    virtual void GetUnits(unsigned type, std::string_view& value, std::string_view& units);
    virtual int SetUnits(std::string& value, std::string_view units);
    // The line as the field reader takes it: a view into `line` or into the reader's own text.
    virtual std::string_view PrepareString(std::string& line);
    virtual void BreakCodeAndPoint(std::string_view value, std::string& code, std::string& point);
    virtual void PushSomeThing(std::string_view value, std::string& code, std::string& point);
    virtual void PushTh();
    virtual void PushHi();
    virtual void TestForStation(std::string_view text);
    // Puts the reader back to its state at the start of a pass, so that the second pass reads
    // the files as the first one did.
    virtual void ResetState();

    // Pushes a non-empty value; the reader decides itself which accepted pushes count.
    int PushM(EventID id, std::string_view text);
    // A measurement push that the engine took marks the file as holding data.
    void CheckAccepted() {
        if (m_nLastPush)
            m_bAccepted = 1;
    }
    // Instrument angles "DDD.MMSS..." as "DDD MM SS": with `point_in_seconds` the digits after the
    // second of the seconds are decimals ("123.45305" gives "123 45 30.5"), else they stay.
    static std::string RewriteDms(std::string_view value, bool point_in_seconds);
    // The type words in table order; a word's index is its position ("None" is 0).
    static std::span<const std::string_view> TypeWords();
    static bool Has(std::string_view text, std::string_view piece) {
        return text.find(piece) != std::string_view::npos;
    }

    // Where code and point name stand in a fixed-column text, 1-based, already in legal ranges.
    struct Columns {
        int name_start = 1, name_width = 0, code_start = 1, code_width = 0;
    };
    // A settings file may hold anything: starts go to 1..28, widths to 0..max_width.
    static Columns ClampColumns(int name_start, int name_width, int code_start, int code_width,
                                int max_width);
    // The trimmed text of `width` characters from 1-based `start`; short texts give less.
    static std::string Column(std::string_view text, int start, int width);

    // Pushes a point name; a record without one is marked nameless, so that its values are
    // not taken for the point before it.
    void PushName(EventID id, const std::string& name);
    // Readers that take names from columns: notes whether a record yielded a name, and keeps
    // the first text the columns were applied to.
    void NoteName(const std::string& point, std::string_view column_text);

    // Coordinate files are data of their own (M5 files of the Trimble writer); in R4 and R5
    // files only measurements are.
    bool m_bCoordinatesAreData = false;
    Columns m_Columns;  // where names and codes stand, for the readers with columns
    // The settings that hold m_Columns (name start, name width, code start, code width); null
    // for the readers without columns.
    const std::array<const char*, 4>* m_ColumnKeys = nullptr;
    std::string m_Text;       // the current line
    std::string_view m_Line;  // the unread rest of it
    std::string m_Station;    // the name last pushed as a station
    int m_bNoReflector = 0;   // set by a reflectorless text record
    int m_nSetHz = 0;         // "Set Hz" text records seen
    int m_nHidden = 0;        // point records since a "HIDDEN POINT" text record
    const std::string m_Format;
    std::string m_Value;          // value text of the field being processed
    std::string m_ValueAsInFile;  // the value as the file wrote it, when rewritten
    bool m_bSMark = false;        // the current line carries the S mark

  private:
    // Cuts the next field; returns its type word and leaves the value text in `value`.
    std::string_view ReadWord(std::string_view& value);
    void ApplyField(unsigned type);
    void PointRule();
    void TextRule();

    // After a file whose records all lacked a name: says so once, with the first column text
    // under a ruler and the settings to change.
    void ReportNoNames();
    long m_nNamed = 0, m_nNameless = 0;  // records of the current file with and without a name
    std::string m_FirstColumnText;
    bool m_bRec500;      // lines carry no format name
    bool m_bSpaceCheck;  // fields without a space are reported (R4 and R5)
};
