// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/clock/StripScroller.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <string_view>

class QWidget;

namespace tavrola {

// Runs the prayer-times strip across its window like a ticker, or holds it still and centred. The
// position is kept in twips and only turned into pixels when the strip is moved, so the step of
// 50 twips per tick stays exact whatever the screen's dpi. Moving the strip widget lets Qt repaint
// just the band it passes over, not the whole window.
class StripMover : public QObject {
    Q_OBJECT
public:
    // strip: the picHolder panel, a direct child of the window it runs across.
    explicit StripMover(QWidget* strip, QObject* parent = nullptr);

    // The start-up step from the SKROL value; sets tmrScroll to 20 ms and enables it unless "OFF".
    void startUp(std::string_view skrol);

    bool isRunning() const { return tmrScroll->isActive(); }
    int leftTwips() const { return m_scroller.left(); }

public slots:
    // The clock window's scroll switch: moves on from where the strip stands, or holds it there.
    void setRunning(bool run);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void tmrScroll_Timer();

private:
    // Enabled means the strip moves.
    QTimer* tmrScroll;

    int innerWidthTwips() const;
    int stripWidthTwips() const;
    void place();

    QPointer<QWidget> m_strip;
    StripScroller m_scroller;
    // Where this class last put the strip, in pixels; a move to anywhere else came from outside.
    int m_placedX = 0;
};

} // namespace tavrola
