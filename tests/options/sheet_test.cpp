#include "import/options_sheet.h"
#include "options_fixture.h"
#include "support/settings_edit.h"

namespace {

class SheetTest : public OptionsTest {
  protected:
    // What the user does in the next options sheet.
    void Queue(std::function<void(CImpOptDlgSheet&)> script) {
        front->Queue([script](ui::Dialog& d) { script(dynamic_cast<CImpOptDlgSheet&>(d)); });
    }
};

TEST_F(SheetTest, PagesFollowTheFormat) {
    const std::string m5 = "Формат кода и точки";
    // Format, then the caption of its third page; none: it has two.
    const std::pair<int, std::string> cases[] = {
        {0, ""}, {2, m5}, {3, m5}, {5, "Настройка INFO"}, {12, ""}};
    for (const auto& [format, third] : cases) {
        CImpOptDlgSheet sheet(format, "X", false, dlg.get());
        std::string captions;
        for (size_t i = 0; i < sheet.PageCount(); ++i) captions += sheet.Page(i).caption() + "|";
        EXPECT_EQ(captions, "Общие|Кодировка|" + (third.empty() ? "" : third + "|")) << format;
    }
    CImpOptDlgSheet rec(3, "", false, dlg.get());
    EXPECT_EQ(&rec.Page(2), &rec.Rec500Page());
    EXPECT_EQ(CImpOptDlgSheet(5, "", true, dlg.get()).PageCount(), 2u) << "plug-ins add their own";
}

TEST_F(SheetTest, OkSavesTheFormatSectionUnderItsTitle) {
    dlg->SetCurrentFormat(5);
    std::string title;
    Queue([&](CImpOptDlgSheet& s) {
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

    res::SetLanguage(res::Language::Russian);
    Queue([&](CImpOptDlgSheet& s) { title = s.frame().title; });
    dlg->OnOptions();
    EXPECT_EQ(title, "Настройки для импорта файлов формата WILD LEICA");
}

TEST_F(SheetTest, CancelOrARefusedPageSavesNothing) {
    dlg->SetCurrentFormat(2);
    testing_support::EditSettings(*dlg, [&](ImportSettings& s) {
        s.YStyle = 2;
        s.NZone = 5;
    });
    Queue([](CImpOptDlgSheet& s) {
        ASSERT_TRUE(s.SetActivePage(2));
        s.M5Page().frame().SetText(kIdNameStart, "9");
        s.OnCommand(ui::IDCANCEL);
    });
    dlg->OnOptions();
    Queue([](CImpOptDlgSheet& s) {
        s.CommonPage().frame().SetText(kIdZoneNumber, "61");
        EXPECT_FALSE(s.SetActivePage(1)) << "the page may not be left";
        EXPECT_FALSE(s.PressOK());
    });
    dlg->OnOptions();
    dlg->OnOptions();  // closed without an answer
    EXPECT_EQ(prompter->shown.size(), 2u);
    EXPECT_EQ(dlg->Settings().NameStart, 1);
    EXPECT_EQ(dlg->Settings().NZone, 5);
    EXPECT_FALSE(std::filesystem::exists(config()));
}

TEST_F(SheetTest, SelectionMarkIsKeptAndFormatsWithoutPluginDoNothing) {
    dlg->SetCurrentFormat(0);
    dlg->SelectionIndex(3);
    Queue([&](CImpOptDlgSheet&) { dlg->frame().SetSelection(kIdListView, 0); });
    dlg->OnOptions();
    EXPECT_EQ(dlg->SelectionIndex(-1), 3);

    dlg->SetCurrentFormat(16);
    Queue([](CImpOptDlgSheet&) { FAIL() << "no sheet for a format without a plug-in"; });
    dlg->OnOptions();
    EXPECT_EQ(front->Pending(), 1u);
}

}  // namespace
