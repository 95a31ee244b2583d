// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/desktop/ProportionalLayout.h"

#include <memory>

class QRect;
class QWidget;

namespace tavrola {

// Proportional resizing of a window's widget tree. RecordLayout notes the designed layout once (the
// widgets depth first, each parent's children in creation order); RescaleLayout, called on every
// resize, scales every recorded widget's size and font and keeps its centre where it was in its parent.
//
// Taking part: every child widget that is not a window and not one of Qt's own inner parts ("qt_*").
// The walk goes into plain containers only: widgets without a Qt layout that are not compound widgets
// such as text editors, whose insides look after themselves. A QLabel with the dynamic property
// "autoSize" set to true sizes itself to its text, as a self-sizing caption.
class WidgetLayout {
public:
    WidgetLayout();
    ~WidgetLayout();
    WidgetLayout(const WidgetLayout&) = delete;
    WidgetLayout& operator=(const WidgetLayout&) = delete;

    // Entry 0 takes the window's inner size; then every widget is recorded.
    void RecordLayout(QWidget* window);
    // Rescales to the window's current inner size; nothing while it is minimised or not recorded.
    void RescaleLayout(QWidget* window);

    // Gives a recorded widget a new rectangle in the designed window (a place the program stores,
    // such as the logo's): later rescales keep it in proportion. Before recording the widget simply
    // takes that rectangle. The caller rescales to show the change.
    void placeDesigned(QWidget* widget, const QRect& designGeometry);
    // The factor fonts are scaled by: the smaller of the width and height scales, 1 before recording.
    double fontScale(const QWidget* window) const;

    const ProportionalLayout& layout() const { return m_layout; }

    class Node;

private:
    ProportionalLayout m_layout;
    std::unique_ptr<Node> m_root;
};

} // namespace tavrola
