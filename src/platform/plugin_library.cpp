#include "platform/plugin_library.h"

#include <dlfcn.h>

#include <utility>

namespace platform {

PluginLibrary::PluginLibrary(const std::filesystem::path& path) : m_path(path) {
    // Local binding keeps one plug-in's symbols from resolving another's.
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char* reason = ::dlerror();
        m_error = reason ? reason : "cannot load " + path.string();
    }
}

PluginLibrary::~PluginLibrary() {
    Close();
}

PluginLibrary::PluginLibrary(PluginLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)),
      m_path(std::move(other.m_path)),
      m_error(std::move(other.m_error)),
      m_keep(other.m_keep) {}

PluginLibrary& PluginLibrary::operator=(PluginLibrary&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_path = std::move(other.m_path);
        m_error = std::move(other.m_error);
        m_keep = other.m_keep;
    }
    return *this;
}

void PluginLibrary::Close() {
    if (m_handle && !m_keep)
        ::dlclose(m_handle);
    m_handle = nullptr;
}

void* PluginLibrary::Symbol(const char* name) const {
    if (!m_handle || !name)
        return nullptr;
    ::dlerror();
    return ::dlsym(m_handle, name);
}

}  // namespace platform
