// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/CandyButton.h"

#include "gui/widgets/EventWatch.h"
#include "gui/widgets/QtColour.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <utility>

namespace tavrola {

namespace {

int buttonCode(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}
int shiftCode(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}
bool isEnterKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
Colour grey(int shade) {
    return rgbColour(shade, shade, shade);
}

} // namespace

CandyButton::CandyButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // MouseMove is reported without a button held, as users of the control expect
    resize(sizeHint());

    // Hover comes from watching the button's own events: paint before its handling (the checked look
    // wins over whatever state was asked for), enter, move and leave after it.
    m_watch = new EventWatch(
        QStringLiteral("CandyButton"),
        [this](QEvent* e, EventWatch::When when) { onWatchedEvent(e, when == EventWatch::When::Before ? 0 : 1); },
        this);
    m_watch->start(this);
    m_watch->addEvent(QEvent::Paint, EventWatch::When::Before);
    m_watch->addEvent(QEvent::Enter, EventWatch::When::After);
    m_watch->addEvent(QEvent::MouseMove, EventWatch::When::After);
    m_watch->addEvent(QEvent::Leave, EventWatch::When::After);
    m_ready = true;
}

CandyButton::~CandyButton() {
    if (m_watch->isWatching())
        m_watch->stop();
}

QSize CandyButton::sizeHint() const {
    return {96, 28};
}

template <typename T> void CandyButton::change(T& member, const T& value) {
    if (member == value)
        return;
    member = value;
    update();
}

QString CandyButton::Caption() const {
    return m_captionSet ? m_caption : objectName();
}
void CandyButton::setCaption(const QString& caption) {
    m_captionSet = true;
    change(m_caption, caption);
}
void CandyButton::setForeColor(Colour c) {
    change(m_foreColor, c);
}
void CandyButton::setCaptionHighLite(bool on) {
    change(m_captionHighLite, on);
}
void CandyButton::setCaptionHighLiteColor(Colour c) {
    change(m_captionHighLiteColor, c);
}
void CandyButton::setIconHighLite(bool on) {
    change(m_iconHighLite, on);
}
void CandyButton::setIconHighLiteColor(Colour c) {
    change(m_iconHighLiteColor, c);
}
void CandyButton::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}
void CandyButton::setPictureAlignment(int alignment) {
    change(m_pictureAlignment, alignment);
}
void CandyButton::setChecked(bool checked) {
    change(m_checked, checked);
    if (!checked && m_state == StateChecked)
        m_state = m_hovered ? StateHover : StateNormal;
}
void CandyButton::setColorButtonUp(Colour c) {
    change(m_colours.up, c);
}
void CandyButton::setColorButtonHover(Colour c) {
    change(m_colours.hover, c);
}
void CandyButton::setColorButtonDown(Colour c) {
    change(m_colours.down, c);
}
void CandyButton::setColorBright(Colour c) {
    change(m_colours.bright, c);
}
void CandyButton::setBorderBrightness(int value) {
    change(m_borderBrightness, clampBorderBrightness(value));
}

void CandyButton::setDisplayHand(bool on) {
    m_displayHand = on;
    if (on)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void CandyButton::setColorScheme(int scheme) {
    m_colorScheme = scheme;
    if (const auto preset = candyScheme(scheme))
        change(m_colours, *preset);
}

void CandyButton::setStyle(int style) {
    if (m_style == style)
        return;
    m_style = style;
    rebuildOutline(); // the outline goes first so the repaint fills the new shape
    update();
}

// ---- states ------------------------------------------------------------------------------------

void CandyButton::paintState(int state) {
    if (m_checked)
        state = StateChecked;
    if (state != m_state) {
        m_state = state;
        emit Status(state);
    }
    update();
}

void CandyButton::press() {
    m_pressed = true;
    paintState(StatePressed);
}

void CandyButton::release(bool hovered) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (m_checked)
        return;
    if (hovered)
        paintState(StateHover);
    else if (wasPressed)
        paintState(StateReleased);
}

