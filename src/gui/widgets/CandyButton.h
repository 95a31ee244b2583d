// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/controls/CandyColours.h"

#include <QPixmap>
#include <QWidget>

class QPainter;
class QPainterPath;

namespace tavrola {

class EventWatch;

// The program's own push button: eight drawing styles over a four-colour scheme, hover, press,
// focus and checked looks, a picture beside the caption, and a shaped outline for styles 2 to 7.
// Colours are 0x00BBGGRR values; system colour indices follow the desktop palette.
class CandyButton : public QWidget {
    Q_OBJECT
    // Saved properties, by the names a form stores them under.
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool CaptionHighLite READ CaptionHighLite WRITE setCaptionHighLite)
    Q_PROPERTY(uint CaptionHighLiteColor READ CaptionHighLiteColor WRITE setCaptionHighLiteColor)
    Q_PROPERTY(bool IconHighLite READ IconHighLite WRITE setIconHighLite)
    Q_PROPERTY(uint IconHighLiteColor READ IconHighLiteColor WRITE setIconHighLiteColor)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(int PictureAlignment READ PictureAlignment WRITE setPictureAlignment)
    Q_PROPERTY(int Style READ Style WRITE setStyle)
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked)
    Q_PROPERTY(uint ColorButtonUp READ ColorButtonUp WRITE setColorButtonUp)
    Q_PROPERTY(uint ColorButtonHover READ ColorButtonHover WRITE setColorButtonHover)
    Q_PROPERTY(uint ColorButtonDown READ ColorButtonDown WRITE setColorButtonDown)
    Q_PROPERTY(uint ColorBright READ ColorBright WRITE setColorBright)
    Q_PROPERTY(int BorderBrightness READ BorderBrightness WRITE setBorderBrightness)
    Q_PROPERTY(bool DisplayHand READ DisplayHand WRITE setDisplayHand)
    Q_PROPERTY(int ColorScheme READ ColorScheme WRITE setColorScheme)

public:
    // Drawing states handed to the painters.
    enum DrawState { StateNormal = 0, StatePressed = 1, StateReleased = 2, StateHover = 3, StateChecked = 4 };

    explicit CandyButton(QWidget* parent = nullptr);
    ~CandyButton() override;

    // Until a caption is given, the button shows its own name.
    QString Caption() const;
    void setCaption(const QString& caption);
    Colour ForeColor() const { return m_foreColor; }
    void setForeColor(Colour c);
    bool CaptionHighLite() const { return m_captionHighLite; }
    void setCaptionHighLite(bool on);
    Colour CaptionHighLiteColor() const { return m_captionHighLiteColor; }
    void setCaptionHighLiteColor(Colour c);
    bool IconHighLite() const { return m_iconHighLite; }
    void setIconHighLite(bool on);
    Colour IconHighLiteColor() const { return m_iconHighLiteColor; }
    void setIconHighLiteColor(Colour c);
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    // 0 picture left of the caption, 1 right, 2 above, 3 below, 4 behind it, centred.
    int PictureAlignment() const { return m_pictureAlignment; }
    void setPictureAlignment(int alignment);
    int Style() const { return m_style; }
    void setStyle(int style);
    bool Checked() const { return m_checked; }
    void setChecked(bool checked);
    Colour ColorButtonUp() const { return m_colours.up; }
    void setColorButtonUp(Colour c);
    Colour ColorButtonHover() const { return m_colours.hover; }
    void setColorButtonHover(Colour c);
    Colour ColorButtonDown() const { return m_colours.down; }
    void setColorButtonDown(Colour c);
    Colour ColorBright() const { return m_colours.bright; }
    void setColorBright(Colour c);
    int BorderBrightness() const { return m_borderBrightness; }
    void setBorderBrightness(int value);
    bool DisplayHand() const { return m_displayHand; }
    void setDisplayHand(bool on);
    int ColorScheme() const { return m_colorScheme; }
    void setColorScheme(int scheme);

    bool isHovered() const { return m_hovered; }
    bool isPressed() const { return m_pressed; }
    // The state the button is painted in now (checked buttons always in the checked state).
    int drawState() const { return m_checked ? StateChecked : m_state; }

    QSize sizeHint() const override;

signals:
    void Status(int state);
    void Click();
    void DblClick();
    void MouseEnter();
    void MouseLeave();
    void MouseMove(int Button, int Shift, int X, int Y);
    void MouseUp(int Button, int Shift, int X, int Y);
    void MouseDown(int Button, int Shift, int X, int Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void paintState(int state);
    void press();
    void release(bool hovered);
    void onWatchedEvent(QEvent* event, int when);
    void enter();
    void leave();
    void rebuildOutline();
    QPainterPath outlinePath(const QRectF& r) const;
    QColor colour(Colour c) const;
    Colour bodyColour(int state) const;
    Colour borderColour(Colour body) const;
    void drawClassic(QPainter& p, int state);
    void drawCandy(QPainter& p, int state);
    void drawShaped(QPainter& p, int state);
    void drawOrb(QPainter& p, int state);
    void DrawIconWCaption(QPainter& p, int state);
    template <typename T> void change(T& member, const T& value);

    QString m_caption;
    bool m_captionSet = false;
    Colour m_foreColor = systemColour(18);
    bool m_captionHighLite = false;
    Colour m_captionHighLiteColor = 65280;
    bool m_iconHighLite = false;
    Colour m_iconHighLiteColor = 65280;
    QPixmap m_picture;
    int m_pictureAlignment = 0;
    int m_style = 0;
    bool m_checked = false;
    CandyScheme m_colours = kCandyDefaultColours;
    int m_borderBrightness = 0;
    bool m_displayHand = false;
    int m_colorScheme = 0;

    int m_state = StateNormal;
    bool m_hovered = false;
    bool m_pressed = false;
    bool m_secondClick = false;
    bool m_ready = false;
    EventWatch* m_watch = nullptr;
};

} // namespace tavrola
