#include "resources/strings.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "resources/string_table.h"

namespace res {

namespace {

constexpr int kUnset = -1;
// Read from any thread (the serial receiver's worker shows messages too).
std::atomic<int> g_language{kUnset};

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithRu(std::string_view text) {
    return text.size() >= 2 && Lower(text[0]) == 'r' && Lower(text[1]) == 'u';
}

Language FromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return StartsWithRu(value) ? Language::Russian : Language::English;
    }
    return Language::English;
}

const StringEntry* Find(unsigned id) {
    const auto table = StringTable();
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const StringEntry& e, unsigned key) { return e.id < key; });
    return (it != table.end() && it->id == id) ? &*it : nullptr;
}

}  // namespace

Language CurrentLanguage() {
    int lang = g_language.load(std::memory_order_relaxed);
    if (lang == kUnset) {
        lang = static_cast<int>(FromEnvironment());
        int expected = kUnset;
        // Whoever set a language first wins over this late look at the environment.
        if (!g_language.compare_exchange_strong(expected, lang))
            lang = expected;
    }
    return static_cast<Language>(lang);
}

void SetLanguage(Language lang) {
    g_language.store(static_cast<int>(lang));
}

void SetLanguageFromEnvironment() {
    SetLanguage(FromEnvironment());
}

bool ParseLanguage(std::string_view text, Language& lang) {
    // "ru", "EN", "ru_RU.UTF-8", "en-GB", "ru@cyrillic": the two letters before any region,
    // code set or modifier decide.
    const size_t end = text.find_first_of("_.-@");
    const std::string_view code = text.substr(0, end);
    if (code.size() != 2)
        return false;
    const char a = Lower(code[0]);
    const char b = Lower(code[1]);
    if (a == 'r' && b == 'u') {
        lang = Language::Russian;
        return true;
    }
    if (a == 'e' && b == 'n') {
        lang = Language::English;
        return true;
    }
    return false;
}

std::string LoadString(unsigned id) {
    return LoadString(id, CurrentLanguage());
}

std::string LoadPart(unsigned id, size_t index) {
    const std::string text = LoadString(id);
    size_t begin = 0;
    for (; index > 0; --index) {
        begin = text.find('|', begin);
        if (begin == std::string::npos)
            return {};
        ++begin;
    }
    return text.substr(begin, text.find('|', begin) - begin);
}

std::string LoadString(unsigned id, Language lang) {
    const StringEntry* entry = Find(id);
    if (entry == nullptr)
        return {};
    const std::string_view mine = lang == Language::Russian ? entry->ru : entry->en;
    const std::string_view other = lang == Language::Russian ? entry->en : entry->ru;
    return std::string(mine.empty() ? other : mine);
}

bool HasString(unsigned id) {
    return Find(id) != nullptr;
}

}  // namespace res
