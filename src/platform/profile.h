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
    // Each write is saved at once (temporary file, then rename). False when it cannot be saved;
    // the value is still kept for this run. A file that could not be read is first renamed to
    // "<name>.broken" so that nothing of it is lost.
    bool WriteInt(const std::string& section, const std::string& key, int value);
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Reloads from the file. A missing file gives empty settings; an unreadable or broken one
    // too, with the reason in error().
    void Reload();
    const std::filesystem::path& path() const { return m_path; }
    const std::string& error() const { return m_error; }
    // While volatile, writes change the values of this run only and the file stays as it is
    // (settings given on the command line for one run).
    void SetVolatile(bool on) { m_volatile = on; }

private:
    bool m_volatile = false;
    using Value = std::variant<long long, std::string>;
    std::filesystem::path m_path;
    std::map<std::string, std::map<std::string, Value>> m_sections;
    std::string m_error;
    // The file exists but could not be read: it is moved aside before the first save, so the
    // user's text is not overwritten.
    bool m_setAside = false;
    bool Save();
    bool NotSaved(const std::string& section, const std::string& key);
};

}  // namespace platform
