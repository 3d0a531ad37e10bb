// The words of Leica GSI blocks: cutting a block into words, the parts of a word, the value text
// that the values library reads, and the distance unit a file uses when a word does not say.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace readers::gsi {

constexpr int kShortWord = 15;  // 8 data characters
constexpr int kLongWord = 23;   // 16 data characters
constexpr unsigned char kNoDigit = 255;
constexpr unsigned char kNegative = 255;
constexpr unsigned char kPositive = 1;

enum class Cut { Word, Empty, Malformed };

// Takes the next word off the front of `rest`. While a blank follows somewhere, words are `wide`
// characters long (15 or 23) and the character after each goes with it; the last word must be 15
// or 23 long and sets `word_len` to its length. On Malformed `rest` is left as it was.
Cut NextWord(std::string_view& rest, int wide, int& word_len, std::string_view& word);

// Word index of the first two characters. True for two digits forming 1 to 99; otherwise false
// with the value of the leading digits (0 when there are none), which matches no word.
bool WordIndex(std::string_view word, long& index);

struct Word {
    long index = 0;
    std::array<unsigned char, 3> info{};  // positions 4 to 6: the digit character, or kNoDigit
    unsigned char sign = kPositive;       // position 7: kNegative for "-"
    std::string_view data;                // 8 characters; 12 for coordinates of long words
};

enum class Parse { Ok, Short, BadIndex };
// The parts of a word whose length is `word_len`. Blanks around the word count against it, so a
// padded word is Short.
Parse ParseWord(std::string_view word, int word_len, Word& out);

// Words 81 to 86 of 16-digit files keep 12 data characters.
bool IsCoordinateWord(long index, int word_len);

struct Unit {
    bool angle = false;
    int code = 0;  // zut::dist_unit or zut::angle_unit
};
// The value text of a word in the unit its unit code (position 6) names, and that unit.
Unit FormatValue(const Word& word, bool coordinate, std::string& out);

// Data with its leading zeros removed (names and codes).
std::string_view StripZeros(std::string_view data);

// Looks through a file for the distance unit of its distance and height words: '0' or '1', or
// kNoDigit when none says (or the file cannot be read).
unsigned char ScanFileUnit(const std::string& path);

// What the words after a point word make of it: -6 a target, -5 a station, 11 a plain point.
int ClassifyPoint(std::string_view rest, int wide, int word_len);

}  // namespace readers::gsi
