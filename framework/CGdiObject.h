#pragma once
#include <windows.h>
#include <utility>

// Owner of one GDI object: deletes it on destruction. Move-only.
template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    CGdiObject(CGdiObject&& other) noexcept : m_handle(other.Detach()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        Attach(other.Detach());
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() { DeleteObject(); }

    Handle GetSafeHandle() const { return m_handle; }
    operator Handle() const { return m_handle; }

    // Takes ownership of handle, deleting the object held before.
    BOOL Attach(Handle handle)
    {
        DeleteObject();
        m_handle = handle;
        return handle != nullptr;
    }
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    BOOL DeleteObject()
    {
        if (!m_handle)
            return FALSE;
        return ::DeleteObject(Detach());
    }

protected:
    Handle m_handle = nullptr;
};
