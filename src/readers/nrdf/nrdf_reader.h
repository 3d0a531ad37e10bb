// Nikon RDF raw data: one comma-separated record a line, led by a two-letter record code.
#pragma once

#include <string>
#include <string_view>

#include "readers/importer_base.h"

class CImpNRDF : public CWImport {
  public:
    CImpNRDF(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);
    ~CImpNRDF() override;

    int Open(const std::string& path) override;
    int ReadEvents() override;
    // Atmosphere comes as whole numbers; 0 counts as not given.
    int GetPressure(const char* text, double* value) override;
    int GetTemperature(const char* text, double* value) override;
    // DD-MON-YYYY HH:MM:SS, local time.
    int GetDate(const char* text, int64_t* time) override;

  private:
    enum Record : int {
        kUnknown = 0,
        kComment = 1,
        kStation = 2,
        kSideShot = 3,
        kMeasuredPoint = 4,
        kManualPoint = 5,
        kFace1 = 6,
        kFace2 = 7,
        kCheckPoint = 8,
        kResectionPoint = 9,
        kStakeOut = 10,
        kUploadedPoint = 11,
    };
    static int GetPrecord(std::string_view field);

    // What one pass over a resection block found: the last "RE" name before the first "ST"
    // line, and that line's fields. Kept so that several resection markers in a row do not
    // scan the same lines again.
    struct ResectionScan {
        long long from = -1;     // where the scan started
        long long to = -1;       // start of the "ST" line, or the end of the file
        long long last_re = -1;  // start of the last "RE" line in [from, to)
        std::string resection, station, backsight, height, seventh, angle;
    };

    // Record decoders (nrdf_reader.cpp).
    std::string_view CutField();
    void DecodeStation();
    void DecodeObservation(int record);
    void DecodePoint(int record);
    std::string SetPointAngle(std::string_view in) const;
    void SetBackSight();
    void SetTCode(std::string_view text);
    int PushValue(EventID id, std::string_view text);  // an empty value is not pushed
    int PushPlain(EventID id, std::string_view text);  // every value is pushed
    void PushOrientedAngle(std::string_view field);

    // Comment records: units, atmosphere and date (nrdf_comment.cpp).
    void DecodeComment();
    int SetUnits(std::string_view part);

    // Looking ahead in the file and coming back (nrdf_lookahead.cpp).
    bool ReadAheadLine(std::string& line, bool blanks_are_empty);
    std::string ResectionRecord();
    void ScanResection(long long from);
    void BacksightLookAhead(const std::string& angle);

    std::string m_Text;              // the record being decoded
    std::string_view m_Line;         // the rest of it
    std::string m_PendingBacksight;  // backsight of the last station, until observed
    std::string m_BacksightAngle;    // of the current station, prepared
    int m_bFaceRecord = 0;
    int m_bPendingBacksight = 0;
    std::string m_Pressure, m_Temperature, m_Date;  // from comments, for the next station
    ResectionScan m_Scan;
};
