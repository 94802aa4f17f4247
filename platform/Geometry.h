#pragma once
// Points and rectangles in the design's logical units (the sheet is 4096 x
// 4096). A rectangle includes its left/top edge and excludes right/bottom.

#include <algorithm>
#include <cstdint>

struct CPoint {
    int32_t x = 0;
    int32_t y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int32_t x_, int32_t y_) : x(x_), y(y_) {}
    constexpr bool operator==(const CPoint&) const = default;
    constexpr void Offset(int32_t dx, int32_t dy) { x += dx; y += dy; }
};

struct CSize {
    int32_t cx = 0;
    int32_t cy = 0;
    constexpr bool operator==(const CSize&) const = default;
};

struct CRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    constexpr CRect() = default;
    constexpr CRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}
    constexpr bool operator==(const CRect&) const = default;

    constexpr int32_t Width() const { return right - left; }
    constexpr int32_t Height() const { return bottom - top; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr void SetRectEmpty() { left = top = right = bottom = 0; }
    constexpr bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr void OffsetRect(int32_t dx, int32_t dy) { left += dx; right += dx; top += dy; bottom += dy; }
    constexpr void InflateRect(int32_t dx, int32_t dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
    constexpr void NormalizeRect() {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    // True when the two rectangles share any area.
    constexpr bool Intersects(const CRect& o) const {
        return std::max(left, o.left) < std::min(right, o.right) && std::max(top, o.top) < std::min(bottom, o.bottom);
    }
    constexpr void UnionWith(const CRect& o) {
        if (o.IsRectEmpty()) return;
        if (IsRectEmpty()) { *this = o; return; }
        left = std::min(left, o.left); top = std::min(top, o.top);
        right = std::max(right, o.right); bottom = std::max(bottom, o.bottom);
    }
};
