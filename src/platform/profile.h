// The settings store: one TOML file, sections as tables named as in the settings of the
// dialogs ("ImportSettings", "ImportSettings\\LEICA", "Company\\Paths").
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace platform {

class Profile {
  public:
    // The file from TAVRIN_CONFIG, else $XDG_CONFIG_HOME/tavrin/settings.toml, else
    // ~/.config/tavrin/settings.toml.
    static std::filesystem::path DefaultPath();
    // The process-wide store (loaded from DefaultPath() at first use).
    static Profile& Instance();
    // Replaces the process-wide store's file (tests, the command line); reloads.
    static void UseFile(const std::filesystem::path& path);

    explicit Profile(std::filesystem::path path);

    int GetInt(const std::string& section, const std::string& key, int def) const;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) const;
    bool Has(const std::string& section, const std::string& key) const;
    // Each write is saved at once (temporary file, then rename), or at Flush when deferred. False
    // when it cannot be saved; the value is still kept for this run. A file that could not be
    // read is first moved aside (see moved_aside) so that nothing of it is lost.
    bool WriteInt(const std::string& section, const std::string& key, int value);
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Reloads from the file. A missing file gives empty settings; an unreadable or broken one
    // too, with the reason in error(). A broken file is moved aside at once.
    void Reload();
    const std::filesystem::path& path() const { return m_path; }
    const std::string& error() const { return m_error; }
    // Why the file could not be used ("line 2, column 5: ..."); empty when it could.
    const std::string& problem() const { return m_problem; }
    // Where the unusable file was moved: "<name>.broken", or "<name>.broken.N" when earlier
    // copies are there (they are never replaced); empty when it was not moved.
    const std::filesystem::path& moved_aside() const { return m_movedAside; }
    // While deferred, writes change the values at once and the file is saved by Flush only, so
    // that one command saves the file once however many values it changes.
    void SetDeferred(bool on) { m_deferred = on; }
    // Saves what changed since the last save; true when that worked or nothing changed.
    bool Flush();
    // While volatile, writes change the values of this run only and the file stays as it is
    // (settings given on the command line for one run).
    void SetVolatile(bool on) { m_volatile = on; }

  private:
    bool m_volatile = false;
    bool m_deferred = false;
    bool m_dirty = false;
    using Value = std::variant<long long, std::string>;
    std::filesystem::path m_path;
    std::map<std::string, std::map<std::string, Value>> m_sections;
    std::string m_error, m_problem;
    std::filesystem::path m_movedAside;
    // The file exists but could not be read: it is moved aside before the first save, so the
    // user's text is not overwritten.
    bool m_setAside = false;
    bool Save();
    bool SaveNow();
    bool MoveAside();
    bool NotSaved(const std::string& section, const std::string& key);
};

}  // namespace platform
