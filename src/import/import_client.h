// The import run of a plug-in format: the engine of a reader whose reading is done by the
// plug-in, which drives the run and reads lines through the target object.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "readers/importer_base.h"
#include "tavrin/import_plugin.h"

class CImportClient : public CWImport {
  public:
    using ProgressCallback = std::function<void(int, vrk::CDocument*)>;

    // The plug-in's settings record gives the import's code system, relief, flags and
    // separators. A null plug-in throws std::invalid_argument.
    CImportClient(vrk::CVrkObject* project, std::shared_ptr<IRegImportServer> plugin,
                  ProgressCallback progress);
    ~CImportClient() override;

    // Hands the file list to the plug-in; the plug-in's result.
    int Import(const std::string& files);

    int Open(const std::string& path) override;
    void Close() override;
    int ReadEvents() override;
    // Plain decimal numbers taken as they are; a blank text is "not given".
    int GetLinear(const char* text, zut::CLinear* value) override;
    int GetAngular(const char* text, zut::CAngular* value) override;
    int GetPressure(const char* text, double* value) override;
    int GetTemperature(const char* text, double* value) override;
    int GetVapor(const char* text, double* value) override;
    // Through the plug-in.
    int GetDate(const char* text, int64_t* time) override;

    // A plug-in may not start a file while another one is being loaded.
    int LoadFile(const std::string& path) override;
    // The next line of the open file for the plug-in, with progress; false at its end.
    bool ReadLine(std::string& line);

  private:
    class CImportTarget;

    // 1 with the number for a plain decimal, 1 without one for a blank text; 0 (with a
    // protocol message) for anything else.
    int ReadPlain(const char* text, double& number, bool& given);
    template <class Value>
    int ReadPlainValue(const char* text, Value* value);
    int ReadPlainDouble(const char* text, double* value);

    std::shared_ptr<IRegImportServer> m_pPlugin;
    std::unique_ptr<CImportTarget> m_pTarget;
    long long m_nLength = 0;
    ProgressCallback m_Progress;

    bool m_bLoading = false;  // a file is being loaded
    bool m_bActive = false;   // the current ReadEvents call read a line or pushed
    int m_nIdleCalls = 0;
};
