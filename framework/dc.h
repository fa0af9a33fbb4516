#pragma once
// CDC: a device context in two forms. Borrowed (constructed from a handle):
// the caller keeps ownership. Owned (made by CreateCompatibleDC): deleted
// with this object.
#include <windows.h>

#include "tstring.h"

class CBitmap;
class CBrush;

class CDC {
public:
    HDC m_hDC = nullptr;

    CDC() = default;
    explicit CDC(HDC hBorrowed) : m_hDC(hBorrowed) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() { DeleteDC(); }

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // A memory device context compatible with pDC (null: the screen), owned.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Deletes an owned device context; forgets a borrowed one.
    BOOL DeleteDC();

    // Each returns the object it replaced, to be selected back.
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    HGDIOBJ SelectObject(CBrush* pBrush);
    HGDIOBJ SelectObject(CBitmap* pBitmap);

    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }

    void FillRect(LPCRECT lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    BOOL Rectangle(LPCRECT r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
    BOOL Ellipse(LPCRECT r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
    {
        return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
    }
    int DrawText(const tstring& text, LPRECT lpRect, UINT nFormat)
    {
        return DrawText(text.c_str(), static_cast<int>(text.size()), lpRect, nFormat);
    }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
    {
        return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        dwRop);
    }

protected:
    bool m_owned = false;
};
