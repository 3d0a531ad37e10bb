#include "import/options_code_page.h"
#include "options_fixture.h"
#include "support/settings_edit.h"

namespace {

class CodePageTest : public OptionsTest {
  protected:
    void UseClassificator(std::initializer_list<std::pair<int, const char*>> used) {
        vrk::CClassificator c;
        for (const auto& [slot, name] : used) c.slots.at(static_cast<size_t>(slot)) = {true, name};
        project.SetClassificator(c);
    }
    CImpOptCodePage page;
};

TEST_F(CodePageTest, NoClassificatorMeansNoCodeSystem) {
    testing_support::EditSettings(*dlg, [](ImportSettings& s) { s.CodeSystem = 3; });  // as stored
    Open(page);
    EXPECT_TRUE(page.frame().control(kIdCodeSystem).items.empty());
    EXPECT_FALSE(page.frame().IsEnabled(kIdCodeSystem));
    EXPECT_FALSE(page.frame().IsEnabled(kIdCSFromProject));
    page.frame().SetSelection(kIdCodeSystem, 2);  // a front end cannot conjure one up
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(dlg->Settings().CodeSystem, -1);
}

TEST_F(CodePageTest, ListHoldsSystemsInUseInSlotOrder) {
    UseClassificator({{7, "Local"}, {0, "Main"}, {10, "Last"}});
    Open(page);
    EXPECT_EQ(page.frame().control(kIdCodeSystem).items,
              (std::vector<std::string>{"Main", "Local", "Last"}));
    EXPECT_EQ(page.frame().Selection(kIdCodeSystem), 0) << "none stored: the first one";
    Pick(page, kIdCodeSystem, 2);
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(dlg->Settings().CodeSystem, 2);
    page.frame().SetSelection(kIdCodeSystem, -1);
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(dlg->Settings().CodeSystem, -1);

    testing_support::EditSettings(*dlg, [&](ImportSettings& s) { s.CodeSystem = 9; });
    CImpOptCodePage again;
    Open(again);
    EXPECT_EQ(again.frame().Selection(kIdCodeSystem), 2) << "clamped to the list";
}

TEST_F(CodePageTest, CodeSystemFromProjectDisablesTheList) {
    UseClassificator({{0, "Main"}});
    testing_support::EditSettings(*dlg, [&](ImportSettings& s) { s.CSFromProject = 1; });
    Open(page);
    EXPECT_TRUE(page.frame().IsEnabled(kIdCSFromProject));
    EXPECT_FALSE(page.frame().IsEnabled(kIdCodeSystem));
    Click(page, kIdCSFromProject);
    EXPECT_TRUE(page.frame().IsEnabled(kIdCodeSystem));
    Click(page, kIdCSFromProject);
    EXPECT_FALSE(page.frame().IsEnabled(kIdCodeSystem));
}

TEST_F(CodePageTest, ValuesAndSeparatorsRoundTrip) {
    testing_support::EditSettings(*dlg, [&](ImportSettings& s) { s.OnRelief = 9; });
    Open(page);
    EXPECT_EQ(page.frame().Selection(kIdOnRelief), 2);
    EXPECT_EQ(page.frame().Text(kIdCodeSep), "/");
    Pick(page, kIdOnRelief, 1);
    Click(page, kIdCodeNumeric);
    Click(page, kIdForceCode);
    Type(page, kIdCodeSep, "|x");
    EXPECT_EQ(page.frame().Text(kIdCodeSep), "|");
    Type(page, kIdLink, "");
    page.frame().control(kIdAtrAtr).text = ":;";  // a front end that ignores the limit
    ASSERT_TRUE(page.OnApply());
    const ImportSettings& s = dlg->Settings();
    EXPECT_EQ(s.OnRelief, 1);
    EXPECT_EQ(s.CodeNumeric, 0);
    EXPECT_EQ(s.ForceCode, 1);
    EXPECT_EQ(s.LinesAttr, 0);
    EXPECT_EQ(s.CodeSep + s.Link + s.AtrAtr + s.AtrVal, "|:#");
    EXPECT_TRUE(prompter->shown.empty());
}

}  // namespace
