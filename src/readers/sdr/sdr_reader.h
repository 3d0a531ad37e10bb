// Sokkia SDR33 field books: one record a line, a two-digit type and fields at fixed columns whose
// widths the header and job records set (4/10 characters narrow, 16 wide).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "readers/importer_base.h"

class CImpSDR : public CWImport {
  public:
    CImpSDR(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info);
    ~CImpSDR() override;

    int ReadEvents() override;
    int GetLinear(const char* text, zut::CLinear* value) override;
    int GetAngular(const char* text, zut::CAngular* value) override;
    int GetPressure(const char* text, double* value) override;
    int GetTemperature(const char* text, double* value) override;

  private:
    enum Option : uint16_t {
        kWide = 0x01,      // 16-character identifiers and numbers
        kEastFirst = 0x02  // coordinates come easting first
    };

    int GetIDLen() const { return (m_nOptions & kWide) ? 16 : 4; }
    int GetNumLen() const { return (m_nOptions & kWide) ? 16 : 10; }
    bool AxesOrnEN() const { return (m_nOptions & kEastFirst) != 0; }

    // Up to `len` characters from 1-based column `pos` of the record, empty beyond its end.
    std::string GetWord(int pos, int len) const;
    // The character at 1-based column `pos`, '\0' beyond the end.
    char Column(int pos) const;
    // The next `len` characters of the record, taken off its front.
    std::string_view CutWord(int len);
    bool ReadLong(int pos, int len, long& out);
    int Put(EventID id, std::string_view value);

    void SetHead();
    void PushInstr();
    void PushStation();
    void PushHv();
    void SetAtmos();
    void PushBkb();
    void PushPoint();
    void PushTarget();
    void SetJob();
    void PushBLink();
    void PushPass();
    // Identifier, classes of a known point and the coordinates of a station or point record.
    bool PushPlace(EventID id, bool station);

    std::string m_Record;     // the record as read, line end and outer blanks removed
    std::string_view m_Line;  // the part of it not yet cut into fields
    uint16_t m_nOptions = 0;
    std::string m_StationName;  // of the last station record; observations must repeat it
};