void CandyButton::enter() {
    if (m_hovered)
        return;
    m_hovered = true;
    emit MouseEnter();
    paintState(StateHover);
}

void CandyButton::leave() {
    if (!m_hovered)
        return;
    m_hovered = false;
    emit MouseLeave();
    if (!m_checked && !m_pressed)
        paintState(StateNormal);
}

void CandyButton::onWatchedEvent(QEvent* event, int when) {
    if (!isEnabled())
        return;
    switch (event->type()) {
    case QEvent::Paint:
        // A button unchecked since its last paint goes back to its hover or rest look.
        if (when == 0 && !m_checked && m_state == StateChecked)
            m_state = m_hovered ? StateHover : StateNormal;
        break;
    case QEvent::Enter:
        enter();
        break;
    case QEvent::MouseMove:
        if (rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            enter();
        break;
    case QEvent::Leave:
        leave();
        break;
    default:
        break;
    }
}

void CandyButton::mousePressEvent(QMouseEvent* event) {
    press();
    const QPoint p = event->position().toPoint();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(), p.y());
}

void CandyButton::mouseDoubleClickEvent(QMouseEvent* event) {
    press();
    m_secondClick = true;
    emit DblClick();
    const QPoint p = event->position().toPoint();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(), p.y());
}

void CandyButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = m_pressed;
    const QPoint p = event->position().toPoint();
    const bool inside = rect().contains(p);
    release(m_hovered && inside);
    emit MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(), p.y());
    // The second click of a double click is reported as DblClick alone.
    const bool secondClick = std::exchange(m_secondClick, false);
    if (event->button() == Qt::LeftButton && wasPressed && inside && !secondClick)
        emit Click();
}

void CandyButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && !rect().contains(p)) {
        m_hovered = false;
        paintState(StateNormal);
    }
    emit MouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), p.x(), p.y());
}

void CandyButton::keyPressEvent(QKeyEvent* event) {
    if (!isEnterKey(event))
        return QWidget::keyPressEvent(event);
    if (!event->isAutoRepeat())
        press();
}

void CandyButton::keyReleaseEvent(QKeyEvent* event) {
    if (!isEnterKey(event))
        return QWidget::keyReleaseEvent(event);
    if (event->isAutoRepeat() || !m_pressed)
        return;
    release(m_hovered);
    emit Click();
}

void CandyButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_pressed = false;
        m_hovered = false;
        m_state = StateNormal;
    }
    QWidget::changeEvent(event);
}

// ---- outline -----------------------------------------------------------------------------------

QPainterPath CandyButton::outlinePath(const QRectF& r) const {
    QPainterPath path;
    const qreal h = r.height();
    switch (m_style) {
    case 2:
        path.addRoundedRect(r, 4, 4);
        break;
    case 3:
        path.addRoundedRect(r, 6, 6); // an ellipse of 12 at each corner
        break;
    case 4:
    case 6:
        path.addRoundedRect(r, h / 2, h / 2);
        break;
    case 5: {
        // Cut corners: an octagon from two crossing rectangles.
        const qreal c = std::min<qreal>(6, h / 3);
        path.addRect(r.adjusted(c, 0, -c, 0));
        path.addRect(r.adjusted(0, c, 0, -c));
        path.setFillRule(Qt::WindingFill);
        path = path.simplified();
        break;
    }
    case 7: {
        // A tab: rounded top, square bottom.
        path.addRoundedRect(r, 8, 8);
        path.addRect(r.adjusted(0, h / 2, 0, 0));
        path.setFillRule(Qt::WindingFill);
        path = path.simplified();
        break;
    }
    default:
        path.addRect(r);
        break;
    }
    return path;
}

void CandyButton::rebuildOutline() {
    if (m_style >= 2 && m_style <= 7)
        setMask(QRegion(outlinePath(QRectF(rect())).toFillPolygon().toPolygon()));
    else
        clearMask();
}

void CandyButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    rebuildOutline();
}

// ---- painting ----------------------------------------------------------------------------------

QColor CandyButton::colour(Colour c) const {
    return toQColor(c, palette());
}

Colour CandyButton::bodyColour(int state) const {
    switch (state) {
    case StatePressed:
        return m_colours.down;
    case StateHover:
        return m_colours.hover;
    case StateChecked:
        return BlendColors(m_colours.down, kBlack, 12);
    default:
        return m_colours.up;
    }
}

Colour CandyButton::borderColour(Colour body) const {
    const Colour border = BlendColors(body, kBlack, 45);
    return m_borderBrightness >= 0 ? BlendColors(border, kWhite, m_borderBrightness)
                                   : BlendColors(border, kBlack, -m_borderBrightness);
}

void CandyButton::paintEvent(QPaintEvent*) {
    if (!m_ready)
        return;
    QPainter p(this);
    const int state = drawState();
    switch (m_style) {
    case 0:
        drawClassic(p, state);
        break;
    case 1:
        drawCandy(p, state);
        break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 7:
        drawShaped(p, state);
        break;
    case 6:
        drawOrb(p, state);
        break;
    default:
        break; // no body for unknown styles
    }
    DrawIconWCaption(p, state);
}

// Style 0: a plain desktop button on grey shades, tinted by the scheme.
void CandyButton::drawClassic(QPainter& p, int state) {
    const Colour body = bodyColour(state);
    const bool sunken = state == StatePressed || state == StateChecked;
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, colour(BlendColors(grey(sunken ? 200 : 253), body, 20)));
    g.setColorAt(0.5, colour(BlendColors(grey(sunken ? 215 : 236), body, 28)));
    g.setColorAt(1, colour(BlendColors(grey(sunken ? 245 : 137 + 60), body, 36)));
    p.fillRect(rect(), g);
    p.setPen(colour(borderColour(body)));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(colour(sunken ? grey(137) : m_colours.bright));
    p.drawLine(1, 1, width() - 2, 1);
    if (hasFocus()) {
        p.setPen(QPen(colour(grey(137)), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

// Style 1: a glossy rectangle with a bright upper half.
void CandyButton::drawCandy(QPainter& p, int state) {
    const Colour body = bodyColour(state);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, colour(BlendColors(body, m_colours.bright, state == StatePressed ? 25 : 70)));
    g.setColorAt(0.49, colour(BlendColors(body, m_colours.bright, 25)));
    g.setColorAt(0.51, colour(body));
    g.setColorAt(1, colour(BlendColors(body, m_colours.bright, 45)));
    p.setPen(colour(borderColour(body)));
    p.setBrush(g);
    p.drawRoundedRect(r, 3, 3);
    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour(m_colours.bright), 1, Qt::DotLine));
        p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 2, 2);
    }
}

// Styles 2-5 and 7: the outline filled with a gradient and a gloss ellipse on the upper half.
void CandyButton::drawShaped(QPainter& p, int state) {
    const Colour body = bodyColour(state);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath path = outlinePath(r);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, colour(BlendColors(body, m_colours.bright, state == StatePressed ? 20 : 55)));
    g.setColorAt(0.55, colour(body));
    g.setColorAt(1, colour(BlendColors(body, kBlack, 18)));
    p.fillPath(path, g);
    if (state != StatePressed) {
        QColor gloss = colour(m_colours.bright);
        gloss.setAlpha(state == StateHover ? 120 : 85);
        p.save();
        p.setClipPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(gloss);
        p.drawEllipse(QRectF(r.width() * 0.06, -r.height() * 0.25, r.width() * 0.88, r.height() * 0.7));
        p.restore();
    }
    p.strokePath(path, QPen(colour(borderColour(body)), hasFocus() ? 2 : 1));
}

