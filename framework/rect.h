#pragma once
#include <windows.h>

// A rectangle in pixels, right and bottom exclusive.
class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rc) : RECT(rc) {}  // NOLINT: converts like the Win32 struct

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    // Shrinks every side: x from left and right, y from top and bottom.
    void DeflateRect(int x, int y) { left += x, top += y, right -= x, bottom -= y; }
    void DeflateRect(int amount) { DeflateRect(amount, amount); }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    bool operator==(const RECT& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const RECT& o) const { return !(*this == o); }
};
