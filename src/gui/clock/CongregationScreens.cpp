// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/CongregationScreens.h"

#include "core/platform/Audio.h"
#include "core/prayerdata/PrayerDatabase.h"
#include "core/platform/Speech.h"
#include "gui/clock/IqamahPanel.h"
#include "gui/clock/PrayerInProgressPanel.h"
#include "gui/platform/LocalText.h"

#include <QEvent>
#include <QWidget>

namespace tavrola {

CongregationScreens::CongregationScreens(QWidget& window, ProgramFolder folder, Speech& speech)
    : QObject(&window), m_window(window), m_folder(std::move(folder)), m_speech(speech),
      m_iqamah(new IqamahPanel(&window)), m_prayer(new PrayerInProgressPanel(&window)) {
    m_iqamah->hide();
    m_prayer->hide();
    m_prayer->setGeometry(window.rect());
    window.installEventFilter(this);
}

CongregationScreens::~CongregationScreens() = default;

void CongregationScreens::place(const QRect& area, QWidget* covered) {
    m_iqamah->setGeometry(area);
    m_prayer->setGeometry(m_window.rect());
    m_covered = covered;
}

bool CongregationScreens::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Resize)
        m_prayer->setGeometry(m_window.rect());
    return QObject::eventFilter(watched, event);
}

void CongregationScreens::setFaces(const QString& digitFamily, const QStringList& letterFamilies) {
    m_iqamah->setFaces(digitFamily, letterFamilies);
    m_prayer->setFaces(digitFamily, letterFamilies);
}

void CongregationScreens::show(QWidget* screen, bool on) {
    if (screen->isHidden() != on)
        return;
    screen->setVisible(on);
    if (on)
        screen->raise();
}

void CongregationScreens::tick(const DateTime& now, const DayTimes& today, const QString& clockText) {
    using Screen = CongregationState::Screen;
    const CongregationSettings& s = m_settings.get(m_folder.settingsFile());
    const CongregationState before = m_state;
    if (!s.anyScreen()) {
        m_state = {};
    } else {
        const DayTimes yesterday = congregationNeedsYesterday(now, s)
                                       ? readDayTimes(m_folder.databaseFile(), addDays(now.date, -1))
                                       : DayTimes{};
        m_state = congregationState(now, today, yesterday, s);
    }
    if (s.tone && m_audio && iqamahReached(before, m_state))
        m_audio->tone();

    const QString name = toQt(std::string(jemaahName(m_state.prayer)));
    if (m_state.screen == Screen::IqamahCountdown)
        m_iqamah->showCountdown(name, m_state.remainingSeconds, toQt(s.message));
    else if (m_state.screen == Screen::PrayerInProgress)
        m_prayer->showPrayer(clockText, name, m_state.minutesSinceIqamah, m_state.afterIqamah);
    show(m_iqamah, m_state.screen == Screen::IqamahCountdown);
    if (m_state.screen == Screen::PrayerInProgress && m_prayer->isHidden())
        m_prayer->setGeometry(m_window.rect()); // a hidden window's resizes reach it only when shown
    show(m_prayer, m_state.screen == Screen::PrayerInProgress);
    // The strip under the screens need not be drawn (nor its scrolling repaint the countdown). It
    // is shown again only if it was these screens that hid it.
    const bool covering = m_state.screen != Screen::Normal;
    if (m_covered && covering != m_coveredHidden && (!covering || !m_covered->isHidden())) {
        m_covered->setVisible(!covering);
        m_coveredHidden = covering;
    }
}

bool CongregationScreens::azanPlaying() const {
    return m_audio && m_audio->playing();
}

bool CongregationScreens::announce(Prayer prayer, const std::string& sentence) {
    const std::filesystem::path file =
        azanFileFor(prayer, m_settings.get(m_folder.settingsFile()), m_folder.root());
    if (!file.empty() && m_audio) {
        // A file that fails later still gets its sentence, a moment late.
        if (m_audio->play(file, [this, sentence] { m_speech.speak(sentence); }))
            return true;
    }
    return m_speech.speak(sentence);
}

} // namespace tavrola
