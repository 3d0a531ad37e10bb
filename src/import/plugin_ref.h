// Counted references to plug-in objects: AddRef and Release wrapped in a handle, so every
// reference taken is given back exactly once.
#pragma once

#include <memory>
#include <utility>

#include "tavrin/import_plugin.h"

template <class T>
class PluginRef {
  public:
    PluginRef() = default;
    // Takes over a reference that the caller already holds (CreateInstance, QueryInterface).
    static PluginRef Adopt(T* object) {
        PluginRef ref;
        ref.m_object = object;
        return ref;
    }
    ~PluginRef() { Reset(); }
    PluginRef(const PluginRef& other) : m_object(other.m_object) {
        if (m_object)
            m_object->AddRef();
    }
    PluginRef(PluginRef&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    PluginRef& operator=(PluginRef other) noexcept {
        std::swap(m_object, other.m_object);
        return *this;
    }

    void Reset() {
        if (m_object)
            std::exchange(m_object, nullptr)->Release();
    }
    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    // The interface `iid` of this object as type U, or an empty reference.
    template <class U>
    PluginRef<U> Query(const tavrin::Guid& iid) const {
        void* out = nullptr;
        if (!m_object)
            return {};
        if (!m_object->QueryInterface(iid, &out) || !out)
            return {};
        return PluginRef<U>::Adopt(static_cast<U*>(out));
    }

    // Shared ownership of this reference: the last owner releases it.
    std::shared_ptr<T> Share() && {
        T* object = std::exchange(m_object, nullptr);
        if (!object)
            return nullptr;
        return std::shared_ptr<T>(object, [](T* o) { o->Release(); });
    }

  private:
    T* m_object = nullptr;
};
