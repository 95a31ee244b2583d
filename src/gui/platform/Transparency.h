// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QVariantAnimation>

#include <functional>

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

// Runs one fade of a window from invisible to opaque over kFadeMs, so nothing waits for it.
class WindowFader : public QObject {
    Q_OBJECT
public:
    static constexpr int kFadeMs = 600;

    explicit WindowFader(QWidget* window);
    // Invisible with black keyed out, shown, then the alpha rises to exactly 255.
    void start();
    bool isRunning() const;

signals:
    void finished();

private:
    QPointer<QWidget> m_window;
    QVariantAnimation m_animation;
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
