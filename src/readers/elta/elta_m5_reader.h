// Elta M5 record files ("For M5" lines). Point records decide by their own marks which points are
// stations; the angles after a "Set Hz" record wait for the point they orient to; and, unless the
// standard header is set, measurements before the first station are dropped.
#pragma once

#include <string>

#include "readers/elta/elta_r4_reader.h"

class CImpELTAC_M5 : public CImpELTAR4 {
  public:
    CImpELTAC_M5(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
                 std::string format);
    ~CImpELTAC_M5() override;

  protected:
    using CImpELTAR4::CutWord;
    std::string_view CutWord(std::string_view& text, char separator) override;
    void PushAngle(EventID event, std::string& value) override;
    void BreakCodeAndPoint(std::string_view value, std::string& code, std::string& point) override;
    void PushSomeThing(std::string_view value, std::string& code, std::string& point) override;
    void PushTh() override;
    void PushHi() override;
    void TestForStation(std::string_view text) override;
    void ResetState() override;

  private:
    // Measurements count: a station is known, or the standard header takes them regardless.
    bool Measuring() const { return m_bStationKnown || m_bStandardHeader; }
    void PushCode(const std::string& code);

    std::string m_HeldHz;  // orientation readings after "Set Hz"
    std::string m_HeldV;
    int m_bStationPending = 0;  // a "STAT." text record announced a station
    int m_bStationKnown = 0;    // a station has been pushed since
    std::string m_HeldTh;       // target height given between "STAT." and the station
    bool m_bStandardHeader = true;
};
