// Ownership of the GDI wrappers: what they delete and what they leave alone.
#include <gtest/gtest.h>

#include "afxwin.h"

namespace {

TEST(Gdi, BorrowedDeviceContextIsLeftAliveOwnedOneIsDeleted)
{
    HDC raw = ::CreateCompatibleDC(nullptr);
    ASSERT_NE(raw, nullptr);
    { CDC borrowed(raw); }
    EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC)) << "a borrowed context must survive its wrapper";
    ::DeleteDC(raw);

    HDC owned = nullptr;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        owned = dc.m_hDC;
        EXPECT_EQ(::GetObjectType(owned), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(::GetObjectType(owned), 0u) << "an owned context goes with its wrapper";
}

TEST(Gdi, RecreatingABrushDeletesTheOldOne)
{
    HGDIOBJ first = nullptr;
    HGDIOBJ second = nullptr;
    {
        CBrush brush(RGB(1, 2, 3));
        first = brush.m_hObject;
        ASSERT_EQ(::GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(4, 5, 6)));
        second = brush.m_hObject;
        EXPECT_EQ(::GetObjectType(first), 0u);
        LOGBRUSH info{};
        ::GetObject(second, sizeof info, &info);
        EXPECT_EQ(info.lbColor, RGB(4, 5, 6));
    }
    EXPECT_EQ(::GetObjectType(second), 0u);
}

TEST(Gdi, DetachedObjectIsNotDeleted)
{
    HGDIOBJ kept = nullptr;
    {
        CBrush brush(RGB(7, 8, 9));
        kept = brush.Detach();
    }
    EXPECT_EQ(::GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
    ::DeleteObject(kept);
}

TEST(Gdi, CompatibleBitmapHasTheAskedSize)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 37, 21));
    BITMAP info{};
    ASSERT_NE(::GetObject(bitmap.m_hObject, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 37);
    EXPECT_EQ(info.bmHeight, 21);
}

class PaintCounter : public CWnd {
public:
    int paints = 0;
    afx_msg void OnPaint()
    {
        ++paints;
        CPaintDC dc(this);  // ends the paint, so the window is valid again
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PaintCounter, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(Gdi, PaintDCValidatesTheWindow)
{
    PaintCounter wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, TEXT("p"), WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr));
    wnd.InvalidateRect(nullptr, TRUE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE));
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1) << "nothing left to paint";
}

}  // namespace
