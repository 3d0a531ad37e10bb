// The option pages' checks fed typed values: one line of the input a control, the first byte
// choosing the list selections; then each page's check and, when it accepts, its apply.
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "import/import_dialog.h"
#include "import/options_code_page.h"
#include "import/options_common_page.h"
#include "import/options_leica_page.h"
#include "import/options_m5_page.h"

namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == '\n')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

void Drive(CImpDEVDlg& dlg, CImpOptPage& page, const std::vector<int>& edits,
           const std::vector<int>& lists, const std::vector<std::string>& values, int pick) {
    page.SetDialog(&dlg);
    page.OnInitPage();
    size_t next = 0;
    for (int id : lists) {
        page.frame().SetSelection(id, pick % 4 - 1);
        page.OnCommand(id);
        pick /= 4;
    }
    for (int id : edits) {
        page.frame().SetText(id, values[next++ % values.size()]);
        page.OnCommand(id);
    }
    const bool kept = page.OnKillActive();
    fuzz::Note(kept);
    if (kept)
        fuzz::Note(page.OnApply());
}

}  // namespace

void FuzzOne(std::string_view input) {
    const int pick = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
    const auto values = Lines(input.substr(input.empty() ? 0 : 1));
    vrk::CVrkObject project;
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    {
        CImpOptCommonPage page;
        Drive(dlg, page, {kIdX0, kIdY0, kIdZoneNumber}, {kIdXStyle, kIdYStyle, kIdZoneType}, values,
              pick);
    }
    {
        CImpOptLeicaPage page;
        Drive(dlg, page,
              {kIdStationW41, kIdStation412, kIdHiW41, kIdHi412, kIdHvW41, kIdHv412, kIdCodeW41,
               kIdCode412},
              {}, values, pick);
    }
    {
        CImpOptRecM5Page page;
        Drive(dlg, page, {kIdNameStart, kIdNameWidth, kIdCodeStart, kIdCodeWidth}, {}, values,
              pick);
    }
    {
        CImpOptRec500Page page;
        Drive(dlg, page, {kIdNameStart, kIdNameWidth, kIdCodeStart, kIdCodeWidth}, {}, values,
              pick);
    }
    {
        CImpOptCodePage page;
        Drive(dlg, page, {kIdCodeSep, kIdLink, kIdAtrAtr, kIdAtrVal}, {kIdCodeSystem, kIdOnRelief},
              values, pick);
    }
}
