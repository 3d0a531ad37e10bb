// Pentax data files: point lists (colon-prefixed or comma-separated) and keyword measurement
// records ("STS:", "RTH:", ...). Each file is typed by its extension or its first line.
#pragma once

#include <string>
#include <string_view>

#include "readers/importer_base.h"

class CImpPENTAX : public CWImport {
  public:
    CImpPENTAX(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);
    ~CImpPENTAX() override;

    void DoImport() override;
    int ReadEvents() override;
    int Open(const std::string& path) override;
    int GetLinear(const char* text, zut::CLinear* value) override;
    int GetAngular(const char* text, zut::CAngular* value) override;
    int GetPressure(const char* text, double* value) override;
    int GetTemperature(const char* text, double* value) override;

    // Pushes a non-empty value and reports the line to the dialog.
    int PushM(EventID id, std::string_view text);

  private:
    // The kinds of file the reader tells apart.
    enum FileType : int {
        kPointsColon = 0,   // "00011:" header, "00021:" point lines
        kPointsCsv = 1,     // name,x,y,h,code,
        kKeywordEnq = 2,    // "0000ENQ:": keywords after a four-character prefix
        kKeywordPlain = 3,  // "ENQ:": keywords at the start of the line
        kKeywordAux = 4,    // ".aux" or "0001STL:": as kKeywordEnq
    };

    // Types the file; false when its first line fits no known kind (the file is then skipped).
    bool SetFileType(const std::string& path, const std::string& extension);
    void ReadDataP();
    void ReadDataI();
    void PushPoint();
    std::string_view GetCode();
    // Degrees-minutes-seconds D.MMSSs as the values library reads them: D.MM.SS.s.
    std::string GetAngleString(std::string_view source) const;
    // Reads the next line piece: the one read ahead, else one from the file.
    bool NextLine(std::string& line);
    bool HasPrefix() const { return m_nFileType == kKeywordEnq || m_nFileType == kKeywordAux; }

    std::string m_Text;       // the current line
    std::string_view m_Line;  // its rest, trimmed; the record readers cut it from the front
    std::string m_Next;       // the line after it, read ahead
    bool m_bHaveNext = false;
    int m_nFileType = kPointsColon;
    int m_nFileAccepted = 0;
    int m_nLineAccepted = 0;  // result of the last push of the line
};