// Style 6: a pill lit from below with a highlight ellipse on top.
void CandyButton::drawOrb(QPainter& p, int state) {
    const Colour body = bodyColour(state);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath path = outlinePath(r);
    QRadialGradient g(r.center().x(), r.bottom(), std::max(r.width(), r.height()) * 0.7);
    g.setColorAt(0, colour(BlendColors(body, m_colours.bright, state == StateHover ? 60 : 40)));
    g.setColorAt(1, colour(BlendColors(body, kBlack, state == StatePressed ? 35 : 15)));
    p.fillPath(path, g);
    QColor shine = colour(kWhite);
    shine.setAlpha(state == StatePressed ? 40 : 110);
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(
        QRectF(r.left() + r.height() * 0.3, r.top() + 1.5, r.width() - r.height() * 0.6, r.height() * 0.42));
    p.strokePath(path, QPen(colour(borderColour(body)), hasFocus() ? 2 : 1));
}

void CandyButton::DrawIconWCaption(QPainter& p, int state) {
    p.setRenderHint(QPainter::Antialiasing, false);
    const QString caption = Caption();
    const bool highlit = m_hovered && isEnabled();
    QColor textColour = colour(m_captionHighLite && highlit ? m_captionHighLiteColor : m_foreColor);
    if (!isEnabled())
        textColour = colour(systemColour(17));

    QPixmap picture;
    if (!m_picture.isNull()) {
        const int limit = std::max(1, height() - 6);
        picture =
            m_picture.height() > limit ? m_picture.scaledToHeight(limit, Qt::SmoothTransformation) : m_picture;
        if (!isEnabled()) {
            picture = QIcon(picture).pixmap(picture.size(), QIcon::Disabled);
        } else if (m_iconHighLite && highlit) {
            QPainter tint(&picture);
            tint.setCompositionMode(QPainter::CompositionMode_SourceAtop);
            QColor c = colour(m_iconHighLiteColor);
            c.setAlpha(110);
            tint.fillRect(picture.rect(), c);
        }
    }

    QRect area = rect().adjusted(4, 3, -4, -3);
    if (state == StatePressed)
        area.translate(1, 1);
    const QFontMetrics fm(font());
    const QSize text(caption.isEmpty() ? 0 : fm.horizontalAdvance(caption), caption.isEmpty() ? 0 : fm.height());
    const QSize pic = picture.isNull() ? QSize(0, 0) : picture.deviceIndependentSize().toSize();
    const int gap = (!picture.isNull() && !caption.isEmpty()) ? 4 : 0;
    QPoint picAt, textAt;
    switch (m_pictureAlignment) {
    case 1:
    case 0: {
        const int total = text.width() + gap + pic.width();
        const int left = area.left() + (area.width() - total) / 2;
        const bool pictureFirst = m_pictureAlignment == 0;
        picAt = {pictureFirst ? left : left + text.width() + gap, area.top() + (area.height() - pic.height()) / 2};
        textAt = {pictureFirst ? left + pic.width() + gap : left,
                  area.top() + (area.height() - text.height()) / 2};
        break;
    }
    case 2:
    case 3: {
        const int total = text.height() + gap + pic.height();
        const int top = area.top() + (area.height() - total) / 2;
        const bool pictureFirst = m_pictureAlignment == 2;
        picAt = {area.left() + (area.width() - pic.width()) / 2, pictureFirst ? top : top + text.height() + gap};
        textAt = {area.left() + (area.width() - text.width()) / 2, pictureFirst ? top + pic.height() + gap : top};
        break;
    }
    default:
        picAt = {area.left() + (area.width() - pic.width()) / 2, area.top() + (area.height() - pic.height()) / 2};
        textAt = {area.left() + (area.width() - text.width()) / 2,
                  area.top() + (area.height() - text.height()) / 2};
        break;
    }
    if (!picture.isNull())
        p.drawPixmap(picAt, picture);
    if (!caption.isEmpty()) {
        p.setFont(font());
        p.setPen(textColour);
        p.drawText(QRect(textAt, text), Qt::AlignCenter | Qt::TextSingleLine, caption);
    }
}

} // namespace tavrola
