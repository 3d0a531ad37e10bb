// Control-point exchange files: fixed-column point lists between "BEGIN POINTS" and
// "END POINTS", each point optionally named under a parent point.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "readers/importer_base.h"

class CImpCDX : public CWImport {
  public:
    // Called with a percentage and the project's document; may be empty.
    using ProgressCallback = std::function<void(int percent, vrk::CDocument* document)>;

    CImpCDX(vrk::CVrkObject* project, ProgressCallback progress, vrk::CImportInfo* info);
    ~CImpCDX() override;

    // Imports one file through the engine: both passes. 1 when the file could be read.
    int ImportFile(const std::string& path);

    int ReadEvents() override;
    int Open(const std::string& path) override;
    // Coordinates; in a projected coordinate system they are read with range extension.
    int GetLinear(const char* text, zut::CLinear* value) override;
    int GetAngular(const char* text, zut::CAngular* value) override;

    // Longest parent path a name gets; farther ancestors are left out.
    static constexpr size_t kMaxParentPath = 1023;

  private:
    struct CPInfo {
        long index = -1;
        long parent = -1;
        std::string name;
        std::string x, y, h;
        bool plan = false;    // "/H": known plan position
        bool height = false;  // "/V": known height
        bool survey = false;  // "/S": a survey point
        long line = 0;
    };

    // Reads a long integer from columns [first, first + width) of the line; 0 for an empty or
    // unreadable field (the latter with a message).
    int ReadLong(long first, long width, long& value);
    void ReadPoint();
    // Pushes the collected points with their parent paths and forgets them.
    void CompleteImport();
    // The parent path of every collected point, in file order.
    std::vector<std::string> ParentPaths();
    void Progress(int percent);

    ProgressCallback m_Progress;
    std::string m_Line;
    bool m_bInSection = false;
    std::vector<CPInfo> m_Points;
};
