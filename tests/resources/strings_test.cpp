#include "resources/strings.h"

#include <gtest/gtest.h>

#include <string>
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

TEST(StringTable, TextsAreKeptExactlyInBothLanguages) {
    struct Case {
        unsigned id;
        Language lang;
        const char* text;
    } const cases[] = {
        {9018, Language::English, "File  \"%s\"\nmismatches required data format.\n"},
        {9018, Language::Russian, "Файл \"%s\" содержит данные в неизвестном формате.\n"},
        {9026, Language::English, "File  %s, string  %ld:\n%s"},
        {9063, Language::English,
         "File %s has already been imported into this project. Repeat import?"},
        {9073, Language::English, "File wil be not imported.\n"},
        {9073, Language::Russian, "Файл не может быть импортирован.\n"},
        // A percent, a real line feed and an s.
        {9022, Language::English, "File %\ns not exists"},
        {9029, Language::Russian, "За точкой\n%s\nнет пробела"},
        {9086, Language::English, "Code false in word 41"},
        {9086, Language::Russian, "Неверное значение кода в слове 41\n"},
        // Captions and filter names have their own Russian entries.
        {9039, Language::Russian, "GEODIMETER, измерения"},
        {9043, Language::English, "SDR files"},
        {9043, Language::Russian, "SDR"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(res::LoadString(c.id, c.lang), c.text)
            << c.id << (c.lang == Language::Russian ? " ru" : " en");
}

TEST(StringTable, OneLanguageServesForTheOther) {
    // Only English exists: Russian falls back to it.
    EXPECT_EQ(res::LoadString(9075, Language::Russian), res::LoadString(9075, Language::English));
    EXPECT_EQ(res::LoadString(9038, Language::Russian), "3TA5");
    // Both exist and differ.
    EXPECT_NE(res::LoadString(9286, Language::English), res::LoadString(9286, Language::Russian));
    EXPECT_EQ(res::LoadString(9286, Language::Russian), "Отсутствует индекс пункта.");

    // Unknown ids give nothing, also between known ones.
    EXPECT_EQ(res::LoadString(0), "");
    EXPECT_EQ(res::LoadString(9059), "");
    EXPECT_FALSE(res::HasString(9059));
    EXPECT_TRUE(res::HasString(7601));
    EXPECT_TRUE(res::HasString(9287));
}

TEST_F(LanguageTest, EnvironmentPicksTheFirstNonEmptyVariable) {
    struct Case {
        const char* all;
        const char* messages;
        const char* lang;
        Language expected;
    };
    const Case cases[] = {
        {"ru_RU.UTF-8", "en_US.UTF-8", "en_US.UTF-8", Language::Russian},
        {"", "ru_RU.KOI8-R", "en_GB", Language::Russian},
        {nullptr, nullptr, "RU", Language::Russian},
        {"en_US.UTF-8", "ru_RU.UTF-8", "ru_RU.UTF-8", Language::English},
        {nullptr, nullptr, nullptr, Language::English},
        {nullptr, nullptr, "r", Language::English},
        {nullptr, nullptr, "de_DE", Language::English},
    };
    testing_support::ScopedEnv env;
    for (const auto& c : cases) {
        env.Set("LC_ALL", c.all);
        env.Set("LC_MESSAGES", c.messages);
        env.Set("LANG", c.lang);
        res::SetLanguage(c.expected == Language::Russian ? Language::English : Language::Russian);
        res::SetLanguageFromEnvironment();
        EXPECT_EQ(res::CurrentLanguage(), c.expected)
            << (c.all ? c.all : "-") << " / " << (c.messages ? c.messages : "-") << " / "
            << (c.lang ? c.lang : "-");
        // Texts without a language follow the current one.
        EXPECT_EQ(res::LoadString(9020), res::LoadString(9020, c.expected));
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
