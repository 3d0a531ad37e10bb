// Geodimeter label=value files, measurements and point lists.
#pragma once

#include <string>

#include "readers/importer_base.h"

class CImpGEOD : public CWImport {
  public:
    // `points` set: every station and point is also a known ("Base") point.
    CImpGEOD(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info, int points);
    ~CImpGEOD() override;

    void DoImport() override;
    void MLoadFile(int mode, int points);
    int ReadEvents() override;
    int GetDate(const char* text, int64_t* time) override;
    int GetPressure(const char* text, double* value) override;
    int GetTemperature(const char* text, double* value) override;

    zut::dist_unit GetDistUnit() const { return m_DistUnit; }
    zut::angle_unit GetAngleUnit() const { return m_AngleUnit; }
    zut::pres_unit GetPresUnit() const { return m_PresUnit; }
    zut::temp_unit GetTempUnit() const { return m_TempUnit; }

  private:
    // Splits a word at its first "=": the label, and the value in `value`.
    static int GetPrecord(std::string_view word, std::string_view& value);
    void SetUnits(std::string_view value);
    std::string SetPointAngle(std::string_view source) const;
    bool CheckTarget();
    int PushM(EventID id, std::string_view text);
    // Pushes the events of one word; false when the line ends with it (an empty value).
    bool PushLabel(int label, std::string_view value);
    std::string_view CutCodeRest();

    std::string m_Text;       // the current line
    std::string_view m_Line;  // the part of it not yet split into words
    std::string m_Value;      // a value rewritten for the engine
    int m_nLeadLabel = 0;
    int m_nLineAccepted = 0;
    int m_nFileAccepted = 0;
    int m_bRightFace = 0;
    std::string m_TargetName;
    int m_bPoints;
    int m_bFirstLine = 1;
};
