// The bilingual string table: every message id of the system in English and Russian.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace res {

enum class Language { English, Russian };

// Message ids of this system's own (the instruments' table ends below them).
enum OwnMessage : unsigned {
    kLongLineMessage = 9501,        // a line longer than the read limit
    kNoReaderMessage = 9502,        // a format without a reader in this build
    kLongNameMessage = 9503,        // a point name cut to the longest name a file may hold
    kNamelessRecordMessage = 9650,  // a record without a point name, left out
    kAngleUnitHintMessage = 9651,   // a file without an angle unit whose angles fit another one
    kNoNamesMessage = 9652,         // no record of a file yields a name with the column settings
    kSummaryFilesMessage = 9653,    // the summary of an import, line by line
    kSummaryStations = 9654,
    kSummaryObservations = 9655,
    kSummaryControl = 9656,
    kSummarySurvey = 9657,
    kSummaryProtocol = 9658,
    kSummaryNameless = 9659,
    kSummaryWritten = 9660,
    kSummaryNothing = 9661,
    kBadEncodingMessage = 9662,   // --encoding with a name it does not know
    kGuessMessage = 9663,         // column settings proposed for a file
    kGuessFailedMessage = 9664,   // no column settings give every record a name
    kGuessNeedsFile = 9665,       // --guess for a format without columns
    kProtocolErrorPrefix = 9666,  // in front of protocol entries that are errors
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
// Part `index` of a text whose parts are apart by "|" (menu captions, lists of words); empty
// when the text has fewer parts.
std::string LoadPart(unsigned id, size_t index);
bool HasString(unsigned id);

// printf-style formatting of a table text with string arguments: %s, %d, %i, %u (with h, l, ll)
// each take the next argument as text, with simple flags, width and precision; "%%" is "%";
// "%\ns" (percent, line feed, s) gives a line feed and the next argument. Other "%" sequences
// stay as they are; a missing argument is empty text. Never reads past the arguments given.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);
std::string Format(std::string_view pattern, std::span<const std::string_view> args);

}  // namespace res
