// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QWidget>

#include <functional>

namespace tavrola {

// The clock asleep at night where the display cannot be switched off: black over the whole window. A key, a click or a mouse move calls `woken`.
class NightCurtain : public QWidget {
public:
    NightCurtain(QWidget& window, std::function<void()> woken);

    void cover(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_woken;
    QPoint m_pointerAtCover; // a pointer left where it was is no move
};

} // namespace tavrola
