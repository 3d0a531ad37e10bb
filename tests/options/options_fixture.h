// What the option page tests share: an import dialog whose settings the pages edit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "import/import_dialog.h"
#include "import/options_page.h"
#include "support/dialog_env.h"

class OptionsTest : public testing_support::DialogEnv {
  protected:
    // Zone-numbered eastings and offset northings, so that every check of the common page is
    // live; zone type 0 is six degrees wide, 1 three.
    void UseZonedSettings(int zone_type) {
        ImportSettings s = dlg->Settings();
        s.XStyle = 1;
        s.YStyle = 2;
        s.Zone = zone_type;
        s.NZone = 7;
        s.Y0 = 500000;
        dlg->SetSettings(s);
    }
    // Opens a page on the dialog as the sheet does when it first shows it.
    void Open(CImpOptPage& page) {
        page.SetDialog(dlg.get());
        page.OnInitPage();
    }
    // The user types into an edit, picks from a list or clicks a check.
    static void Type(CImpOptPage& page, int id, const std::string& text) {
        page.frame().SetText(id, text);
        page.OnCommand(id);
    }
    static void Pick(CImpOptPage& page, int id, int index) {
        page.frame().SetSelection(id, index);
        page.OnCommand(id);
    }
    static void Click(CImpOptPage& page, int id) {
        page.frame().SetCheck(id, !page.frame().Checked(id));
        page.OnCommand(id);
    }
    // The texts of the page's controls, a space between them.
    static std::string Texts(CImpOptPage& page, std::initializer_list<int> ids) {
        std::string all;
        for (int id : ids) all += (all.empty() ? "" : " ") + page.frame().Text(id);
        return all;
    }
};
