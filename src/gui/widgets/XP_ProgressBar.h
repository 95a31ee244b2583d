// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/controls/CandyColours.h"

#include <QPixmap>
#include <QWidget>

class QPainter;

namespace tavrola {

// The program's own progress bar. It keeps its position as a whole percentage of Min..Max (see
// core/controls/ProgressMath.h for the rule, which is safe for any Min and Max) and draws one of ten
// looks chosen by `Scrolling`; look 2 reads "Searching.." and look 6 sits on black.
class XP_ProgressBar : public QWidget {
    Q_OBJECT
    // Saved properties, by the names a form stores them under.
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Scrolling READ Scrolling WRITE setScrolling)
    Q_PROPERTY(int Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(int BrushStyle READ BrushStyle WRITE setBrushStyle)
    Q_PROPERTY(uint Color READ Color WRITE setColor)
    Q_PROPERTY(bool ShowText READ ShowText WRITE setShowText)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QPixmap Image READ Image WRITE setImage)

public:
    explicit XP_ProgressBar(QWidget* parent = nullptr);

    int Value() const;
    void setValue(int value);
    int Min() const { return m_min; }
    void setMin(int min);
    int Max() const { return m_max; }
    void setMax(int max);
    int Scrolling() const { return m_scrolling; }
    void setScrolling(int look);
    // 0 fills left to right, 1 bottom to top.
    int Orientation() const { return m_orientation; }
    void setOrientation(int orientation);
    // Hatch of look 5: 0 horizontal, 1 vertical, 2 and 3 diagonal, 4 cross, 5 diagonal cross.
    int BrushStyle() const { return m_brushStyle; }
    void setBrushStyle(int style);
    Colour Color() const { return m_color; }
    void setColor(Colour c);
    bool ShowText() const { return m_showText; }
    void setShowText(bool on);
    // Drawn stretched over the filled part of the bar.
    QPixmap Image() const { return m_image; }
    void setImage(const QPixmap& image);

    int percent() const { return m_percent; }
    // The text drawn over the bar when ShowText is on.
    QString text() const;

    // Draws the whole bar into any painter, so the bar can be drawn on another surface.
    void DrawProgressBar(QPainter& p, const QRect& area) const;

    QSize sizeHint() const override { return {200, 22}; }

public slots:
    void DrawProgressBar() { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawBar(QPainter& p, const QRect& track, const QRect& filled) const;
    void DrawGradient(QPainter& p, const QRect& r, const QColor& from, const QColor& to, bool across) const;
    template <typename T> void change(T& member, const T& value);

    int m_percent = 0;
    int m_min = 0;
    int m_max = 100;
    int m_scrolling = 0;
    int m_orientation = 0;
    int m_brushStyle = 4;
    Colour m_color = systemColour(13);
    bool m_showText = false;
    QPixmap m_image;
};

} // namespace tavrola
