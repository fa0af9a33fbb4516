#pragma once
#include "gdi_object.h"

class CDC;

// A bitmap, owned.
class CBitmap : public CGdiObject {
public:
    // A bitmap in pDC's pixel format; replaces any bitmap held before.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
