#include "dc.h"

#include "bitmap.h"
#include "brush.h"
#include "paint_dc.h"
#include "wnd.h"

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr);
    m_owned = m_hDC != nullptr;
    return m_owned;
}

BOOL CDC::DeleteDC()
{
    BOOL deleted = FALSE;
    if (m_owned && m_hDC != nullptr)
        deleted = ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_owned = false;
    return deleted;
}

HGDIOBJ CDC::SelectObject(CBrush* pBrush)
{
    return ::SelectObject(m_hDC, pBrush->m_hObject);
}

HGDIOBJ CDC::SelectObject(CBitmap* pBitmap)
{
    return ::SelectObject(m_hDC, pBitmap->m_hObject);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}
