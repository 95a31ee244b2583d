// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/announce/AnnouncementPage.h"

#include "gui/clock/FitText.h"

#include <QFontInfo>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>

namespace tavrola {

namespace {

const QColor kCard(12, 46, 38);
const QColor kEdge(176, 148, 72);
const QColor kGold(236, 208, 128);
const QColor kPale(228, 232, 226);
// The fade in a few steps rather than at the display's rate: a wall clock idles most of the day,
// and each step repaints the whole page.
constexpr int kFadeMs = 300;
constexpr int kFadeSteps = 2;
// Pictures kept scaled to the page, so that a picture coming round again is not scaled again.
constexpr std::size_t kFittedKept = 16;

void paintCard(QPainter& p, const QRect& r) {
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const qreal radius = std::min(r.width(), r.height()) * 0.04;
    path.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.fillPath(path, kCard);
    p.setPen(QPen(kEdge, 1));
    p.drawPath(path);
}

} // namespace

AnnouncementPage::AnnouncementPage(const QString& name, QWidget* parent)
    : QWidget(parent), m_fade(new QTimer(this)) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_fade->setInterval(kFadeMs / kFadeSteps);
    connect(m_fade, &QTimer::timeout, this, [this] {
        m_opacity = std::min(1.0, m_opacity + 1.0 / kFadeSteps);
        if (m_opacity >= 1.0)
            m_fade->stop();
        update(contentRect()); // the card around it stays as it is
    });
}

void AnnouncementPage::fadeIn() {
    m_fade->stop();
    // A hidden page needs no fade: it appears whole when shown.
    if (!isVisible()) {
        m_opacity = 1.0;
        return;
    }
    m_opacity = 1.0 / kFadeSteps;
    update(contentRect());
    m_fade->start();
}

void AnnouncementPage::showPicture(const QImage& picture) {
    m_picture = picture;
    m_title.clear();
    m_text.clear();
    fadeIn();
}

void AnnouncementPage::showText(const QString& title, const QString& text) {
    m_picture = QImage();
    m_title = title;
    m_text = text;
    fadeIn();
}

void AnnouncementPage::setCornerText(const QString& text) {
    if (text == m_corner)
        return;
    m_corner = text;
    update();
}

QRect AnnouncementPage::contentRect() const {
    const int margin = std::max(8, height() / 24);
    return rect().adjusted(margin, margin, -margin, -margin);
}

const QPixmap& AnnouncementPage::fittedPicture(const QSize& size) {
    const qint64 key = m_picture.cacheKey();
    auto it = std::find_if(m_fitted.begin(), m_fitted.end(), [&](const Fitted& f) { return f.source == key; });
    if (it != m_fitted.end() && it->pixmap.size() == size)
        return it->pixmap;
    if (it != m_fitted.end())
        m_fitted.erase(it);
    if (m_fitted.size() >= kFittedKept)
        m_fitted.erase(m_fitted.begin());
    m_fitted.push_back({key, QPixmap::fromImage(m_picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation))});
    return m_fitted.back().pixmap;
}

void AnnouncementPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kCard.darker(130));
    paintCard(p, rect());
    const int margin = std::max(8, height() / 24);
    QRect inner = contentRect();
    if (!m_corner.isEmpty()) {
        QFont f = font();
        f.setPixelSize(std::max(12, height() / 14));
        f.setBold(true);
        p.setFont(f);
        p.setPen(kGold);
        const QRect corner = inner.adjusted(0, 0, 0, -inner.height() + QFontMetrics(f).height());
        p.drawText(corner, Qt::AlignRight | Qt::AlignVCenter, m_corner);
        inner.setTop(corner.bottom() + margin / 2);
    }
    p.setOpacity(m_opacity);
    if (!m_picture.isNull()) {
        // Fitted inside, never stretched; scaled once for each size it is drawn at.
        const QSize shown = m_picture.size().scaled(inner.size(), Qt::KeepAspectRatio);
        const QPixmap& fitted = fittedPicture(shown);
        p.drawPixmap(inner.x() + (inner.width() - shown.width()) / 2, inner.y() + (inner.height() - shown.height()) / 2,
                     fitted);
        return;
    }
    QFont body = font();
    QFont title = body;
    title.setPointSizeF(body.pointSizeF() * 1.3);
    title.setBold(true);
    const int titleHeight = m_title.isEmpty() ? 0 : QFontMetrics(title).height() * (m_title.count('\n') + 1);
    if (titleHeight > 0) {
        p.setFont(title);
        p.setPen(kGold);
        p.drawText(QRect(inner.x(), inner.y(), inner.width(), titleHeight), Qt::AlignHCenter | Qt::AlignTop,
                   m_title);
    }
    p.setFont(body);
    p.setPen(kPale);
    p.drawText(inner.adjusted(0, titleHeight + (titleHeight ? margin : 0), 0, 0),
               Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap, m_text);
}

FuneralPanel::FuneralPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("jenazah"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FuneralPanel::setNotice(const QString& name, const QString& prayer) {
    if (name == m_name && prayer == m_prayer)
        return;
    m_name = name;
    m_prayer = prayer;
    update();
}

void FuneralPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(8, 30, 26));
    paintCard(p, rect());
    // Two lines: "Solat Jenazah" and the name, then when; at the size the window gives the font
    // (the dates' size), smaller only where a long name would not fit.
    const int margin = height() / 16;
    const QRect inner = rect().adjusted(margin * 2, margin, -margin * 2, -margin);
    const QString caption = QStringLiteral("Solat Jenazah");
    const QString first = caption + QStringLiteral(": ") + m_name;
    const int own = QFontInfo(font()).pixelSize();
    const int lineHeight = inner.height() / 2;
    QFont f = font();
    f.setPixelSize(std::min(own, fitPixelSize(f, first, QSize(inner.width(), lineHeight))));
    p.setFont(f);
    const QRect top(inner.x(), inner.y(), inner.width(), lineHeight);
    const QFontMetrics fm(f);
    const int width = fm.horizontalAdvance(first);
    const int x = top.x() + std::max(0, (top.width() - width) / 2);
    p.setPen(kGold);
    p.drawText(QRect(x, top.y(), width, top.height()), Qt::AlignLeft | Qt::AlignVCenter, caption + QStringLiteral(": "));
    p.setPen(Qt::white);
    p.drawText(QRect(x + fm.horizontalAdvance(caption + QStringLiteral(": ")), top.y(), width, top.height()),
               Qt::AlignLeft | Qt::AlignVCenter, m_name);
    QFont second = font();
    second.setPixelSize(std::min(own, fitPixelSize(second, m_prayer, QSize(inner.width(), lineHeight))));
    p.setFont(second);
    p.setPen(kPale);
    p.drawText(QRect(inner.x(), inner.y() + lineHeight, inner.width(), lineHeight), Qt::AlignCenter, m_prayer);
}

} // namespace tavrola
