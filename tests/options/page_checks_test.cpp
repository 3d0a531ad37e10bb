// Every check of the option pages: what is accepted, and the exact message, focus and selection
// of what is refused.
#include "import/options_common_page.h"
#include "import/options_leica_page.h"
#include "import/options_m5_page.h"
#include "options_fixture.h"

namespace {

const std::string kBadZone = "Неверный номер зоны...";
const std::string kBadEo = "Неверное значение Eo...";
const std::string kBadNo = "Неверное значение No...";
const std::string kNotANumber = "Enter a number.";
const std::string kNotAWhole = "Enter a whole number.";
std::string Range(int lo, int hi) {
    return "The value '%s' is out of range.\nAdmissible interval: " + std::to_string(lo) + " ... " +
           std::to_string(hi) + ".\n";
}

enum class Page { Common3Deg, Common6Deg, Leica, M5, Rec500 };

class PageChecksTest : public OptionsTest {
  protected:
    std::unique_ptr<CImpOptPage> OpenPage(Page kind) {
        UseZonedSettings(kind == Page::Common3Deg ? 1 : 0);
        std::unique_ptr<CImpOptPage> page = std::make_unique<CImpOptCommonPage>();
        if (kind == Page::Leica)
            page = std::make_unique<CImpOptLeicaPage>();
        else if (kind == Page::M5)
            page = std::make_unique<CImpOptRecM5Page>();
        else if (kind == Page::Rec500)
            page = std::make_unique<CImpOptRec500Page>();
        Open(*page);
        return page;
    }
};

TEST_F(PageChecksTest, EachEditAcceptsItsRangeAndRefusesTheRest) {
    const std::string nul("7\0009", 3);  // an embedded NUL must not hide trailing text
    // Page, edit, texts typed, the message: empty when accepted, "%s" standing for the text.
    std::vector<std::tuple<Page, int, std::vector<std::string>, std::string>> rows = {
        {Page::Common3Deg, kIdZoneNumber, {"120", "1"}, ""},
        {Page::Common3Deg, kIdZoneNumber, {"121"}, kBadZone},
        {Page::Common6Deg, kIdZoneNumber, {"60"}, ""},
        {Page::Common6Deg, kIdZoneNumber, {"61", "0"}, kBadZone},
        {Page::Common6Deg, kIdZoneNumber, {"7.5", "", nul, "2147483648", "1e3", "4 2"}, kNotAWhole},
        {Page::Common6Deg, kIdY0, {"650000", "-650000", " 650000 ", "6.5e5"}, ""},
        {Page::Common6Deg, kIdY0, {"650000.5", "-650000.01"}, kBadEo},
        {Page::Common6Deg,
         kIdY0,
         {"nan", "-inf", "infinity", "12x", "1e999", "", "1,5", "--1", "."},
         kNotANumber},
        {Page::Common6Deg, kIdX0, {"-10002300", "10002300"}, ""},
        {Page::Common6Deg, kIdX0, {"-10002300.01"}, kBadNo},
        {Page::Leica, kIdHi412, {"42", "49", " 47 "}, ""},
        {Page::M5, kIdCodeWidth, {"28", "0"}, ""},
        {Page::M5, kIdCodeWidth, {"29", "-1"}, Range(0, 28)},
        {Page::Rec500, kIdCodeWidth, {"27"}, ""},
        {Page::Rec500, kIdCodeWidth, {"28"}, Range(0, 27)},
    };
    for (int id : {kIdStation412, kIdHi412, kIdHv412, kIdCode412})
        rows.push_back({Page::Leica, id, {"45x", "50", "41", "", "45.0"}, Range(42, 49)});
    for (const auto& [kind, id, texts, refusal] : rows) {
        for (const std::string& text : texts) {
            SCOPED_TRACE(::testing::Message() << "page " << static_cast<int>(kind) << " id " << id
                                              << " text '" << text << "'");
            prompter->shown.clear();
            const auto page = OpenPage(kind);
            Type(*page, id, text);
            std::string message = refusal;
            if (const size_t at = message.find("%s"); at != std::string::npos)
                message.replace(at, 2, text);
            const bool accepted = message.empty();
            EXPECT_EQ(page->OnKillActive(), accepted);
            EXPECT_EQ(Boxes(), accepted ? std::vector<std::string>{} : std::vector{message});
            EXPECT_TRUE(accepted ||
                        (page->frame().Focus() == id && page->SelectedTextControl() == id))
                << "the refused text is focused and selected for typing over";
        }
    }
}

TEST_F(PageChecksTest, CommonChecksRunInOrderAndARefusedApplyStoresNothing) {
    const auto page = OpenPage(Page::Common6Deg);
    Type(*page, kIdZoneNumber, "99");
    Type(*page, kIdY0, "650000.5");
    Type(*page, kIdX0, "-10002300.01");
    EXPECT_FALSE(page->OnApply());
    Type(*page, kIdZoneNumber, "5");
    EXPECT_FALSE(page->OnApply());
    Type(*page, kIdY0, "0");
    EXPECT_FALSE(page->OnApply());
    EXPECT_EQ(Boxes(), (std::vector<std::string>{kBadZone, kBadEo, kBadNo}));
    EXPECT_EQ(std::pair(dlg->Settings().NZone, dlg->Settings().Y0), std::pair(7, 500000.0));
    Type(*page, kIdX0, "0");
    EXPECT_TRUE(page->OnApply() && dlg->Settings().NZone == 5) << dlg->Settings().NZone;
}

}  // namespace
