// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tavrola {

// A point in screen pixels.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A screen rectangle in pixels: left, top, right, bottom, right and bottom exclusive. The rectangle
// operations keep the desktop's own rules: an empty rectangle adds nothing to a union and meets nothing.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }

    // The smallest rectangle holding both; an empty one is left out.
    Rect united(const Rect& o) const;
    // The common part; empty (all zeros) when they do not meet.
    Rect intersected(const Rect& o) const;
    bool intersects(const Rect& o) const { return !intersected(o).isEmpty(); }
    // Area as 64 bits so that large virtual desktops cannot overflow.
    std::int64_t area() const;

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace tavrola
