// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/Transparency.h"

#include <QApplication>
#include <QChildEvent>
#include <QBackingStore>
#include <QBitmap>
#include <QImage>
#include <QEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPalette>
#include <QPixmap>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#ifdef Q_OS_WIN
#include <QtCore/qt_windows.h>
#endif

namespace tavrola {

namespace {

#ifndef Q_OS_WIN
// Keeps the window's shape mask equal to its pixels that are not the key colour. Only what was
// repainted is looked at again: a whole-window grab on every animation frame costs far more than
// the clock itself. A paint is looked at as soon as it is done (a zero timer runs after it in the
// same pass of the event loop, so it costs no wake-up of its own); a move, show or resize waits
// up to kSettleMs for the repaint that follows it, so the mask never shows a half-done state.
class ColourKeyMask : public QObject {
public:
    static constexpr int kSettleMs = 100;

    ColourKeyMask(QWidget* window, const QColor& key) : QObject(window), m_window(window), m_key(key) {
        setObjectName("ColourKeyMask");
        m_timer.setSingleShot(true);
        m_timer.setInterval(kSettleMs);
        connect(&m_timer, &QTimer::timeout, this, &ColourKeyMask::refresh);
        watch(window);
    }

    void setKey(const QColor& key) {
        if (key != m_key) {
            m_key = key;
            m_whole = true;
            m_timer.start();
        }
    }

