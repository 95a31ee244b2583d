// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/desktop/Rect.h"

#include <algorithm>

namespace tavrola {

Rect Rect::united(const Rect& o) const {
    if (o.isEmpty())
        return isEmpty() ? Rect{} : *this;
    if (isEmpty())
        return o;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
}

Rect Rect::intersected(const Rect& o) const {
    const Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                 std::min(bottom, o.bottom)};
    return r.isEmpty() ? Rect{} : r;
}

std::int64_t Rect::area() const {
    return isEmpty() ? 0 : std::int64_t(width()) * std::int64_t(height());
}

} // namespace tavrola
