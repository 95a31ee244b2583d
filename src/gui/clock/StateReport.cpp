// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/StateReport.h"

#include "core/calendar/DateTime.h"
#include "core/files/AtomicFile.h"
#include "core/platform/Clock.h"
#include "core/prayerdata/PrayerDatabase.h"
#include "gui/clock/IqamahPanel.h"
#include "gui/clock/PrayerInProgressPanel.h"
#include "gui/clock/Velmora.h"
#include "gui/platform/LocalText.h"

#include <QDebug>

#include <system_error>

namespace tavrola {

namespace {

// A value on one line: line breaks in a label would start a new key.
QString oneLine(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

StateReport::StateReport(const Velmora& window, const Clock& clock, std::filesystem::path database,
                         std::filesystem::path stateFile, QObject* parent)
    : QObject(parent), m_window(window), m_clock(clock), m_database(std::move(database)),
      m_file(std::move(stateFile)) {
    connect(&window, &Velmora::ticked, this, &StateReport::write);
}

std::unique_ptr<StateReport> StateReport::fromEnvironment(const Velmora& window, const Clock& clock,
                                                          const std::filesystem::path& database) {
    const QString file = qEnvironmentVariable("TAVROLA_STATE_FILE");
    if (file.isEmpty())
        return nullptr;
    return std::make_unique<StateReport>(window, clock, database, pathFromQt(file));
}

QString StateReport::text() const {
    const DateTime now = m_clock.now();
    CacheMonthLine month;
    std::error_code ec;
    // The month key as stored, without the "=" the updater's own field keeps.
    const QString cacheMonth = readCacheMonth(m_database, month, ec) && month.found
                                   ? toQt(month.field.substr(month.field.empty() ? 0 : 1)).trimmed()
                                   : QString();
    const QString stamp = QString::fromStdString(pad(now.date.year, 4) + "-" + pad(now.date.month, 2) + "-" +
                                                 pad(now.date.day, 2) + " " + timeOfDayText(now));
    QString out;
    const auto line = [&out](const char* key, const QString& value) {
        out += QLatin1String(key) + QLatin1Char('=') + oneLine(value) + QLatin1Char('\n');
    };
    const Velmora::Shown shown = m_window.shown();
    line("NOW", stamp);
    line("TIME", shown.time);
    line("DATE", shown.date);
    line("HIJRI", shown.hijri);
    line("COMMENT", shown.comment);
    line("TITLE", shown.title);
    line("CARD", shown.card);
    line("ANNOUNCED", m_lastSentence);
    line("ANNOUNCEMENTS", QString::number(m_announcements));
    line("CACHE_MONTH", cacheMonth);
    line("TICKS", QString::number(m_writes));
    // The congregation's screens, when one shows: "IQAMAH ZOHOR 05:00" or "SOLAT ZOHOR 12 minit".
    QString screen;
    if (const auto* iqamah = m_window.findChild<IqamahPanel*>(); iqamah && iqamah->isVisibleTo(&m_window))
        screen = QStringLiteral("IQAMAH ") + iqamah->prayerName() + QLatin1Char(' ') + iqamah->countdownText();
    if (const auto* prayer = m_window.findChild<PrayerInProgressPanel*>();
        prayer && prayer->isVisibleTo(&m_window))
        screen = QStringLiteral("SOLAT ") + prayer->caption() + QLatin1Char(' ') + prayer->minutesText();
    line("SCREEN", screen);
    return out;
}

void StateReport::write() {
    ++m_writes;
    std::error_code ec;
    if (!replaceFileAtomically(m_file, temporaryPathFor(m_file), text().toUtf8().toStdString(), ec))
        qWarning() << "State report not written:" << QString::fromStdString(ec.message());
}

void StateReport::noteAnnouncement(const QString& sentence) {
    m_lastSentence = sentence;
    ++m_announcements;
}

} // namespace tavrola
