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
        const std::string ru = res::LoadString(id, res::Language::Russian);
        EXPECT_FALSE(en.empty());
        EXPECT_NE(en, ru);  // both languages have a text of their own
        std::string error;
        EXPECT_TRUE(SettingValueAllowed(info, SettingDefaultText(info), error)) << error;
    }
}

TEST(SettingHelp, RangesAreEnforcedAndNamed) {
    struct Case {
        const char* name;
        const char* value;
        bool allowed;
        const char* allowed_text;
    };
    const Case cases[] = {
        {"Hi412", "42", true, "42..49"},
        {"Hi412", "49", true, "42..49"},
        {"Hi412", "50", false, "42..49"},
        {"Hi412", "41", false, "42..49"},
        {"CheckDel", "2", false, "0 (off) or 1 (on)"},
        {"YStyle", "2", true, "0..2"},
        {"X0", "-10002300.5", false, "-10002300..10002300"},
        {"CodeSystem", "-1", true, ">= -1"},
        {"CodeSystem", "-2", false, ">= -1"},
        {"NameWidthE", "28", false, "0..27"},
        {"NameWidth", "28", true, "0..28"},
        {"CodeSep", "anything", true, "one character"},
        {"HiW41", "12", true, "any text"},
    };
    res::SetLanguage(res::Language::English);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=" + c.value);
        const SettingInfo* info = FindSetting(c.name);
        ASSERT_NE(info, nullptr);
        std::string error;
        EXPECT_EQ(SettingValueAllowed(*info, c.value, error), c.allowed);
        EXPECT_EQ(SettingAllowedText(*info), c.allowed_text);
        if (!c.allowed) {
            EXPECT_EQ(error, std::string(c.name) + " allows " + c.allowed_text + ", not \"" +
                                 c.value + "\"");
        }
    }
}

}  // namespace
