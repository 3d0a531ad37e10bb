// Topcon GTS-6 transmissions: a stream of words separated by "_", each led by a type character;
// "+" words carry a point name and packed fixed-width measurement fields.
#pragma once

#include <string>
#include <string_view>

#include "readers/importer_base.h"

class CImpTDS6 : public CWImport {
  public:
    CImpTDS6(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);
    ~CImpTDS6() override;

    int Open(const std::string& path) override;
    int ReadEvents() override;

  private:
    // Words (tds6_words.cpp).
    bool NextWord(std::string& word);
    static void CheckTopCn6_word(std::string& word);
    static std::string NextPart(std::string_view& src, size_t n);

    // Values (tds6_reader.cpp).
    void SetUnits(std::string_view text);
    std::string SetPointAngle(std::string_view in) const;
    void SetTCode(std::string_view text);
    int PushM(EventID id, std::string_view text);

    // "+" words (tds6_measurement.cpp).
    void DecodeMeasurement(std::string_view rest);
    void DecodeFields(char selector, std::string_view name, std::string_view data);

    std::string m_Chunk;  // bytes read from the file and not yet taken into words
    size_t m_ChunkPos = 0;
    std::string m_Word;  // the word being decoded
    std::string m_Data;  // the word after it, when a "+" word continues there
    // The data ended inside a word, which came out as a word of its own; the next end of the
    // data ends the file.
    int m_bEndOfData = 0;
    bool m_bFinished = false;  // the end of the data was met where a word had to follow
};
