// Image lists built from the program's icon resources.
#include "app/IconList.h"

#include <new>
#include <vector>

#include "afx/Bitmap.h"
#include "afx/ResourceHandle.h"

namespace
{

// A fully transparent image: black colour bits under a mask of all ones.
bool AddBlankImage(CImageList& list, int size)
{
    const std::vector<DWORD> colour(static_cast<size_t>(size) * size, 0);
    // Monochrome rows are padded to 16 bits.
    const std::vector<BYTE> mask(static_cast<size_t>((size + 15) / 16 * 2) * size, 0xFF);
    CBitmap image;
    CBitmap transparent;
    image.Attach(CreateBitmap(size, size, 1, 32, colour.data()));
    transparent.Attach(CreateBitmap(size, size, 1, 1, mask.data()));
    if (!image.GetSafeHandle() || !transparent.GetSafeHandle())
        return false;
    return ImageList_Add(list.GetSafeHandle(), static_cast<HBITMAP>(image.GetSafeHandle()),
                         static_cast<HBITMAP>(transparent.GetSafeHandle())) >= 0;
}

}  // namespace

std::unique_ptr<CImageList> BuildIconList(int size, const UINT* ids, size_t count)
{
    std::unique_ptr<CImageList> pList(new (std::nothrow) CImageList);
    if (!pList || !pList->Create(size, size, ILC_COLOR32 | ILC_MASK, 10, 10))
        return nullptr;
    pList->SetBkColor(CLR_NONE);
    for (size_t i = 0; i < count; ++i)
    {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEA(ids[i]), RT_GROUP_ICON);
        HICON hIcon = LoadIconA(hInst, MAKEINTRESOURCEA(ids[i]));
        if (!hIcon || pList->Replace(-1, hIcon) < 0)
            AddBlankImage(*pList, size);
    }
    return pList;
}
