// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/desktop/ProportionalLayout.h"

#include <algorithm>
#include <cmath>

namespace tavrola {

namespace {

float readOrZero(const LayoutNode& n, LayoutProperty p) {
    const auto v = n.read(p);
    return v && std::isfinite(*v) ? static_cast<float>(*v) : 0.0f;
}

// A container's size, or the fallback when it has none worth using.
double containerSize(const LayoutNode& n, LayoutProperty p, double fallback) {
    const auto v = n.read(p);
    return v && *v > 0 ? *v : fallback;
}

} // namespace

void ProportionalLayout::recordWindow(LayoutNode& window, double innerWidth, double innerHeight) {
    m_table.assign(1, LayoutRecord{});
    m_table[0].Width = static_cast<float>(innerWidth);
    m_table[0].Height = static_cast<float>(innerHeight);
    m_innerWidth = innerWidth;
    m_innerHeight = innerHeight;
    int count = 0;
    RecordLayout(window, count);
}

void ProportionalLayout::resizeWindow(LayoutNode& window, bool minimised, double innerWidth, double innerHeight) {
    if (minimised || m_table.size() <= 1)
        return;
    // A zero design size gives no usable factor, and neither does a collapsed window.
    if (m_table[0].Width <= 0 || m_table[0].Height <= 0)
        return;
    const double xScale = innerWidth / m_table[0].Width;
    const double yScale = innerHeight / m_table[0].Height;
    if (xScale > 0 && yScale > 0) {
        int index = 0;
        RescaleLayout(window, index, xScale, yScale);
    }
}

void ProportionalLayout::redesign(std::size_t index, double left, double top, double width, double height,
                                  double containerWidth, double containerHeight) {
    if (index == 0 || index >= m_table.size())
        return;
    LayoutRecord& e = m_table[index];
    e.Left = static_cast<float>(left);
    e.Top = static_cast<float>(top);
    e.Width = static_cast<float>(width);
    e.Height = static_cast<float>(height);
    const double cw = containerWidth > 0 ? containerWidth : m_innerWidth;
    const double ch = containerHeight > 0 ? containerHeight : m_innerHeight;
    if (cw > 0)
        e.CentreX = static_cast<float>((e.Left + e.Width / 2.0) / cw);
    if (ch > 0)
        e.CentreY = static_cast<float>((e.Top + e.Height / 2.0) / ch);
}

double ProportionalLayout::xScale(double innerWidth) const {
    return m_table.size() > 1 && m_table[0].Width > 0 && innerWidth > 0 ? innerWidth / m_table[0].Width : 1.0;
}

double ProportionalLayout::yScale(double innerHeight) const {
    return m_table.size() > 1 && m_table[0].Height > 0 && innerHeight > 0 ? innerHeight / m_table[0].Height : 1.0;
}

void ProportionalLayout::RecordLayout(LayoutNode& container, int& count) {
    const double cw = containerSize(container, LayoutProperty::Width, m_innerWidth);
    const double ch = containerSize(container, LayoutProperty::Height, m_innerHeight);
    for (std::size_t i = 0; i < container.controlCount(); ++i) {
        LayoutNode* c = container.control(i);
        ++count;
        if (m_table.size() <= static_cast<std::size_t>(count))
            m_table.resize(static_cast<std::size_t>(count) + 1);
        if (!c)
            continue;
        LayoutRecord& e = m_table[static_cast<std::size_t>(count)];
        e.Left = readOrZero(*c, LayoutProperty::Left);
        e.Top = readOrZero(*c, LayoutProperty::Top);
        e.Width = readOrZero(*c, LayoutProperty::Width);
        e.Height = readOrZero(*c, LayoutProperty::Height);
        e.FontSize = readOrZero(*c, LayoutProperty::FontSize);
        if (cw > 0)
            e.CentreX = static_cast<float>((e.Left + e.Width / 2.0) / cw);
        if (ch > 0)
            e.CentreY = static_cast<float>((e.Top + e.Height / 2.0) / ch);
        if (c->controlCount() > 0)
            RecordLayout(*c, count);
    }
}

void ProportionalLayout::RescaleLayout(LayoutNode& container, int& index, double xScale, double yScale) {
    const double fontScale = std::min(xScale, yScale);
    const double cw = containerSize(container, LayoutProperty::Width, xScale * m_innerWidth);
    const double ch = containerSize(container, LayoutProperty::Height, yScale * m_innerHeight);
    for (std::size_t i = 0; i < container.controlCount(); ++i) {
        LayoutNode* c = container.control(i);
        ++index;
        // A control the table does not know (the tree grew since it was recorded) is left alone.
        if (!c || static_cast<std::size_t>(index) >= m_table.size())
            continue;
        const LayoutRecord& e = m_table[static_cast<std::size_t>(index)];
        c->write(LayoutProperty::Width, static_cast<float>(xScale * e.Width));
        c->write(LayoutProperty::Height, static_cast<float>(yScale * e.Height));
        // The size is read back: a control that sizes itself is centred on its real size.
        const double w = readOrZero(*c, LayoutProperty::Width);
        const double h = readOrZero(*c, LayoutProperty::Height);
        c->write(LayoutProperty::Left, static_cast<float>(cw * e.CentreX - w / 2.0));
        c->write(LayoutProperty::Top, static_cast<float>(ch * e.CentreY - h / 2.0));
        c->write(LayoutProperty::FontSize, static_cast<float>(fontScale * e.FontSize));
        if (c->controlCount() > 0)
            RescaleLayout(*c, index, xScale, yScale);
    }
}

} // namespace tavrola
