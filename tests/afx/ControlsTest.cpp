// Image lists and the list and edit wrappers on real controls: ownership and limits.
#include "afx/Edit.h"
#include "afx/ImageList.h"
#include "afx/ListCtrl.h"
#include "afx/Rect.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{
class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "controls", WS_POPUP, 0, 0, 300, 200,
                                      nullptr, nullptr));
        HICON hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512) /* IDI_APPLICATION */);
        ASSERT_TRUE(m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 7, 1));
        EXPECT_EQ(0, m_images.Add(hIcon));
        EXPECT_EQ(1, m_images.Replace(-1, hIcon));
        EXPECT_EQ(2, m_images.GetImageCount());
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CWnd m_parent;
    CImageList m_images;
};

TEST_F(ControlsTest, AnImageListMovesWithItsHandle)
{
    HIMAGELIST hList = m_images.GetSafeHandle();
    CImageList moved(std::move(m_images));
    EXPECT_EQ(nullptr, m_images.GetSafeHandle());
    EXPECT_EQ(hList, moved.GetSafeHandle());
    EXPECT_EQ(2, moved.GetImageCount());
    m_images = std::move(moved);
    EXPECT_EQ(hList, m_images.GetSafeHandle());
    EXPECT_EQ(nullptr, moved.GetSafeHandle());
}

TEST_F(ControlsTest, AListControlLeavesTheImageListsItWasLentAlive)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 200, 100), &m_parent, 1003));
    list.SetImageList(&m_images, LVSIL_SMALL);
    list.SetImageList(&m_images, LVSIL_NORMAL);
    EXPECT_EQ(m_images.GetSafeHandle(), list.GetImageList(LVSIL_SMALL));
    list.DestroyWindow();
    EXPECT_EQ(nullptr, list.m_hWnd);
    // Still a live list: the control did not destroy what it only borrowed.
    EXPECT_EQ(2, ::ImageList_GetImageCount(m_images.GetSafeHandle()));
}

TEST_F(ControlsTest, ListRowsAndTextsStayWithinTheCallersBuffer)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 200, 100), &m_parent, 1003));
    EXPECT_EQ(0, list.InsertColumn(0, "Servicio"));
    EXPECT_EQ(1, list.InsertColumn(1, "Descripci\xF3n", LVCFMT_LEFT, 80));
    EXPECT_TRUE(list.SetColumnWidth(0, 120));
    EXPECT_EQ(120, list.GetColumnWidth(0));

    // Rows asked for beyond the end are appended, in order.
    EXPECT_EQ(0, list.InsertItem(0, "KesuSim", 6));
    EXPECT_EQ(1, list.InsertItem(5, "eth0"));
    EXPECT_TRUE(list.SetItemText(1, 1, "Tarjeta de red"));
    EXPECT_EQ(2, list.GetItemCount());

    char sz[5];
    EXPECT_EQ(4, list.GetItemText(1, 1, sz, sizeof(sz)));
    EXPECT_STREQ("Tarj", sz);
    EXPECT_STREQ("Tarjeta de red", list.GetItemText(1, 1));
    std::string longText(3000, 'x');
    EXPECT_TRUE(list.SetItemText(0, 1, longText.c_str()));
    EXPECT_EQ(longText, std::string(list.GetItemText(0, 1)));

    EXPECT_EQ(-1, list.GetSelectionMark());
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetSelectionMark(1);
    EXPECT_EQ(1, list.GetSelectionMark());
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));

    EXPECT_EQ(0u, list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT) & LVS_EX_GRIDLINES);
    EXPECT_EQ(DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), list.GetExtendedStyle());
    EXPECT_TRUE(list.DeleteColumn(1));
}

TEST_F(ControlsTest, AnEditControlHoldsAtMostItsLimit)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 200, 100), &m_parent, 143));
    edit.LimitText(5);
    EXPECT_EQ(5u, edit.GetLimitText());
    edit.SetSel(0, -1);
    edit.ReplaceSel("abcdefgh");
    CString str;
    edit.GetWindowText(str);
    EXPECT_STREQ("abcde", str);
    int nStart = -1;
    int nEnd = -1;
    edit.SetSel(1, 3);
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(1, nStart);
    EXPECT_EQ(3, nEnd);
}
}  // namespace
