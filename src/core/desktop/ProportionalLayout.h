// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/desktop/LayoutNode.h"

#include <vector>

namespace tavrola {

// One control's geometry at design time and its centre as a fraction of its container.
struct LayoutRecord {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    float FontSize = 0;
    float CentreX = 0;
    float CentreY = 0;
};

// Keeps every control of a window in proportion to the window's designed size: sizes and font sizes
// scale, and each control's centre stays at the same fraction of its container. Unit-free: it works in
// whatever unit the nodes report.
class ProportionalLayout {
public:
    // The load step: entry 0 takes the window's inner size, then every control is recorded depth first.
    void recordWindow(LayoutNode& window, double innerWidth, double innerHeight);

    // The window's resize: nothing while it is minimised or before anything was recorded; otherwise the
    // scale factors are the current inner size over the designed one.
    void resizeWindow(LayoutNode& window, bool minimised, double innerWidth, double innerHeight);

    // Appends the entries of the container's controls; count is the last index written.
    void RecordLayout(LayoutNode& container, int& count);
    // Applies the table to the container's controls; index advances as count did.
    void RescaleLayout(LayoutNode& container, int& index, double xScale, double yScale);

    // A control the program places in the designed window after recording (a stored position, a
    // picture's size): its entry takes the new rectangle and the centre that goes with it, so every
    // later rescale keeps it. containerWidth/Height: the container's size at recording.
    void redesign(std::size_t index, double left, double top, double width, double height, double containerWidth,
                  double containerHeight);

    // The scale of the window's inner size now against its designed size, (1, 1) before recording.
    double xScale(double innerWidth) const;
    double yScale(double innerHeight) const;

    const std::vector<LayoutRecord>& table() const { return m_table; }

private:
    std::vector<LayoutRecord> m_table;
    // The inner size at load: the fallback container size.
    double m_innerWidth = 0;
    double m_innerHeight = 0;
};

} // namespace tavrola
