// Elta Rec 500 record files: no field separators and no unit words. Each line is rebuilt into
// the "|"-separated form, with code and point name taken from columns the user sets.
#pragma once

#include <string>

#include "readers/elta/elta_r4_reader.h"

class CImpELTAREC500 : public CImpELTAR4 {
  public:
    CImpELTAREC500(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
                   std::string format);
    ~CImpELTAREC500() override;

  protected:
    void PushAngle(EventID event, std::string& value) override;
    void GetUnits(unsigned type, std::string_view& value, std::string_view& units) override;
    int SetUnits(std::string& value, std::string_view units) override;
    std::string_view PrepareString(std::string& line) override;
    void BreakCodeAndPoint(std::string_view value, std::string& code, std::string& point) override;
    void ResetState() override;

  private:
    // Puts a bar in front of the type words of a line that has none.
    static void InsertBars(std::string& line);

    std::string m_Code;        // from the code columns of the current line, handed out once
    std::string m_Point;       // from the name columns
    std::string m_ColumnText;  // the text the columns were applied to
    std::string m_Prepared;    // the line rebuilt with bars
};
