// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/ucFirefoxWait.h"

#include "gui/widgets/QtColour.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavrola {

namespace {

constexpr QRgb kStripBackground = 0xFFF0F0F0;

// Eight dots round a circle; the darkest one moves on by one place each frame with a fading tail.
// Drawn without smoothing so that only the background keeps the background colour.
QImage drawStrip() {
    const int size = ucFirefoxWait::kFrameSize;
    QImage strip(size * ucFirefoxWait::kFrames, size + 2, QImage::Format_RGB32);
    strip.fill(kStripBackground);
    QPainter p(&strip);
    p.setPen(Qt::NoPen);
    static constexpr int kShades[ucFirefoxWait::kFrames] = {40, 80, 120, 155, 180, 196, 208, 216};
    for (int frame = 0; frame < ucFirefoxWait::kFrames; ++frame) {
        for (int dot = 0; dot < 8; ++dot) {
            const double angle = dot * std::numbers::pi / 4.0;
            const int cx = frame * size + 8 + static_cast<int>(std::lround(5.0 * std::sin(angle)));
            const int cy = 8 - static_cast<int>(std::lround(5.0 * std::cos(angle)));
            const int shade = kShades[(frame - dot + 8) % 8];
            p.setBrush(QColor(shade, shade, shade + 10 > 255 ? 255 : shade + 10));
            p.drawRect(cx - 2, cy - 2, 3, 3);
        }
    }
    return strip;
}

} // namespace

ucFirefoxWait::ucFirefoxWait(QWidget* parent)
    : QWidget(parent), picSource(drawStrip()), picDestination(new QLabel(this)), tmrPlay(new QTimer(this)) {
    picDestination->setObjectName(QStringLiteral("picDestination"));
    tmrPlay->setObjectName(QStringLiteral("tmrPlay"));
    setFixedSize(kFrameSize, kFrameSize);
    picDestination->setGeometry(0, 0, kFrameSize, kFrameSize);
    m_backColor = fromQColor(QColor(picSource.pixel(17, 17)));
    connect(tmrPlay, &QTimer::timeout, this, &ucFirefoxWait::tmrPlay_Timer);
    showFrame();
}

void ucFirefoxWait::setAnimationSpeed(int milliseconds) {
    m_animationSpeed = std::max(1, milliseconds);
    if (m_playing)
        tmrPlay->setInterval(m_animationSpeed);
}

void ucFirefoxWait::setBackColor(Colour c) {
    m_backColor = c;
    showFrame();
}

void ucFirefoxWait::setIsPlaying(bool playing) {
    if (playing)
        PlayWait();
    else
        StopWait();
}

void ucFirefoxWait::PlayWait() {
    if (m_playing)
        return;
    m_playing = true;
    tmrPlay->setInterval(m_animationSpeed);
    tmrPlay->start();
}

void ucFirefoxWait::StopWait() {
    if (!m_playing)
        return;
    m_playing = false;
    tmrPlay->stop();
    m_frame = 0;
    showFrame();
}

void ucFirefoxWait::tmrPlay_Timer() {
    m_frame = (m_frame + 1) % kFrames;
    showFrame();
}

void ucFirefoxWait::showFrame() {
    QImage frame = picSource.copy(kFrameSize * m_frame, 0, kFrameSize, kFrameSize);
    const QRgb background = picSource.pixel(17, 17);
    const QRgb wanted = toQColor(m_backColor, palette()).rgb();
    if (wanted != background) {
        for (int y = 0; y < frame.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
            for (int x = 0; x < frame.width(); ++x) {
                if (line[x] == background)
                    line[x] = wanted;
            }
        }
    }
    m_shown = frame;
    picDestination->setPixmap(QPixmap::fromImage(frame));
}

} // namespace tavrola
