// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>

namespace tavrola {

class Clock;
class Velmora;

// Writes what the clock window shows to a small text file after every tick, so that end-to-end
// runs can watch a real clock from outside without reading pixels. Off unless TAVROLA_STATE_FILE
// names the file. One "KEY=value" line each, UTF-8; the file is replaced whole, never half-written:
//   NOW  TIME  DATE  HIJRI  COMMENT  TITLE  ANNOUNCED  ANNOUNCEMENTS  CACHE_MONTH  TICKS  SCREEN
class StateReport : public QObject {
    Q_OBJECT
public:
    // database: the month file whose CACHE_MONTH is reported.
    StateReport(const Velmora& window, const Clock& clock, std::filesystem::path database,
                std::filesystem::path stateFile, QObject* parent = nullptr);

    // A report watching `window`'s ticks when TAVROLA_STATE_FILE is set; null otherwise.
    static std::unique_ptr<StateReport> fromEnvironment(const Velmora& window, const Clock& clock,
                                                        const std::filesystem::path& database);

    QString text() const;

public slots:
    void write();
    void noteAnnouncement(const QString& sentence);

private:
    const Velmora& m_window;
    const Clock& m_clock;
    std::filesystem::path m_database;
    std::filesystem::path m_file;
    QString m_lastSentence;
    long long m_announcements = 0;
    long long m_writes = 0;
};

} // namespace tavrola
