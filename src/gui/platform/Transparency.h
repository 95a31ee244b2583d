#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

class QPixmap;
class QWidget;

namespace tavrola {

// Pure black: keyed out of the clock window in every state, so black parts are see-through.
inline const QColor kColourKey = QColor(0, 0, 0);

// Makes the window layered with the colour key, and sets its alpha (0 invisible .. 255 opaque)
// when useAlpha. Never reports; false when the platform refused.
// Windows: the layered-window colour key. Elsewhere: a shape mask cut from the window's own pixels
// of the key colour (kept up to date as it repaints) and window opacity where a compositor runs.
bool SetLayeredAttributes(QWidget* window, const QColor& colourKey, int alpha, bool useAlpha);

// Black keyed out with the given alpha: the only combination the program uses.
bool ApplyTransparency(QWidget* window, int alpha);

// The fade's alphas: 0, 3, 6, ... 255 (86 steps).
std::vector<int> fadeSteps();

// Runs one fade of a window, a step per turn of the event loop, so nothing waits for it.
class WindowFader : public QObject {
    Q_OBJECT
public:
    explicit WindowFader(QWidget* window);
    // Invisible with black keyed out, shown, then the steps from 0 to 255, each repainted.
    void start();
    bool isRunning() const { return m_timer.isActive(); }

signals:
    void stepped(int alpha);
    void finished();

private:
    void step();

    QPointer<QWidget> m_window;
    QTimer m_timer;
    std::size_t m_next = 0;
    std::vector<int> m_steps;
};

// Fades the window in from invisible, showing it if hidden. A fade still running starts over.
WindowFader* FadeInWindow(QWidget* window);

// The tray's "no background" item: the black picture becomes the clock's background (drawn from its
// top-left corner), then the clock fades in, which also brings a hidden clock back. setBackground
// lets the clock place the picture itself; without it the window's background brush is replaced.
// An unreadable picture is replaced by plain black so the mode still works; false then.
bool ShowWithoutBackground(QWidget* clock, const QString& blackPicturePath,
                           const std::function<void(const QPixmap&)>& setBackground = {});

} // namespace tavrola