    void refresh() {
        if (!m_window)
            return;
        const QRect bounds = m_window->rect();
        const QRegion dirty = m_whole ? QRegion(bounds) : m_dirty & bounds;
        m_dirty = QRegion();
        // A ragged region is grabbed as one rectangle rather than piece by piece.
        const QList<QRect> parts =
            dirty.rectCount() <= 8 ? QList<QRect>(dirty.begin(), dirty.end()) : QList<QRect>{dirty.boundingRect()};
        const QImage* store = m_whole ? nullptr : storedPixels();
        // Qt paints nothing outside the window's mask, so only parts inside it can be read back.
        const QRegion painted = m_window->mask().isEmpty() ? QRegion(bounds) : m_window->mask();
        for (const QRect& part : parts) {
            if (store && QRegion(part).subtracted(painted).isEmpty()) {
                // Read back what was painted instead of painting it all again.
                m_shown -= part;
                if (!containsKey(*store, part))
                    m_shown += part;
                else
                    m_shown +=
                        QRegion(QPixmap::fromImage(store->copy(part)).createMaskFromColor(m_key, Qt::MaskInColor))
                            .translated(part.topLeft());
                continue;
            }
            m_grabbing = true;
            QPixmap pixels = m_window->grab(part);
            m_grabbing = false;
            if (pixels.isNull())
                continue;
            if (pixels.size() != part.size())
                pixels = pixels.scaled(part.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            m_shown -= part;
            m_shown += QRegion(pixels.createMaskFromColor(m_key, Qt::MaskInColor)).translated(part.topLeft());
        }
        m_whole = false;
        // An empty mask would mean "no mask" (all shown); an all-black window shows one pixel.
        QRegion shown = m_shown & bounds;
        if (shown.isEmpty())
            shown = QRegion(0, 0, 1, 1);
        if (shown != m_window->mask())
            m_window->setMask(shown);
    }

private:
    // The window and every control on it, including those added later; nothing else in the program.
    void watch(QWidget* w) {
        w->installEventFilter(this);
        for (QWidget* child : w->findChildren<QWidget*>())
            child->installEventFilter(this);
    }

    // The window's painted pixels when they can be read as they are: one device pixel per pixel,
    // in a 32-bit format where an opaque key pixel has the key's own value.
    const QImage* storedPixels() const {
        QBackingStore* store = m_window->backingStore();
        const QPaintDevice* device = store ? store->paintDevice() : nullptr;
        if (!device || device->devType() != QInternal::Image)
            return nullptr;
        const auto* image = static_cast<const QImage*>(device);
        const bool plain = image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32 ||
                           image->format() == QImage::Format_ARGB32_Premultiplied;
        if (!plain || image->devicePixelRatio() != 1.0 || !image->rect().contains(m_window->rect()))
            return nullptr;
        return image;
    }

    bool containsKey(const QImage& image, const QRect& part) const {
        const QRgb key = m_key.rgba();
        for (int y = part.top(); y <= part.bottom(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = part.left(); x <= part.right(); ++x)
                if (row[x] == key)
                    return true;
        }
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_grabbing || !m_window || !watched->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(watched);
        const bool inside = w == m_window || m_window->isAncestorOf(w);
        if (!inside)
            return false;
        switch (event->type()) {
        case QEvent::ChildAdded:
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
                watch(child);
            return false;
        case QEvent::Paint:
            m_dirty += static_cast<QPaintEvent*>(event)->region().translated(w->mapTo(m_window, QPoint()));
            break;
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            if (w == m_window) {
                if (event->type() != QEvent::Resize)
                    return false;
                m_whole = true;
            } else {
                // Qt paints nothing in the cut-out parts, so a control that appears, goes or
                // changes size there sends no paint event: its place is looked at again.
                m_dirty += QRect(w->mapTo(m_window, QPoint()), w->size());
            }
            break;
        case QEvent::Move: {
            if (w == m_window || !w->isVisible())
                return false;
            const auto* move = static_cast<QMoveEvent*>(event);
            if (!w->testAttribute(Qt::WA_OpaquePaintEvent)) {
                // Where it was and where it is, for the same reason as above.
                const QPoint parentOffset = w->parentWidget()->mapTo(m_window, QPoint());
                m_dirty += QRect(move->oldPos() + parentOffset, w->size());
                m_dirty += QRect(move->pos() + parentOffset, w->size());
                break;
            }
            // An opaque control that moves is shifted on screen without a repaint (only what it
            // uncovers is painted), so its part of the mask moves along with it.
            const QPoint parentOffset = w->parentWidget()->mapTo(m_window, QPoint());
            const QRect before(move->oldPos() + parentOffset, w->size());
            const QRect after(move->pos() + parentOffset, w->size());
            const QPoint delta = after.topLeft() - before.topLeft();
            m_shown = (m_shown - after) | ((m_shown & before).translated(delta) & after);
            m_dirty = (m_dirty - after) | ((m_dirty & before).translated(delta) & after);
            break;
        }
        default:
            return false;
        }
        if (event->type() == QEvent::Paint) {
            if (!m_timer.isActive() || m_timer.interval() != 0)
                m_timer.start(0);
        } else if (!m_timer.isActive()) {
            m_timer.start(kSettleMs);
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QColor m_key;
    QTimer m_timer;
    QRegion m_shown; // the window's pixels that are not the key colour, as last grabbed
    QRegion m_dirty; // repainted since, in window coordinates
    bool m_whole = true;
    bool m_grabbing = false;
};
#endif

} // namespace

bool SetLayeredAttributes(QWidget* window, const QColor& colourKey, int alpha, bool useAlpha) {
    if (!window)
        return false;
    alpha = std::clamp(alpha, 0, 255);
#ifdef Q_OS_WIN
    const HWND hwnd = reinterpret_cast<HWND>(window->winId());
    if (!hwnd)
        return false;
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    if (!(style & WS_EX_LAYERED))
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE, style | WS_EX_LAYERED);
    const DWORD flags = useAlpha ? (LWA_COLORKEY | LWA_ALPHA) : LWA_COLORKEY;
    return SetLayeredWindowAttributes(hwnd, RGB(colourKey.red(), colourKey.green(), colourKey.blue()),
                                      static_cast<BYTE>(alpha), flags) != 0;
#else
    auto* mask = window->findChild<ColourKeyMask*>("ColourKeyMask", Qt::FindDirectChildrenOnly);
    if (!mask) {
        mask = new ColourKeyMask(window, colourKey);
        mask->refresh();
    } else {
        mask->setKey(colourKey);
    }
    if (useAlpha)
        window->setWindowOpacity(alpha / 255.0);
    return true;
#endif
}

bool ApplyTransparency(QWidget* window, int alpha) {
    return SetLayeredAttributes(window, kColourKey, alpha, true);
}

WindowFader::WindowFader(QWidget* window) : QObject(window), m_window(window) {
    setObjectName("WindowFader");
    // Driven by time, so the fade lasts the same on a fast and a slow machine, and each frame only
    // asks for a repaint instead of forcing one.
    m_animation.setStartValue(0);
    m_animation.setEndValue(255);
    m_animation.setDuration(kFadeMs);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& alpha) {
        if (!m_window)
            return;
        ApplyTransparency(m_window, alpha.toInt());
        m_window->update();
    });
    connect(&m_animation, &QVariantAnimation::finished, this, &WindowFader::finished);
}

void WindowFader::start() {
    if (!m_window)
        return;
    m_animation.stop();
    ApplyTransparency(m_window, 0);
    m_window->show();
    m_animation.start();
}

bool WindowFader::isRunning() const {
    return m_animation.state() == QAbstractAnimation::Running;
}

WindowFader* FadeInWindow(QWidget* window) {
    if (!window)
        return nullptr;
    auto* fader = window->findChild<WindowFader*>("WindowFader", Qt::FindDirectChildrenOnly);
    if (!fader)
        fader = new WindowFader(window);
    fader->start();
    return fader;
}

bool ShowWithoutBackground(QWidget* clock, const QString& blackPicturePath,
                           const std::function<void(const QPixmap&)>& setBackground) {
    if (!clock)
        return false;
    QPixmap picture(blackPicturePath);
    const bool loaded = !picture.isNull();
    if (!loaded) {
        picture = QPixmap(clock->size().expandedTo(QSize(1, 1)));
        picture.fill(kColourKey);
    }
    if (setBackground) {
        setBackground(picture);
    } else {
        QPalette palette = clock->palette();
        palette.setBrush(QPalette::Window, QBrush(picture));
        clock->setPalette(palette);
        clock->setAutoFillBackground(true);
    }
    FadeInWindow(clock);
    return loaded;
}

} // namespace tavrola
