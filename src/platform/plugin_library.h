// A shared library opened at run time (plug-ins): closed again when the handle goes, unless it
// was told to stay loaded.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

class PluginLibrary {
  public:
    PluginLibrary() = default;
    // Opens the library with every symbol bound at once; IsOpen() tells whether it worked and
    // error() why not.
    explicit PluginLibrary(const std::filesystem::path& path);
    ~PluginLibrary();
    PluginLibrary(PluginLibrary&& other) noexcept;
    PluginLibrary& operator=(PluginLibrary&& other) noexcept;
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool IsOpen() const { return m_handle != nullptr; }
    const std::string& error() const { return m_error; }
    const std::filesystem::path& path() const { return m_path; }

    // The address of an exported symbol; null when there is none.
    void* Symbol(const char* name) const;
    // An exported function as a pointer of type F; null when there is none.
    template <class F>
    F FunctionNamed(const char* name) const {
        return reinterpret_cast<F>(Symbol(name));
    }

    // Objects made by the library may outlive every owner we know of: the library is then
    // never closed.
    void KeepLoaded() { m_keep = true; }

  private:
    void Close();

    void* m_handle = nullptr;
    std::filesystem::path m_path;
    std::string m_error;
    bool m_keep = false;
};

}  // namespace platform
