// The base of the instrument writers: picks the points, writes the file and reports the points
// that cannot be written. Each writer sets its number formats and widths and forms its records.
#pragma once

#include <string>
#include <string_view>

#include "import/contracts/vrk.h"
#include "platform/text_file.h"

// Which characters a writer's name rule admits (Cyrillic: the letters of Windows-1251, bytes
// 0xC0 to 0xFF).
enum class NameChars {
    Digits,
    LatinDigits,
    LatinDigitsPlusMinus,
    LatinDigitsCyrillic,
    LatinDigitsDashUnderCyrillic
};
enum class NameAlign { None, Left, Right };

class CExportDev {
  public:
    CExportDev() = default;
    virtual ~CExportDev() = default;
    CExportDev(const CExportDev&) = default;
    CExportDev& operator=(const CExportDev&) = default;

    // The whole run: asks what to export, writes the file, logs the points left out. False when
    // the user cancels, when the file cannot be written or when ExportFirst refuses; true
    // otherwise, even when no point could be written (then no file is left at `path`).
    virtual bool DoExport(vrk::CVrkObject* project, const std::string& path);
    virtual int WriteToLog(vrk::CVrkObject* project, const std::string& text, int level);
    // Checks the project's settings and writes a header; false refuses the export.
    virtual bool ExportFirst(platform::TextFile& file, vrk::CVrkObject& project);
    // Writes the point's record; false when the point cannot be written (see the two flags).
    // `name` is in the instrument code page.
    virtual bool ExportPoint(platform::TextFile& file, const vrk::CVrkPoint& point,
                             const std::string& name);
    virtual std::string FormXStroka(const vrk::CVrkPoint& point);
    virtual std::string FormYStroka(const vrk::CVrkPoint& point);
    virtual std::string FormHStroka(const vrk::CVrkPoint& point);
    virtual std::string FormNameStroka(const std::string& name);
    virtual std::string FormExpStroka(const vrk::CVrkPoint& point, const std::string& name);

    int ExportedCount() const { return m_nExported; }
    // Why the last DoExport could not write its file; empty otherwise.
    const std::string& LastError() const { return m_LastError; }
    bool CoordTooLong() const { return m_bCoordTooLong; }
    bool NameInvalid() const { return m_bNameInvalid; }

  protected:
    // The name rules of all writers: the name must be made of `chars` and be 1 to `longest`
    // characters long (0 to `longest` when `allow_empty`); it is then aligned in a field of
    // `field` characters filled with `fill`. Any other name sets the name-invalid flag and gives
    // an empty text.
    std::string FitName(std::string_view name, NameChars chars, size_t longest, NameAlign align,
                        size_t field, char fill, bool allow_empty = false);
    // X, Y and H texts written in metres whatever the current distance unit; an empty text
    // (no value) becomes blanks of its field width.
    struct Coords {
        std::string x, y, h;
    };
    Coords FormCoordsInMetres(const vrk::CVrkPoint& point);
    // The checks some writers share. The first shows 9074 (the project's presentation of
    // eastings does not suit the format) and returns false; the second asks 9084 (lengths are
    // written in metres only) unless the distance unit is metres, true to go on.
    static bool RefuseForEastingStyle();
    static bool AskMetresOnly();
    // Writes text through the file; a failure is remembered and ends the run.
    bool Put(platform::TextFile& file, std::string_view text);

    std::string m_NameFormat;
    std::string m_XFormat, m_YFormat, m_HFormat;
    int m_nExported = 0;
    int m_nPrecision = -1;  // -1: the decimals of the coordinate presentation
    int m_nXWidth = 100, m_nYWidth = 100, m_nHWidth = 100;
    int m_nNameWidth = 100;
    bool m_bCoordTooLong = false;
    bool m_bNameInvalid = false;

  private:
    std::string FormCoord(const zut::CLinear& value, const std::string& format, int width);
    bool ExportList(platform::TextFile& file, vrk::CVrkObject& project, const vrk::CPointList& list,
                    bool selected_only);
    bool m_bWriteFailed = false;
    std::string m_LastError;
};
