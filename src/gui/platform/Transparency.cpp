#include "gui/platform/Transparency.h"

#include <QApplication>
#include <QBitmap>
#include <QEvent>
#include <QPalette>
#include <QPixmap>
#include <QRegion>
#include <QWidget>

#include <algorithm>

#ifdef Q_OS_WIN
#include <QtCore/qt_windows.h>
#endif

namespace tavrola {

namespace {

#ifndef Q_OS_WIN
// Keeps the window's shape mask equal to its pixels that are not the key colour. Any repaint of
// the window or of a control on it schedules a new mask; bursts of repaints share one.
class ColourKeyMask : public QObject {
public:
    ColourKeyMask(QWidget* window, const QColor& key) : QObject(window), m_window(window), m_key(key) {
        setObjectName("ColourKeyMask");
        m_timer.setSingleShot(true);
        m_timer.setInterval(30);
        connect(&m_timer, &QTimer::timeout, this, &ColourKeyMask::refresh);
        qApp->installEventFilter(this);
    }
    ~ColourKeyMask() override { qApp->removeEventFilter(this); }

    void setKey(const QColor& key) {
        if (key != m_key) {
            m_key = key;
            m_timer.start();
        }
    }

    void refresh() {
        if (!m_window)
            return;
        m_grabbing = true;
        QPixmap pixels = m_window->grab();
        m_grabbing = false;
        if (pixels.isNull())
            return;
        if (pixels.size() != m_window->size())
            pixels = pixels.scaled(m_window->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QRegion shown(pixels.createMaskFromColor(m_key, Qt::MaskInColor));
        // An empty mask would mean "no mask" (all shown); an all-black window shows one pixel.
        if (shown.isEmpty())
            shown = QRegion(0, 0, 1, 1);
        if (shown != m_window->mask())
            m_window->setMask(shown);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_grabbing && (event->type() == QEvent::Paint || event->type() == QEvent::Resize) && m_window &&
            watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if ((w == m_window || m_window->isAncestorOf(w)) && !m_timer.isActive())
                m_timer.start();
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QColor m_key;
    QTimer m_timer;
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

std::vector<int> fadeSteps() {
    std::vector<int> steps;
    for (int alpha = 0; alpha <= 255; alpha += 3)
        steps.push_back(alpha);
    return steps;
}

WindowFader::WindowFader(QWidget* window) : QObject(window), m_window(window), m_steps(fadeSteps()) {
    setObjectName("WindowFader");
    // No pause between steps, but each step lets the rest of the program run.
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &WindowFader::step);
}

void WindowFader::start() {
    if (!m_window)
        return;
    ApplyTransparency(m_window, 0);
    m_window->show();
    m_next = 0;
    m_timer.start();
}

void WindowFader::step() {
    if (!m_window || m_next >= m_steps.size()) {
        m_timer.stop();
        return;
    }
    const int alpha = m_steps[m_next++];
    ApplyTransparency(m_window, alpha);
    m_window->repaint();
    emit stepped(alpha);
    if (m_next >= m_steps.size()) {
        m_timer.stop();
        emit finished();
    }
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
