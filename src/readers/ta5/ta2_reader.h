// 2TA5 record files: words separated by single blanks. A line is a station header ("Z"), a point
// name ("N"), or a numbered record that refers to the point named last. A backsight that a header
// announces and that no record measures is added with direction zero.
#pragma once

#include <string>

#include "readers/importer_base.h"

class CImp2TA5 : public CWImport {
  public:
    CImp2TA5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);
    ~CImp2TA5() override;

    int ReadEvents() override;
    int GetDate(const char* text, int64_t* time) override;

    // Record kinds besides the record numbers.
    enum : int { kHeader = -1, kNotANumber = -2, kLoneN = -3 };
    // The kind of a line: kHeader, 0 for a point name, kLoneN, or the record number from its
    // first two characters (kNotANumber, with a message, when they are not digits).
    int GetPRecord(std::string_view line);
    // "1234530" -> "123.45.30", "0012345" -> "1.23.45".
    static void SetPointAngle(std::string_view source, std::string& target);
    // True when every character is a decimal digit (also for an empty text).
    static bool StrIsDigit(std::string_view text);
    int SetUnits(std::string_view code);

  private:
    // The next word of the line; two blanks in a row give an empty word.
    std::string_view CutWord();
    int PushM(EventID id, std::string_view text);
    // Pushes the word when it is not empty; `kind` prepares it first.
    enum class Value { Text, Length, Angle };
    void PushWord(EventID id, Value kind);
    void SetBackSight();
    void ReadHeader();
    void ReadMeasurement(int record);

    std::string m_Text;       // the current line
    std::string_view m_Line;  // the unread rest of it
    std::string m_Value;      // a word rewritten for the engine
    std::string m_StationName;
    std::string m_BackSightName;
    int m_bBackSightPending = 0;
    int m_bUnitsNotSet = 1;
    std::string m_PointName;
};
