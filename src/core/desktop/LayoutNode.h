// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>

namespace tavrola {

// The properties proportional resizing reads and writes on a control.
enum class LayoutProperty { Left, Top, Width, Height, FontSize };

// One control (or the window) as proportional resizing sees it: properties by name, each of which a
// control may lack, and the controls it contains. Reads give nothing and writes do nothing where a
// control has no such property; the resizing skips those silently.
class LayoutNode {
public:
    virtual ~LayoutNode() = default;
    virtual std::optional<double> read(LayoutProperty p) const = 0;
    virtual void write(LayoutProperty p, float value) = 0;
    // The contained controls, always in the same order.
    virtual std::size_t controlCount() const = 0;
    virtual LayoutNode* control(std::size_t i) = 0;
};

} // namespace tavrola
