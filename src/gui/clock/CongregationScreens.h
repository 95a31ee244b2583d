// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/clock/Congregation.h"
#include "core/files/ProgramFolder.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <string>

class QWidget;

namespace tavrola {

class Audio;
class IqamahPanel;
class PrayerInProgressPanel;
class Speech;

// The congregation's part of the clock window: the iqamah countdown over the strip, the dark
// prayer screen over the whole window, the tone at the iqamah and the azan at a prayer's start.
// The window creates it, tells it where the countdown goes and feeds it every tick; with none of
// the settings on, both screens stay hidden and every start is announced by the sentence alone.
class CongregationScreens : public QObject {
    Q_OBJECT
public:
    // The screens become children of `window`, created hidden at their designed places.
    CongregationScreens(QWidget& window, ProgramFolder folder, Speech& speech);
    ~CongregationScreens() override;

    // Without an Audio service (or with a file that will not play) the sentence is spoken.
    void setAudio(Audio* audio) { m_audio = audio; }
    // The countdown covers `area` (window coordinates) and hides `covered` (the strip) meanwhile.
    void place(const QRect& area, QWidget* covered);
    void setFaces(const QString& digitFamily, const QStringList& letterFamilies);

    // One clock tick: clockText as the big clock shows it.
    void tick(const DateTime& now, const DayTimes& today, const QString& clockText);
    // A prayer begins: its azan file if one is set and plays, else the sentence. False when
    // nothing could sound at all.
    bool announce(Prayer prayer, const std::string& sentence);

    const CongregationState& state() const { return m_state; }
    bool azanPlaying() const;

protected:
    // The prayer screen covers the window at any size, whatever scales the rest.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(QWidget* screen, bool on);

    QWidget& m_window;
    ProgramFolder m_folder;
    Speech& m_speech;
    Audio* m_audio = nullptr;
    CongregationSettingsCache m_settings;
    CongregationState m_state;
    IqamahPanel* m_iqamah;
    PrayerInProgressPanel* m_prayer;
    QPointer<QWidget> m_covered;
    bool m_coveredHidden = false;
};

} // namespace tavrola
