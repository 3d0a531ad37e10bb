#include "options_fixture.h"
#include "support/settings_edit.h"

namespace {

using SheetTest = OptionsTest;

TEST_F(SheetTest, PagesFollowTheFormat) {
    std::string pages;  // each format's page count and the caption of its third page
    for (int format : {0, 2, 3, 5, 12}) {
        CImpOptDlgSheet sheet(format, "X", false, dlg.get());
        pages += std::to_string(sheet.PageCount()) +
                 (sheet.PageCount() > 2 ? " " + sheet.Page(2).caption() : "") + "|";
    }
    EXPECT_EQ(pages, "2|3 Формат кода и точки|3 Формат кода и точки|3 Настройка INFO|2|");
    CImpOptDlgSheet rec(3, "", false, dlg.get());
    EXPECT_EQ(&rec.Page(2), &rec.Rec500Page());
    EXPECT_EQ(CImpOptDlgSheet(5, "", true, dlg.get()).PageCount(), 2u) << "plug-ins add their own";
}

TEST_F(SheetTest, OkSavesTheFormatSectionUnderItsTitle) {
    PickFormat(*dlg, 5);
    std::string title;
    InSheet([&](CImpOptDlgSheet& s) {
        title = s.frame().title;
        ASSERT_TRUE(s.SetActivePage(2));
        s.LeicaPage().frame().SetText(kIdCode412, "47");
        s.OnCommand(ui::IDOK);
    });
    dlg->OnOptions();
    EXPECT_EQ(title, "Options for import from WILD LEICA");
    EXPECT_EQ(dlg->Settings().Code412, 47);
    platform::Profile::UseFile(config());  // read back what was written
    EXPECT_EQ(platform::Profile::Instance().GetInt("ImportSettings\\LEICA", "Code412", 0), 47);
}

TEST_F(SheetTest, CancelOrARefusedPageSavesNothing) {
    dlg->SetCurrentFormat(2);
    testing_support::EditSettings(*dlg, [&](ImportSettings& s) {
        s.YStyle = 2;
        s.NZone = 5;
    });
    InSheet([](CImpOptDlgSheet& s) {
        ASSERT_TRUE(s.SetActivePage(2));
        s.M5Page().frame().SetText(kIdNameStart, "9");
        s.OnCommand(ui::IDCANCEL);
    });
    dlg->OnOptions();
    InSheet([](CImpOptDlgSheet& s) {
        s.CommonPage().frame().SetText(kIdZoneNumber, "61");
        EXPECT_FALSE(s.SetActivePage(1)) << "the page may not be left";
        EXPECT_FALSE(s.PressOK());
    });
    dlg->OnOptions();
    dlg->OnOptions();  // closed without an answer
    EXPECT_EQ(std::tuple(prompter->shown.size(), dlg->Settings().NameStart, dlg->Settings().NZone),
              std::tuple(2u, 1, 5));
    EXPECT_FALSE(std::filesystem::exists(config()));
}

TEST_F(SheetTest, SelectionMarkIsKeptAndFormatsWithoutPluginDoNothing) {
    dlg->SetCurrentFormat(0);
    dlg->SelectionIndex(3);
    InSheet([&](CImpOptDlgSheet&) { dlg->frame().SetSelection(kIdListView, 0); });
    dlg->OnOptions();
    EXPECT_EQ(dlg->SelectionIndex(-1), 3);

    dlg->SetCurrentFormat(16);
    InSheet([](CImpOptDlgSheet&) { FAIL() << "no sheet for a format without a plug-in"; });
    dlg->OnOptions();
    EXPECT_EQ(front->Pending(), 1u);
}

}  // namespace
