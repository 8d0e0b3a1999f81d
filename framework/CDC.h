#pragma once
#include <windows.h>
#include <utility>

// A device context, owned (deleted with DeleteDC) or borrowed. Derived
// classes own DCs that are released rather than deleted.
class CDC {
public:
    CDC() = default;
    // Borrows dc: it is not deleted with this object.
    explicit CDC(HDC dc) : m_hDC(dc) {}
    CDC(CDC&& other) noexcept : m_hDC(std::exchange(other.m_hDC, nullptr)), m_owned(other.m_owned) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() { DeleteDC(); }

    HDC m_hDC = nullptr;
    operator HDC() const { return m_hDC; }

    BOOL CreateCompatibleDC(HDC dc) { return Own(::CreateCompatibleDC(dc)); }
    BOOL CreateIC(const char* driver) { return Own(::CreateICA(driver, nullptr, nullptr, nullptr)); }
    BOOL DeleteDC()
    {
        HDC dc = Detach();
        return dc && m_owned ? ::DeleteDC(dc) : FALSE;
    }
    HDC Detach() { return std::exchange(m_hDC, nullptr); }

private:
    BOOL Own(HDC dc)
    {
        DeleteDC();
        m_hDC = dc;
        m_owned = true;
        return dc != nullptr;
    }
    bool m_owned = false;
};
