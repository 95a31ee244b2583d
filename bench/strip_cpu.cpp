// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the prayer-times strip across a 1920x1080 window for a given time and reports how many ticks it
// made; scripts/measure_strip_cpu.sh runs it and works out the CPU use.
// Usage: strip_cpu [seconds] [SKROL value]
#include "gui/clock/StripMover.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const std::string skrol = argc > 2 ? argv[2] : "";

    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setStyleSheet("background: black; color: white;");
    window.setGeometry(0, 0, 1920, 1080);
    // A strip like the clock's: eight names over eight times, in large type.
    auto* picHolder = new QWidget(&window);
    picHolder->setObjectName("picHolder");
    picHolder->setGeometry(60, 820, 1800, 200);
    const char* names[] = {"IMSAK", "SUBOH", "SYURUK", "DHUHA", "ZOHOR", "ASAR", "MAGRIB", "ISYAK"};
    for (int i = 0; i < 8; ++i) {
        auto* name = new QLabel(names[i], picHolder);
        name->setGeometry(i * 225, 0, 220, 60);
        name->setAlignment(Qt::AlignCenter);
        QFont f = name->font();
        f.setPointSize(28);
        name->setFont(f);
        auto* time = new QLabel("12:34", picHolder);
        time->setGeometry(i * 225, 70, 220, 110);
        time->setAlignment(Qt::AlignCenter);
        f.setPointSize(56);
        time->setFont(f);
    }
    window.show();

    tavrola::StripMover strip(picHolder);
    long ticks = 0;
    QObject::connect(strip.findChild<QTimer*>(QStringLiteral("tmrScroll")), &QTimer::timeout, [&ticks] { ++ticks; });
    strip.startUp(skrol);

    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    std::printf("ticks=%ld seconds=%.1f ticks_per_second=%.1f\n", ticks, wall.elapsed() / 1000.0,
                ticks * 1000.0 / std::max<qint64>(1, wall.elapsed()));
    return 0;
}
