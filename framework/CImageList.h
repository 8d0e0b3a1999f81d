#pragma once
#include <windows.h>
#include <commctrl.h>
#include <utility>

// Owner of an image list: destroyed with the object unless detached.
class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() { DeleteImageList(); }

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        return Attach(::ImageList_Create(cx, cy, flags, initial, grow));
    }
    int AddMasked(HBITMAP bitmap, COLORREF mask) { return ::ImageList_AddMasked(m_hImageList, bitmap, mask); }
    BOOL Attach(HIMAGELIST list)
    {
        DeleteImageList();
        m_hImageList = list;
        return list != nullptr;
    }
    HIMAGELIST Detach() { return std::exchange(m_hImageList, nullptr); }
    BOOL DeleteImageList()
    {
        HIMAGELIST list = Detach();
        return list ? ::ImageList_Destroy(list) : FALSE;
    }

private:
    HIMAGELIST m_hImageList = nullptr;
};
