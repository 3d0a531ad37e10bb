#include "resources/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "support/scoped_env.h"

using res::Language;

namespace {

// Puts the language back after a test that changes it.
class LanguageTest : public ::testing::Test {
  protected:
    void SetUp() override { m_saved = res::CurrentLanguage(); }
    void TearDown() override { res::SetLanguage(m_saved); }
    Language m_saved = Language::English;
};

TEST(StringTable, OneLanguageServesForTheOther) {
    // Only English exists: Russian falls back to it; where both exist they differ.
    EXPECT_EQ(res::LoadString(9001, Language::Russian), "COM");
    EXPECT_EQ(res::LoadString(9286, Language::Russian), "Отсутствует индекс пункта.");
    // Unknown ids give nothing, also between known ones.
    EXPECT_EQ(res::LoadString(0), "");
    EXPECT_EQ(res::LoadString(9059), "");
    EXPECT_FALSE(res::HasString(9059));
    EXPECT_TRUE(res::HasString(7601) && res::HasString(9287));
}

TEST_F(LanguageTest, EnvironmentPicksTheFirstNonEmptyVariable) {
    // LC_ALL, LC_MESSAGES, LANG and the language they give.
    const std::tuple<const char*, const char*, const char*, Language> cases[] = {
        {"ru_RU.UTF-8", "en_US.UTF-8", "en_US.UTF-8", Language::Russian},
        {"", "ru_RU.KOI8-R", "en_GB", Language::Russian},
        {nullptr, nullptr, "RU", Language::Russian},
        {"en_US.UTF-8", "ru_RU.UTF-8", "ru_RU.UTF-8", Language::English},
        {nullptr, nullptr, nullptr, Language::English},
        {nullptr, nullptr, "r", Language::English},
        {nullptr, nullptr, "de_DE", Language::English},
    };
    testing_support::ScopedEnv env;
    for (auto [all, messages, lang, expected] : cases) {
        env.Set("LC_ALL", all);
        env.Set("LC_MESSAGES", messages);
        env.Set("LANG", lang);
        res::SetLanguage(expected == Language::Russian ? Language::English : Language::Russian);
        res::SetLanguageFromEnvironment();
        EXPECT_EQ(res::CurrentLanguage(), expected)
            << (all ? all : "-") << " / " << (messages ? messages : "-") << " / "
            << (lang ? lang : "-");
        // Texts without a language follow the current one.
        EXPECT_EQ(res::LoadString(9020), res::LoadString(9020, expected));
    }
    EXPECT_NE(res::LoadString(9020, Language::Russian), res::LoadString(9020, Language::English));
}

TEST(Language, ParsesCommandLineNames) {
    const std::pair<const char*, Language> good[] = {
        {"ru", Language::Russian},          {"EN", Language::English},
        {"ru_RU.UTF-8", Language::Russian}, {"en-GB", Language::English},
        {"Ru@cyrillic", Language::Russian},
    };
    for (const auto& [text, expected] : good) {
        Language lang = expected == Language::Russian ? Language::English : Language::Russian;
        EXPECT_TRUE(res::ParseLanguage(text, lang)) << text;
        EXPECT_EQ(lang, expected) << text;
    }
    // Anything else is refused and leaves the value alone.
    for (const char* bad : {"", "r", "rus", "russian", "de", "C", "POSIX", "_ru", "e n"}) {
        Language lang = Language::English;
        EXPECT_FALSE(res::ParseLanguage(bad, lang)) << bad;
        EXPECT_EQ(lang, Language::English) << bad;
    }
}

}  // namespace
