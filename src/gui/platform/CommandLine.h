// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tavrola {

// What the command line asks of this start.
struct StartOptions {
    bool startClock = true; // false: print `text` and end with `exitStatus`
    bool guard = false;     // --guard: run the clock as a child and start it again when it fails
    int exitStatus = 0;
    QString text; // --help or --version (standard output), or the error (standard error)
};

// Reads the arguments (the program's name first). Qt's own options (-platform, -display, -style ...)
// are accepted and left for QApplication. Needs no application object, so it works without a display.
StartOptions parseCommandLine(const QStringList& arguments);

// parseCommandLine over argv; prints the answer when the clock is not to start.
StartOptions readCommandLine(int argc, char* argv[]);

} // namespace tavrola
