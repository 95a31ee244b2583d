// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One clock window over a temporary program folder: setting.ini with titles, December 2026's
// database, a fake clock at Saturday 5 December 2026 13:10:05 (Zohor 13:05, Asar 16:25), fake
// speech, and one fake monitor of the size asked for.
#include "core/files/IniFile.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeScreens.h"
#include "fakes/FakeSpeech.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"
#include "gui/clock/Velmora.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <string>

namespace tavrola::testing {

struct ClockWindowRig {
    fakes::TempDir dir;
    ProgramFolder folder{dir.path()};
    fakes::FakeClock clock{DateTime{{2026, 12, 5}, 13, 10, 5, 0}};
    fakes::FakeSpeech speech;
    fakes::FakeScreens screens;
    std::unique_ptr<Velmora> window;

    explicit ClockWindowRig(const std::string& extraSettings = {}, QSize monitor = {1920, 1080}) {
        writeSettings(
            "[TAJUK-01]\r\nTITLE01=Masjid Al-Hidayah\r\nTSIZE=50\r\nTITLE02=Selamat Datang\r\nFSIZE=30\r\n"
            "TEMPAT=Taman Seri Murni\r\n[12-24HRS]\r\nSETJAM=0\r\n[TARIKH_HIJRAH]\r\nMASA=1\r\n"
            "[WSOLAT_JAM]\r\nSKROL=OFF\r\n" +
            extraSettings);
        fakes::writeDatabase(folder.databaseFile(), fakes::monthText({2026, 12, 1}));
        screens.add("ONE", {0, 0, monitor.width(), monitor.height()}, true);
        window = std::make_unique<Velmora>(folder, clock, speech, screens);
        window->setWindowFlags(Qt::FramelessWindowHint);
    }

    // Loads the window, which covers the monitor and fades in, and waits until it is on screen.
    void load() {
        window->load();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void writeSettings(const std::string& text) { fakes::writeBytes(folder.settingsFile(), text); }
    void set(const char* section, const char* key, const std::string& value) {
        AddToINI(section, key, value, folder.settingsFile());
    }
    void setTime(int h, int m, int s, Date d = {2026, 12, 5}) { clock.set(DateTime{d, h, m, s, 0}); }

    // The timers' work, run at once.
    void tick() { QMetaObject::invokeMethod(window.get(), "onSolatTimer"); }
    void readTitles() { QMetaObject::invokeMethod(window.get(), "onReadINITimer"); }

    template <typename T = QWidget> T* find(const char* name) const { return window->findChild<T*>(name); }
    QString text(const char* name) const {
        if (const auto* label = find<QLabel>(name))
            return label->text();
        const auto* field = find<QLineEdit>(name);
        return field ? field->text() : QString();
    }
    QColor colour(const char* name) const { return find(name)->palette().color(QPalette::WindowText); }
};

} // namespace tavrola::testing
