// What `tavrin options` tells about each setting: caption, default and allowed values.
#include "import/setting_help.h"

#include <gtest/gtest.h>

#include "resources/strings.h"

namespace {

TEST(SettingHelp, EverySettingHasCaptionsAndItsDefaultIsAllowed) {
    for (const auto& info : AllSettings()) {
        SCOPED_TRACE(info.name);
        const unsigned id = HelpOf(info).caption;
        const std::string en = res::LoadString(id, res::Language::English);
        EXPECT_FALSE(en.empty());
        EXPECT_NE(en, res::LoadString(id, res::Language::Russian));  // a text in each language
        std::string error;
        EXPECT_TRUE(SettingValueAllowed(info, SettingDefaultText(info), error)) << error;
    }
}

TEST(SettingHelp, RangesAreEnforcedAndNamed) {
    using Values = std::vector<const char*>;
    // Setting, values allowed, values refused, the allowed values as the help names them.
    const std::tuple<const char*, Values, Values, const char*> cases[] = {
        {"Hi412", {"42", "49"}, {"50", "41"}, "42..49"},
        {"CheckDel", {"1"}, {"2"}, "0 (off) or 1 (on)"},
        {"X0", {}, {"-10002300.5"}, "-10002300..10002300"},
        {"CodeSystem", {"-1"}, {"-2"}, ">= -1"},
        {"NameWidthE", {}, {"28"}, "0..27"},
        {"CodeSep", {"anything"}, {}, "one character"},
        {"HiW41", {"12"}, {}, "any text"},
    };
    res::SetLanguage(res::Language::English);
    for (const auto& [name, allowed, refused, allowed_text] : cases) {
        SCOPED_TRACE(name);
        const SettingInfo* info = FindSetting(name);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(SettingAllowedText(*info), allowed_text);
        std::string error;
        for (const char* value : allowed) EXPECT_TRUE(SettingValueAllowed(*info, value, error));
        for (const char* value : refused) {
            EXPECT_FALSE(SettingValueAllowed(*info, value, error));
            EXPECT_EQ(error,
                      std::string(name) + " allows " + allowed_text + ", not \"" + value + "\"");
        }
    }
}

}  // namespace
