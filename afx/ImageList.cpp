// CImageList: move-only owner of a common-controls image list.
#include "afx/ImageList.h"

#include <utility>

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList::CImageList(CImageList&& other) noexcept : m_hImageList(std::exchange(other.m_hImageList, nullptr))
{
}

CImageList& CImageList::operator=(CImageList&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    Attach(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
    return m_hImageList != nullptr;
}

int CImageList::Add(HICON hIcon)
{
    if (m_hImageList == nullptr || hIcon == nullptr)
        return -1;
    return ::ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    if (m_hImageList == nullptr || hIcon == nullptr)
        return -1;
    return ::ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    if (m_hImageList == nullptr)
        return CLR_NONE;
    return ::ImageList_SetBkColor(m_hImageList, cr);
}

int CImageList::GetImageCount() const
{
    return m_hImageList != nullptr ? ::ImageList_GetImageCount(m_hImageList) : 0;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ::ImageList_Destroy(std::exchange(m_hImageList, nullptr));
}

void CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == m_hImageList)
        return;
    DeleteImageList();
    m_hImageList = hImageList;
}

HIMAGELIST CImageList::Detach()
{
    return std::exchange(m_hImageList, nullptr);
}
