// Leica GSI files: blocks of fixed-width words with 8 or 16 data characters, and code blocks
// (word 41 and the words 42 to 49 after it) whose meaning the user sets.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "readers/importer_base.h"
#include "readers/leica/leica_gsi_word.h"

class CImpLEICA : public CWImport {
  public:
    CImpLEICA(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);
    ~CImpLEICA() override;

    void DoImport() override;
    int ReadEvents() override;

  private:
    // Word codes besides the word indices.
    enum : int {
        kStationItem = -1,
        kHiItem = -2,
        kHvItem = -3,
        kCodeItem = -4,
        kStationPoint = -5,
        kTargetPoint = -6,
    };
    // A parameter of a code block: the code in word 41 that announces it and its word (42..49).
    struct BlockItem {
        std::string code;
        long word = 0;
    };

    void TakeSettings();
    bool ReadBlock();
    std::string_view CutWord();
    int ReadWord(std::string_view& word);
    int RecognizePoint();
    bool lc_word(std::string_view word, readers::gsi::Word& out);
    void SetUnits(const readers::gsi::Word& word, std::string& out);
    int Line41Cont(long index);
    void Set_41_Line_Code(std::string_view word);
    void PrepareToPush(std::string_view word, int raw);
    void PushValue(EventID id, std::string_view word, int raw);
    void PushStationOrTarget(EventID id, std::string_view word);
    void PushPoint(std::string_view word);
    void PushHi(std::string_view word);
    void PushHv(std::string_view word, bool replace_info);
    void PushCode(std::string_view word) { PushValue(evCode, word, 1); }
    void PushHeight(EventID id, std::string_view word);
    void PushWord(int code, std::string_view word);
    // Replaces positions 3 to 6 of a word that holds `from` there; the word then lives in
    // m_Patched.
    std::string_view Patch(std::string_view word, std::string_view from, std::string_view to);

    std::string m_Buf;                          // the current block as read
    std::string_view m_Line;                    // the part of it not yet cut into words
    int m_nWide = readers::gsi::kShortWord;     // length of words followed by a blank
    int m_nWordLen = readers::gsi::kShortWord;  // length of the current word
    std::string m_BlockCode = "-1";             // data of the last valid word 41
    readers::gsi::Word m_Word;                  // the word last parsed
    std::array<BlockItem, 4> m_Items;           // station, instrument height, target height, code
    unsigned char m_FileUnit = readers::gsi::kNoDigit;
    std::string m_Value;    // text of the value being pushed
    std::string m_Patched;  // a word with its information block replaced
};
