// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/announce/AnnouncementPage.h"

#include "gui/clock/FitText.h"

#include <QFontInfo>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

namespace tavrola {

namespace {

const QColor kCard(12, 46, 38);
const QColor kEdge(176, 148, 72);
const QColor kGold(236, 208, 128);
const QColor kPale(228, 232, 226);
constexpr int kFadeMs = 450;

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
    : QWidget(parent), m_fade(new QVariantAnimation(this)) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_fade->setDuration(kFadeMs);
    m_fade->setStartValue(0.0);
    m_fade->setEndValue(1.0);
    connect(m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_opacity = v.toReal();
        update();
    });
}

void AnnouncementPage::fadeIn() {
    m_fitted = QPixmap();
    // A hidden page needs no fade: it appears whole when shown.
    if (!isVisible()) {
        m_opacity = 1.0;
        return;
    }
    m_fade->stop();
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

void AnnouncementPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kCard.darker(130));
    paintCard(p, rect());
    const int margin = std::max(8, height() / 24);
    QRect inner = rect().adjusted(margin, margin, -margin, -margin);
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
        if (m_fitted.size() != shown)
            m_fitted = QPixmap::fromImage(m_picture.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        p.drawPixmap(inner.x() + (inner.width() - shown.width()) / 2, inner.y() + (inner.height() - shown.height()) / 2,
                     m_fitted);
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
