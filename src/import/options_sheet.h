// The import options sheet: the general and coding pages, and the page of the format's own
// layout where it has one.
#pragma once

#include <string>

#include "import/options_code_page.h"
#include "import/options_common_page.h"
#include "import/options_leica_page.h"
#include "import/options_m5_page.h"
#include "ui/property_sheet.h"

class CImpDEVDlg;

class CImpOptDlgSheet : public ui::PropertySheet {
  public:
    // `caption` is the format's name as the title shows it. In plug-in mode only the general and
    // coding pages are added here; the plug-in adds its own pages with AddPage.
    CImpOptDlgSheet(int format, std::string caption, bool plugin_mode, CImpDEVDlg* parent);

    bool OnInitDialog() override;
    bool OnCommand(int id) override;

    int Format() const { return m_format; }
    CImpOptCommonPage& CommonPage() { return m_common; }
    CImpOptCodePage& CodePage() { return m_code; }
    CImpOptLeicaPage& LeicaPage() { return m_leica; }
    CImpOptRecM5Page& M5Page() { return m_m5; }
    CImpOptRec500Page& Rec500Page() { return m_rec500; }

  private:
    int m_format;
    std::string m_caption;
    CImpOptCommonPage m_common;
    CImpOptCodePage m_code;
    CImpOptLeicaPage m_leica;
    CImpOptRecM5Page m_m5;
    CImpOptRec500Page m_rec500;
};
