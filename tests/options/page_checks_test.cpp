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
        std::unique_ptr<CImpOptPage> page;
        if (kind == Page::Leica)
            page = std::make_unique<CImpOptLeicaPage>();
        else if (kind == Page::M5)
            page = std::make_unique<CImpOptRecM5Page>();
        else if (kind == Page::Rec500)
            page = std::make_unique<CImpOptRec500Page>();
        else
            page = std::make_unique<CImpOptCommonPage>();
        Open(*page);
        return page;
    }
};

TEST_F(PageChecksTest, EachEditAcceptsItsRangeAndRefusesTheRest) {
    struct Row {
        Page page;
        int id;
        std::vector<std::string> texts;
        std::string message;  // empty: accepted; "%s" stands for the text typed
    };
    const std::string nul("7\0009", 3);  // an embedded NUL must not hide trailing text
    std::vector<Row> rows = {
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
    for (const Row& row : rows) {
        for (const std::string& text : row.texts) {
            SCOPED_TRACE(::testing::Message() << "page " << static_cast<int>(row.page) << " id "
                                              << row.id << " text '" << text << "'");
            prompter->shown.clear();
            const auto page = OpenPage(row.page);
            Type(*page, row.id, text);
            if (row.message.empty()) {
                EXPECT_TRUE(page->OnKillActive());
                EXPECT_TRUE(prompter->shown.empty());
                continue;
            }
            std::string message = row.message;
            if (const size_t at = message.find("%s"); at != std::string::npos)
                message.replace(at, 2, text);
            EXPECT_FALSE(page->OnKillActive());
            EXPECT_EQ(Messages(), std::vector<std::string>{message});
            EXPECT_EQ(page->frame().Focus(), row.id);
            EXPECT_EQ(page->SelectedTextControl(), row.id);
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
    EXPECT_EQ(Messages(), (std::vector<std::string>{kBadZone, kBadEo, kBadNo}));
    EXPECT_EQ(dlg->Settings().NZone, 7);
    EXPECT_DOUBLE_EQ(dlg->Settings().Y0, 500000.0);
    Type(*page, kIdX0, "0");
    EXPECT_TRUE(page->OnApply());
    EXPECT_EQ(dlg->Settings().NZone, 5);
}

}  // namespace
