#pragma once

#include <glib-object.h>

#include <utility>

namespace quil {

// Owns one reference to a GObject and drops it when it goes.
template <typename T> class GObjectRef
{
public:
    GObjectRef() = default;
    // Takes over a reference the caller owns (a GIO call's "transfer full").
    explicit GObjectRef(T *owned) : m_object(owned) {}
    GObjectRef(const GObjectRef &other) : m_object(other.m_object)
    {
        if (m_object)
            g_object_ref(m_object);
    }
    GObjectRef(GObjectRef &&other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    GObjectRef &operator=(GObjectRef other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~GObjectRef()
    {
        if (m_object)
            g_object_unref(m_object);
    }

    T *get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T *m_object = nullptr;
};

} // namespace quil
