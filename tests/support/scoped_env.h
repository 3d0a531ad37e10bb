// Sets environment variables for a scope and puts back what was there before.
#pragma once

#include <stdlib.h>

#include <map>
#include <optional>
#include <string>

namespace testing_support {

class ScopedEnv {
  public:
    ScopedEnv() = default;
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        for (const auto& [name, value] : m_saved)
            Apply(name.c_str(), value ? value->c_str() : nullptr);
    }

    // Sets `name` to `value`; a null value removes it.
    void Set(const char* name, const char* value) {
        if (!m_saved.count(name)) {
            const char* old = ::getenv(name);
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        Apply(name, value);
    }

  private:
    static void Apply(const char* name, const char* value) {
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    std::map<std::string, std::optional<std::string>> m_saved;
};

}  // namespace testing_support
