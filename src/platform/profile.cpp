#include "platform/profile.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <toml++/toml.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>

#include "platform/atomic_write.h"
#include "resources/strings.h"
#include "text/utf8.h"

namespace platform {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::filesystem::path HomeFolder() {
    std::string home = Env("HOME");
    if (!home.empty())
        return home;
    // No HOME (a service, a stripped environment): ask the password database.
    std::string buffer(16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr)
        return found->pw_dir;
    return {};
}

// Reads a whole decimal integer, blanks around it allowed.
std::optional<long long> ParseInteger(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::mutex& InstanceMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unique_ptr<Profile>& InstanceSlot() {
    static std::unique_ptr<Profile> instance;
    return instance;
}

}  // namespace

std::filesystem::path Profile::DefaultPath() {
    const std::string explicit_path = Env("TAVRIN_CONFIG");
    if (!explicit_path.empty())
        return explicit_path;
    const std::string xdg = Env("XDG_CONFIG_HOME");
    // The XDG rules ignore a relative folder.
    if (!xdg.empty() && xdg.front() == '/')
        return std::filesystem::path(xdg) / "tavrin" / "settings.toml";
    const std::filesystem::path home = HomeFolder();
    if (!home.empty())
        return home / ".config" / "tavrin" / "settings.toml";
    return std::filesystem::path(".config") / "tavrin" / "settings.toml";
}

Profile& Profile::Instance() {
    std::lock_guard lock(InstanceMutex());
    auto& slot = InstanceSlot();
    if (!slot)
        slot = std::make_unique<Profile>(DefaultPath());
    return *slot;
}

void Profile::UseFile(const std::filesystem::path& path) {
    std::lock_guard lock(InstanceMutex());
    auto& slot = InstanceSlot();
    // The store object stays the same, so references taken from Instance() remain valid.
    if (!slot) {
        slot = std::make_unique<Profile>(path);
    } else {
        slot->m_path = path;
        slot->Reload();
    }
}

Profile::Profile(std::filesystem::path path) : m_path(std::move(path)) {
    Reload();
}

int Profile::GetInt(const std::string& section, const std::string& key, int def) const {
    const auto sec = m_sections.find(section);
    if (sec == m_sections.end())
        return def;
    const auto it = sec->second.find(key);
    if (it == sec->second.end())
        return def;
    std::optional<long long> value;
    if (const auto* number = std::get_if<long long>(&it->second))
        value = *number;
    else
        value = ParseInteger(std::get<std::string>(it->second));
    if (!value || *value < INT_MIN || *value > INT_MAX)
        return def;
    return static_cast<int>(*value);
}

std::string Profile::GetString(const std::string& section, const std::string& key,
                               const std::string& def) const {
    const auto sec = m_sections.find(section);
    if (sec == m_sections.end())
        return def;
    const auto it = sec->second.find(key);
    if (it == sec->second.end())
        return def;
    if (const auto* text = std::get_if<std::string>(&it->second))
        return *text;
    return std::to_string(std::get<long long>(it->second));
}

bool Profile::Has(const std::string& section, const std::string& key) const {
    const auto sec = m_sections.find(section);
    return sec != m_sections.end() && sec->second.count(key) != 0;
}

bool Profile::WriteInt(const std::string& section, const std::string& key, int value) {
    m_sections[section][key] = static_cast<long long>(value);
    if (!text::IsUtf8(section) || !text::IsUtf8(key))
        return NotSaved(section, key);
    return Save();
}

bool Profile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    m_sections[section][key] = value;
    if (!text::IsUtf8(section) || !text::IsUtf8(key) || !text::IsUtf8(value))
        return NotSaved(section, key);
    return Save();
}

bool Profile::NotSaved(const std::string& section, const std::string& key) {
    // Kept for this run; the settings file would not read back with it.
    m_error = "The setting \"" + key + "\" of \"" + section +
              "\" is not UTF-8 text and is not saved to " + m_path.string();
    return false;
}

