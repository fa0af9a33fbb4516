#pragma once
#include <windows.h>

// A point in pixels.
class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x0, int y0) : POINT{x0, y0} {}
    explicit CPoint(POINT p) : POINT(p) {}
};
