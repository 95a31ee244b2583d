// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <vector>

class QTimer;

namespace tavrola {

// One announcement on the wall: a picture fitted inside (never stretched), or a title over its
// text, on a calm card. A new page fades in, in a few steps. Its font is the text's; the title
// is drawn larger. The full-screen round uses the same page with the clock's time in a corner.
class AnnouncementPage : public QWidget {
    Q_OBJECT
public:
    explicit AnnouncementPage(const QString& name, QWidget* parent = nullptr);

    void showPicture(const QImage& picture);
    void showText(const QString& title, const QString& text);
    // The time drawn in the top right corner (the full-screen round); empty for none.
    void setCornerText(const QString& text);

    // What the page shows, for the window's health report and tests.
    QString shownTitle() const { return m_title; }
    bool showsPicture() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fadeIn();
    const QPixmap& fittedPicture(const QSize& size);
    QRect contentRect() const; // inside the card's margin

    QImage m_picture;
    // The pictures shown lately, at the size they were drawn (oldest first).
    struct Fitted {
        qint64 source; // the picture's cacheKey
        QPixmap pixmap;
    };
    std::vector<Fitted> m_fitted;
    QString m_title;
    QString m_text;
    QString m_corner;
    qreal m_opacity = 1.0;
    QTimer* m_fade;
};

// The funeral notice: "Solat Jenazah", the name and when the prayer is held, in letters a hall
// can read, on a calm band.
class FuneralPanel : public QWidget {
    Q_OBJECT
public:
    explicit FuneralPanel(QWidget* parent = nullptr);
    void setNotice(const QString& name, const QString& prayer);
    QString name() const { return m_name; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    QString m_prayer;
};

} // namespace tavrola