void Profile::Reload() {
    m_sections.clear();
    m_error.clear();
    m_problem.clear();
    m_movedAside.clear();
    m_setAside = false;
    m_dirty = false;

    std::error_code ec;
    const auto status = std::filesystem::status(m_path, ec);
    if (!std::filesystem::exists(status))
        return;  // no file yet: defaults, no complaint
    if (std::filesystem::is_directory(status)) {
        m_problem = "it is a folder";
        m_error = "Cannot read the settings " + m_path.string() + ": " + m_problem;
        return;
    }
    // From here on the file is there but may not be usable.
    m_setAside = true;
    std::ifstream in(m_path, std::ios::binary);
    if (!in) {
        m_problem = std::strerror(errno);
        m_error = "Cannot read the settings " + m_path.string() + ": " + m_problem;
        return;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        m_problem = "read error";
        m_error = "Cannot read the settings " + m_path.string();
        return;
    }
    const std::string text = buffer.str();

    toml::table doc;
    try {
        doc = toml::parse(text, m_path.string());
    } catch (const toml::parse_error& err) {
        std::ostringstream why;
        why << "line " << err.source().begin.line << ", column " << err.source().begin.column
            << ": " << err.description();
        m_problem = why.str();
    } catch (const std::exception& err) {
        m_problem = err.what();
    }
    if (!m_problem.empty()) {
        // Moved aside at once, so every later run starts clean and this text stays as it was.
        m_error = "The settings file " + m_path.string() + " is broken (" + m_problem + ")";
        if (MoveAside())
            m_error += "; it was moved to " + m_movedAside.string();
        m_error += ". Default settings are used.";
        return;
    }

    // A section is a top-level table. Nested tables ([ImportSettings.LEICA] written by hand)
    // are read as the section joined with a backslash, the way the names are built. Values
    // outside any table live in the section with the empty name.
    auto load = [this](const auto& self, const toml::table& table,
                       const std::string& name) -> void {
        auto& section = m_sections[name];
        for (const auto& [k, node] : table) {
            const std::string key(k.str());
            if (const auto* sub = node.as_table()) {
                self(self, *sub, name.empty() ? key : name + "\\" + key);
            } else if (const auto* i = node.as_integer()) {
                section[key] = i->get();
            } else if (const auto* s = node.as_string()) {
                section[key] = s->get();
            } else if (const auto* b = node.as_boolean()) {
                section[key] = static_cast<long long>(b->get() ? 1 : 0);
            } else {
                // Floats, dates, arrays: kept as their text so nothing is dropped on saving.
                std::ostringstream os;
                os << toml::toml_formatter(node);
                section[key] = os.str();
            }
        }
        if (section.empty())
            m_sections.erase(name);
    };
    load(load, doc, std::string());
    m_setAside = false;
}

bool Profile::MoveAside() {
    for (int n = 1; n < 1000; ++n) {
        std::filesystem::path aside = m_path;
        aside += n == 1 ? std::string(".broken") : ".broken." + std::to_string(n);
        // Never over an earlier copy: a second breakage must not lose the first one.
        if (::renameat2(AT_FDCWD, m_path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) {
            m_movedAside = aside;
            m_setAside = false;
            return true;
        }
        if (errno == EEXIST)
            continue;
        if (errno != EINVAL && errno != ENOSYS) {
            m_error = res::Format(res::LoadString(9529), {m_path.string(), std::strerror(errno)});
            return false;
        }
        // A file system without the no-replace rename: look first.
        std::error_code ec;
        if (std::filesystem::exists(aside, ec))
            continue;
        std::filesystem::rename(m_path, aside, ec);
        if (!ec) {
            m_movedAside = aside;
            m_setAside = false;
            return true;
        }
        m_error = "Cannot move the unreadable settings file " + m_path.string() +
                  " aside: " + ec.message();
        return false;
    }
    return false;
}

bool Profile::Flush() {
    return !m_dirty || SaveNow();
}

bool Profile::Save() {
    if (m_volatile)
        return true;
    m_dirty = true;
    return m_deferred || SaveNow();
}

bool Profile::SaveNow() {
    // Values that are not UTF-8 stay in memory for this run only: the file must read back.
    toml::table doc;
    for (const auto& [name, values] : m_sections) {
        if (!text::IsUtf8(name))
            continue;
        // The unnamed section holds the values outside any table.
        toml::table* section = &doc;
        if (!name.empty())
            section = doc.insert(name, toml::table{}).first->second.as_table();
        if (section == nullptr)
            continue;  // a top-level value of the same name was there first
        for (const auto& [key, value] : values) {
            if (!text::IsUtf8(key))
                continue;
            if (const auto* number = std::get_if<long long>(&value))
                section->insert(key, *number);
            else if (const auto& text = std::get<std::string>(value); text::IsUtf8(text))
                section->insert(key, text);
        }
    }
    std::ostringstream formatted;
    // Basic strings only, escapes rather than raw tabs and line ends: one line per value.
    formatted << toml::toml_formatter(doc, toml::format_flags::allow_unicode_strings);
    const std::string out = formatted.str() + "\n";

    std::error_code ec;
    if (m_path.has_parent_path()) {
        std::filesystem::create_directories(m_path.parent_path(), ec);
        if (ec) {
            m_error = "Cannot create the folder " + m_path.parent_path().string() +
                      " for the settings: " + ec.message();
            return false;
        }
    }
    if (m_setAside) {
        std::error_code gone;
        if (!MoveAside() && std::filesystem::exists(m_path, gone))
            return false;
        m_error = "The settings file " + m_path.string() + " could not be read; it was kept as " +
                  m_movedAside.string();
    }
    std::string why;
    if (!AtomicWrite(m_path, out, why)) {
        m_error = "Cannot save the settings: " + why;
        return false;
    }
    m_dirty = false;
    return true;
}

}  // namespace platform
