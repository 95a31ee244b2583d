// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/clock/PrayerSchedule.h"
#include "gui/clock/CardFrame.h"

#include <QObject>
#include <QString>

#include <array>
#include <filesystem>
#include <string_view>

class QLabel;
class QWidget;

namespace tavrola {

class ClockFace;
class CongregationScreens;
class StripMover;
class ucAniGIF;

// The prayer-times strip along the bottom of the clock window (picHolder): the day's eight times
// under their names, the indicator under the current obligatory prayer and the countdown line. It
// runs across the window like a ticker or stands still, centred.
class PrayerStrip : public QObject {
    Q_OBJECT
public:
    // gifFolder: where the indicator pictures are; underlay: the window's backdrop under the card.
    PrayerStrip(QWidget& window, const std::filesystem::path& gifFolder, CardFrame::Underlay underlay);

    void setFaces(const QString& digitFamily);
    // One tick's times, colours, indicator and countdown line.
    void show(const PrayerSchedule::Tick& tick);
    // A prayer's announcement line, until the tick writes the countdown again.
    void showComment(const QString& line);
    QString countdownLine() const;

    // The start-up step from the SKROL value: running, or still and centred.
    void startUp(std::string_view skrol);
    bool isRunning() const;
    // Moves on from where the strip stands, or holds it there.
    void setRunning(bool run);

    // The congregation's countdown takes the strip's place while it shows.
    void makeRoomFor(CongregationScreens& screens);

    // Without it only the digits, captions and pictures show (no-background mode).
    void setDrawn(bool drawn);
    void backdropChanged();

private:
    ClockFace* timeOf(Prayer p) const;
    ucAniGIF* indicator(int i) const;

    CardFrame* picHolder;
    std::array<ClockFace*, kPrayerCount> m_times{}; // cmdImsak .. cmdIsyak, in Prayer order
    std::array<QLabel*, kPrayerCount> Waktunya{};
    std::array<ucAniGIF*, kIndicatorCount> ucAniGIF2{};
    QLabel* comment;
    StripMover* m_mover;
};

} // namespace tavrola
