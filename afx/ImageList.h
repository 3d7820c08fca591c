// CImageList: move-only owner of a common-controls image list.
#pragma once

#include "afx/AfxSetup.h"

#include <commctrl.h>

class CImageList
{
public:
    CImageList() = default;
    ~CImageList();
    CImageList(CImageList&& other) noexcept;
    CImageList& operator=(CImageList&& other) noexcept;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Replaces any list held before. nFlags are the ILC_ flags.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // Index of the new image, or -1.
    int Add(HICON hIcon);
    // nImage -1 appends; returns the image's index or -1.
    int Replace(int nImage, HICON hIcon);
    COLORREF SetBkColor(COLORREF cr);
    int GetImageCount() const;
    BOOL DeleteImageList();

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    // Takes ownership, destroying whatever was held before.
    void Attach(HIMAGELIST hImageList);
    // Gives up ownership; the caller must destroy the list.
    HIMAGELIST Detach();

private:
    HIMAGELIST m_hImageList = nullptr;
};
