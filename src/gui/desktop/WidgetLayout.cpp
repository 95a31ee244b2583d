// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/desktop/WidgetLayout.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tavrola {

namespace {

bool takesPart(const QWidget* w) {
    return !w->isWindow() && !w->objectName().startsWith(QLatin1String("qt_"));
}

bool isContainer(const QWidget* w) {
    return !w->layout() && !qobject_cast<const QAbstractScrollArea*>(w) &&
           !qobject_cast<const QAbstractSpinBox*>(w) && !qobject_cast<const QComboBox*>(w);
}

bool sizesItself(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) && w->property("autoSize").toBool();
}

int toInt(float v) {
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(std::lround(std::clamp(v, -1.0e7f, 1.0e7f)));
}

} // namespace

// One widget of the recorded tree. The tree is fixed at recording so that each rescale meets exactly
// the widgets that were recorded, in the same order; a widget deleted since then reads and writes nothing.
class WidgetLayout::Node : public LayoutNode {
public:
    Node(QWidget* w, bool isWindow)
        : m_widget(w), m_isWindow(isWindow),
          m_containerSize(!isWindow && w->parentWidget() ? w->parentWidget()->size() : QSize()) {
        if (!isContainer(w))
            return;
        for (QObject* o : w->children()) {
            auto* child = qobject_cast<QWidget*>(o);
            if (child && takesPart(child))
                m_children.push_back(std::make_unique<Node>(child, false));
        }
    }

    std::optional<double> read(LayoutProperty p) const override {
        const QWidget* w = m_widget.data();
        if (!w)
            return std::nullopt;
        switch (p) {
        case LayoutProperty::Left:
            return m_isWindow ? std::nullopt : std::optional<double>(w->x());
        case LayoutProperty::Top:
            return m_isWindow ? std::nullopt : std::optional<double>(w->y());
        case LayoutProperty::Width:
            return w->width();
        case LayoutProperty::Height:
            return w->height();
        case LayoutProperty::FontSize: {
            if (m_isWindow)
                return std::nullopt;
            const QFont f = w->font();
            return f.pointSizeF() > 0 ? f.pointSizeF() : double(f.pixelSize());
        }
        }
        return std::nullopt;
    }

    void write(LayoutProperty p, float v) override {
        QWidget* w = m_widget.data();
        if (!w || m_isWindow)
            return;
        switch (p) {
        case LayoutProperty::Left:
            w->move(toInt(v), w->y());
            break;
        case LayoutProperty::Top:
            w->move(w->x(), toInt(v));
            break;
        case LayoutProperty::Width:
        case LayoutProperty::Height:
            if (sizesItself(w)) {
                w->resize(w->sizeHint());
            } else if (p == LayoutProperty::Width) {
                w->resize(std::max(0, toInt(v)), w->height());
            } else {
                w->resize(w->width(), std::max(0, toInt(v)));
            }
            break;
        case LayoutProperty::FontSize:
            writeFontSize(w, v);
            break;
        }
    }

    std::size_t controlCount() const override { return m_children.size(); }

    // The node of `w` below this one, with its table index (counted as the recording counted).
    const Node* find(const QWidget* w, int& count) const {
        for (const auto& child : m_children) {
            ++count;
            if (child->m_widget == w)
                return child.get();
            if (const Node* found = child->find(w, count))
                return found;
        }
        return nullptr;
    }
    QSize containerSize() const { return m_containerSize; }
    LayoutNode* control(std::size_t i) override { return m_children[i].get(); }

private:
    static void writeFontSize(QWidget* w, float v) {
        // A size of nothing is refused, as a font cannot be that small.
        if (!std::isfinite(v) || v <= 0)
            return;
        QFont f = w->font();
        if (f.pointSizeF() > 0)
            f.setPointSizeF(v);
        else
            f.setPixelSize(std::max(1, toInt(v)));
        if (!sizesItself(w)) {
            w->setFont(f);
            return;
        }
        // A self-sizing caption grows about its centre, so it stays where the layout put it.
        const QPoint centre = w->geometry().center();
        w->setFont(f);
        w->resize(w->sizeHint());
        w->move(centre.x() - w->width() / 2, centre.y() - w->height() / 2);
    }

    QPointer<QWidget> m_widget;
    bool m_isWindow;
    QSize m_containerSize; // the parent's size at recording
    std::vector<std::unique_ptr<Node>> m_children;
};

WidgetLayout::WidgetLayout() = default;
WidgetLayout::~WidgetLayout() = default;

void WidgetLayout::RecordLayout(QWidget* window) {
    if (!window)
        return;
    m_root = std::make_unique<Node>(window, true);
    m_layout.recordWindow(*m_root, window->width(), window->height());
}

void WidgetLayout::placeDesigned(QWidget* widget, const QRect& designGeometry) {
    if (!widget)
        return;
    int index = 0;
    const Node* node = m_root ? m_root->find(widget, index) : nullptr;
    if (!node) {
        widget->setGeometry(designGeometry);
        return;
    }
    const QRect& r = designGeometry;
    m_layout.redesign(static_cast<std::size_t>(index), r.x(), r.y(), r.width(), r.height(),
                      node->containerSize().width(), node->containerSize().height());
}

double WidgetLayout::fontScale(const QWidget* window) const {
    if (!window)
        return 1.0;
    return std::min(m_layout.xScale(window->width()), m_layout.yScale(window->height()));
}

void WidgetLayout::RescaleLayout(QWidget* window) {
    if (!window || !m_root)
        return;
    m_layout.resizeWindow(*m_root, window->isMinimized(), window->width(), window->height());
}

} // namespace tavrola
