// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/controls/CandyColours.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QTimer;

namespace tavrola {

// A small busy animation: eight 16-pixel frames from a strip, one per timer tick, with the strip's
// background replaced by `BackColor`.
class ucFirefoxWait : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int AnimationSpeed READ AnimationSpeed WRITE setAnimationSpeed)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool IsPlaying READ IsPlaying WRITE setIsPlaying)

public:
    static constexpr int kFrameSize = 16;
    static constexpr int kFrames = 8;

    explicit ucFirefoxWait(QWidget* parent = nullptr);

    int AnimationSpeed() const { return m_animationSpeed; }
    void setAnimationSpeed(int milliseconds);
    Colour BackColor() const { return m_backColor; }
    void setBackColor(Colour c);
    bool IsPlaying() const { return m_playing; }
    void setIsPlaying(bool playing);

    int frame() const { return m_frame; }
    // What the control shows now.
    QImage currentPicture() const { return m_shown; }

public slots:
    void PlayWait();
    void StopWait();

private slots:
    void tmrPlay_Timer();

private:
    void showFrame();

    // The frame strip: frame k starts at x = 16 * k; the rows below the frames are background.
    const QImage picSource;
    QLabel* const picDestination;
    QTimer* const tmrPlay;

    int m_animationSpeed = 100;
    Colour m_backColor;
    bool m_playing = false;
    int m_frame = 0;
    QImage m_shown;
};

} // namespace tavrola
