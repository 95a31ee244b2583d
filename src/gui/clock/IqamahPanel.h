// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace tavrola {

// The countdown from a prayer's start to its iqamah, for the back of a hall: "IQAMAH" and the
// prayer's name on the left, the minutes and seconds left in the digit face, and the committee's
// message beneath. Everything is drawn to the panel's own size, so it scales with whatever place
// the window gives it. The last ten seconds turn red. It has no timer: the clock feeds it.
class IqamahPanel : public QWidget {
    Q_OBJECT
public:
    explicit IqamahPanel(QWidget* parent = nullptr);

    void setFaces(const QString& digitFamily, const QStringList& letterFamilies);

    // Repaints only what changed (normally just the seconds).
    void showCountdown(const QString& prayerName, int remainingSeconds, const QString& message);

    QString countdownText() const { return m_countdown; }
    QString prayerName() const { return m_prayer; }
    QString message() const { return m_message; }
    bool lastSeconds() const { return m_remaining <= kLastSeconds; }
    // The countdown digits' pixel size at the panel's present size.
    int digitPixelSize() const;

    static constexpr int kLastSeconds = 10;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Parts {
        QRect label, name, digits, message;
    };
    Parts parts() const;
    // The fitted pixel sizes, measured again only when the size or the words change.
    struct Fitted {
        QSize size;
        QString prayer, message;
        int label = 0, name = 0, messageText = 0, digits = 0;
    };
    const Fitted& fitted();

    QString m_digitFamily;
    QStringList m_letterFamilies;
    QString m_prayer;
    QString m_countdown;
    QString m_message;
    int m_remaining = 0;
    Fitted m_fitted;
};

} // namespace tavrola
