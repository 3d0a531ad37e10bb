// 3TA5 and 4TA5 record files: fixed lines of 12-character fields (7 for 3TA5, 9 for 4TA5), one
// record a line: station headers, stations given by coordinates, and measurements to targets.
// A backsight that a header announces and that no record measures is added as an observation
// at the next header or at the end of the file.
#pragma once

#include <string>

#include "readers/importer_base.h"

class CImp3TA5 : public CWImport {
  public:
    CImp3TA5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);
    ~CImp3TA5() override;

    int ReadEvents() override;
    int GetDate(const char* text, int64_t* time) override;

    // Sets the units of the record code: metres, and the angle unit of its third character.
    virtual int SetUnits(std::string_view code);
    // Rewrite a field into the text the values library reads, in the units of the record.
    virtual void SetPointAngle(std::string_view code, std::string& value);
    virtual void SetPointDist(std::string_view code, std::string& value);
    // "Z" (zenith) or "H" (height angle) in front of a vertical angle.
    virtual void PushInstr(std::string_view code);
    virtual void ReadZagolovokStation(std::string_view code);
    virtual void ReadCoordStation(std::string_view code);
    virtual void ReadTrgNameCode();
    virtual void ReadXYZ(std::string_view code);
    virtual void ReadHaVa(std::string_view code);

    // Reads one line of at most `max` characters into `line`, without its line feed. A longer
    // line leaves its rest for the next call. The count of characters, -1 at the end of the file.
    int GetString(std::string& line, int max);

  protected:
    // The angle unit codes "0", "1", "2" of the record code's third character.
    struct AngleUnits {
        zut::angle_unit code0, code1, code2;
    };
    CImp3TA5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info, int record_length,
             AngleUnits units);

    // Records whose code begins with "1" and "2"; the layouts differ between the instruments.
    virtual void ReadStationRecord(std::string_view code);
    virtual void ReadTargetRecord(std::string_view code);

    // The next field of the line, `n` characters, as it stands / trimmed of blanks.
    std::string_view CutWord(int n);
    std::string_view Next_Part(int n);
    void SetBackSight();
    void SetTCode(std::string_view code);
    int PushM(EventID id, std::string_view text);
    // Pushes a distance field when it is not empty; `empty_as_zero` pushes an empty one as 0.
    void PushDistField(std::string_view code, EventID id, bool empty_as_zero = false);
    void AcceptedCheck();

    std::string m_Text;       // the current line
    std::string_view m_Line;  // the unread rest of it
    std::string m_Value;      // a field rewritten for the engine
    std::string m_PointName;  // field 2 of the current record
    std::string m_BackSightName;
    std::string m_BackSightDirection;
    zut::angle_unit m_BackSightUnit = zut::au_dms;  // the unit the direction was written in
    int m_bBackSightPending = 0;
    std::string m_InstrumentHeight;

  private:
    const int m_nRecordLength;
    const AngleUnits m_Units;
};

class CImp4TA5 : public CImp3TA5 {
  public:
    CImp4TA5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);

    void PushInstr(std::string_view code) override;

  protected:
    void ReadStationRecord(std::string_view code) override;
    void ReadTargetRecord(std::string_view code) override;
};
