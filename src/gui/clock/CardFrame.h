// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QPixmap>

#include <functional>

class QPainter;

namespace tavrola {

// A picture container of the clock window that draws itself as a rounded, softly lit card (or
// nothing at all). The card is drawn once into a picture; with the window's backdrop under it the
// card is opaque, so Qt can shift it on screen when it moves instead of repainting the window behind.
class CardFrame : public QFrame {
public:
    // Paints the window's backdrop for the rows from windowY into `target` of the card.
    using Underlay = std::function<void(QPainter&, const QRect& target, int windowY)>;

    CardFrame(const QString& name, QWidget* parent, bool drawn, Underlay underlay = {});

    void setDrawn(bool drawn);
    // The backdrop under it changed: the card is drawn afresh on its next paint.
    void invalidate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawFace();

    Underlay m_underlay;
    QPixmap m_face;
    int m_faceY = 0;
    bool m_drawn = false;
};

} // namespace tavrola
