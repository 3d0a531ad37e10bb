// Word cutting and column helpers shared by the readers. Positions are 1-based, as the
// instrument manuals count columns.
#pragma once

#include <string>
#include <string_view>

#include "text/letter_case.h"
#include "text/trim.h"

namespace readers {

// What happens to separators that follow the one that ended the word.
enum class SeparatorRun {
    Collapse,  // a run of separators counts as one
    Single,    // only the first is removed, so two in a row give an empty word next time
};

// Whether a cut word loses its blanks at both ends.
enum class WordBlanks { Trim, Keep };

// The cutters take words off the front of `rest`, a view into a line that the reader keeps
// alive; the words are views into the same text, so cutting a line allocates nothing.

// Cuts the word before the first `sep` (the separator goes too); with no separator the whole
// rest is the word. The word comes back trimmed of blanks unless asked to keep them.
std::string_view CutWord(std::string_view& rest, char sep,
                         SeparatorRun run = SeparatorRun::Collapse,
                         WordBlanks blanks = WordBlanks::Trim);
// Cuts the first `length` characters (fewer when shorter; none for a negative length); no trim.
std::string_view CutWord(std::string_view& rest, long length);
// Cuts the text before the first `sep` and leaves the separator at the front of `rest`; with no
// separator nothing is cut and the word is empty. No trim.
std::string_view CutUpTo(std::string_view& rest, char sep);
// The substring of `count` characters from `start`; clipped at the end, empty beyond it.
std::string Copy(std::string_view text, long start, long count);
// Inserts `ch` so that it becomes the character at `position`.
void StrInsert(std::string& text, char ch, long position);
// Deletes `count` characters from `position`.
void StrDelete(std::string& text, long position, long count);
// Degrees and the packed minutes, seconds and tenths (MMSSt) as "DDD.MM.SS.t".
std::string DottedDms(std::string_view degrees, std::string_view packed);
// Blanks (space, tab) removed at both ends.
using text::Trim;
using text::TrimView;
// The C atoi rule: leading blanks, an optional sign, digits; 0 when there are none.
long AtoI(std::string_view text);
// ASCII upper case.
using text::Upper;

}  // namespace readers
