// The bilingual string table: every message id of the system in English and Russian.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace res {

enum class Language { English, Russian };

// Message ids of this system's own (the instruments' table ends below them).
enum OwnMessage : unsigned {
    kLongLineMessage = 9501,  // a line longer than the read limit
    kNoReaderMessage = 9502,  // a format without a reader in this build
    kLongNameMessage = 9503,  // a point name cut to the longest name a file may hold
};

// The language of the messages: from --lang, else LC_ALL / LC_MESSAGES / LANG ("ru*" is Russian).
Language CurrentLanguage();
void SetLanguage(Language lang);
// Picks the language from the environment (called once by the front end).
void SetLanguageFromEnvironment();
// "en"/"ru" (any case, also "ru_RU.UTF-8"); false for anything else.
bool ParseLanguage(std::string_view text, Language& lang);

// The text of an id in the current language (UTF-8). Where a language has no text of its own the
// other one is used; an unknown id gives an empty text.
std::string LoadString(unsigned id);
std::string LoadString(unsigned id, Language lang);
bool HasString(unsigned id);

// printf-style formatting of a table text with string arguments: %s, %d, %i, %u (with h, l, ll)
// each take the next argument as text, with simple flags, width and precision; "%%" is "%";
// "%\ns" (percent, line feed, s) gives a line feed and the next argument. Other "%" sequences
// stay as they are; a missing argument is empty text. Never reads past the arguments given.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace res
