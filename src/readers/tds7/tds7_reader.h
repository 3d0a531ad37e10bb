// Topcon GTS-7 keyword files: one record a line, a keyword in any letter case and comma-separated
// fields ("STN A1,1.550,TREE"); lines starting with an apostrophe are comments.
#pragma once

#include <string>
#include <string_view>

#include "readers/importer_base.h"

class CImpTDS7 : public CWImport {
  public:
    CImpTDS7(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);
    ~CImpTDS7() override;

    void DoImport() override;
    int ReadEvents() override;
    int GetPressure(const char* text, double* value) override;
    int GetTemperature(const char* text, double* value) override;
    int GetDate(const char* text, int64_t* time) override;

  private:
    enum Record : int {
        kNone = 0,
        kDate,
        kUnits,
        kTemp,
        kAtmos,
        kStn,
        kXyz,
        kBkb,
        kBs,
        kFs,
        kSs,
        kHv,
        kSd,
        kHd,
    };

    static int GetPrecord(std::string_view keyword);
    void SetUnits(std::string_view text);
    // The angle text for the engine: in degrees DDD.MMSSs becomes DDD.MM.SS.s with the sign at
    // its end; in other units the sign is dropped.
    std::string SetPointAngle(std::string_view in) const;
    void SetTCode(std::string_view text);
    void CheckTarget(std::string_view name);
    int Put(EventID id, std::string_view value);
    // The next comma-separated field, trimmed; empty fields between commas are skipped.
    std::string_view Field();
    void Decode(int code);
    void ClearNames();

    std::string m_Text;            // the current line
    std::string_view m_Line;       // the part of it not yet cut into fields
    std::string m_TargetName;      // the target last started
    std::string m_BacksightAngle;  // horizontal angle of the last backsight record
    std::string m_BacksightName;   // point of the last backsight record of this station
    int m_bAnglesTaken = 0;        // angles were recorded for the current target
};
