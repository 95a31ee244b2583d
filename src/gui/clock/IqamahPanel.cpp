// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/IqamahPanel.h"

#include "gui/clock/ClockLook.h"
#include "gui/clock/FitText.h"
#include "core/clock/Congregation.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPaintEvent>

namespace tavrola {

namespace {
using look::kGold;
using look::kPaleGold;
using look::kWhite;
const QColor kRed(255, 40, 40);

QFont face(const QStringList& families, bool bold = false) {
    QFont f;
    f.setFamilies(families);
    f.setBold(bold);
    return f;
}
} // namespace

IqamahPanel::IqamahPanel(QWidget* parent)
    : QWidget(parent), m_digitFamily(look::kDigitFamily), m_letterFamilies(look::kNarrow) {
    setObjectName(QStringLiteral("IqamahPanel"));
}

void IqamahPanel::setFaces(const QString& digitFamily, const QStringList& letterFamilies) {
    m_digitFamily = digitFamily;
    m_letterFamilies = letterFamilies;
    m_fitted = {};
    update();
}

IqamahPanel::Parts IqamahPanel::parts() const {
    // Designed for the strip's place (1920 x 290): words on the left third, the digits on the
    // rest, the message in a band along the bottom when there is one.
    const int w = width(), h = height();
    const int m = std::max(2, h / 24);
    const int band = m_message.isEmpty() ? 0 : h * 22 / 100;
    const int top = h - band;
    const int left = w * 30 / 100;
    Parts p;
    p.label = QRect(m * 2, m, left - m * 2, (top - m) * 55 / 100);
    p.name = QRect(m * 2, p.label.bottom(), left - m * 2, top - m - p.label.height());
    p.digits = QRect(left, m, w - left - m * 2, top - m * 2);
    p.message = QRect(m * 2, top - m / 2, w - m * 4, band - m / 2);
    return p;
}

int IqamahPanel::digitPixelSize() const {
    return fitPixelSize(face({m_digitFamily}), QStringLiteral("88:88"), parts().digits.size());
}

const IqamahPanel::Fitted& IqamahPanel::fitted() {
    if (m_fitted.size == size() && m_fitted.prayer == m_prayer && m_fitted.message == m_message)
        return m_fitted;
    const Parts r = parts();
    const QFont letters = face(m_letterFamilies, true);
    m_fitted = {size(),
                m_prayer,
                m_message,
                fitPixelSize(letters, QStringLiteral("IQAMAH"), r.label.size()),
                fitPixelSize(letters, m_prayer, r.name.size()),
                fitPixelSize(face(m_letterFamilies), m_message, r.message.size()),
                digitPixelSize()};
    return m_fitted;
}

void IqamahPanel::showCountdown(const QString& prayerName, int remainingSeconds, const QString& message) {
    const QString countdown = QString::fromStdString(countdownClock(remainingSeconds));
    const bool wasLast = lastSeconds();
    m_remaining = remainingSeconds;
    if (prayerName != m_prayer || message != m_message || wasLast != lastSeconds()) {
        m_prayer = prayerName;
        m_message = message;
        m_countdown = countdown;
        update();
    } else if (countdown != m_countdown) {
        m_countdown = countdown;
        update(parts().digits);
    }
}

void IqamahPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const bool urgent = lastSeconds();
    const Parts r = parts();

    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, urgent ? QColor(70, 8, 8) : QColor(16, 58, 46));
    g.setColorAt(1, urgent ? QColor(40, 4, 4) : QColor(6, 30, 24));
    p.setBrush(g);
    p.setPen(QPen(urgent ? kRed : kGold, std::max(2, height() / 60)));
    p.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), height() / 14.0, height() / 14.0);

    const Fitted& px = fitted();
    const auto words = [&](const QRect& box, const QString& text, const QColor& ink, bool bold, int pixels) {
        if (text.isEmpty() || box.isEmpty())
            return;
        QFont f = face(m_letterFamilies, bold);
        f.setPixelSize(pixels);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(box, Qt::AlignCenter, text);
    };
    words(r.label, QStringLiteral("IQAMAH"), urgent ? kRed : kPaleGold, true, px.label);
    words(r.name, m_prayer, kGold, true, px.name);
    words(r.message, m_message, kPaleGold, false, px.messageText);

    // The digits over faint unlit segments, as the big clock draws them.
    QFont digits = face({m_digitFamily});
    digits.setPixelSize(px.digits);
    p.setFont(digits);
    QColor unlit = kWhite;
    unlit.setAlpha(26);
    p.setPen(unlit);
    p.drawText(r.digits, Qt::AlignCenter, QStringLiteral("88:88"));
    p.setPen(urgent ? kRed : kWhite);
    p.drawText(r.digits, Qt::AlignCenter, m_countdown);
}

} // namespace tavrola
