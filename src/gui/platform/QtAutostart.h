// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Autostart.h"

#include <QString>

namespace tavrola {

// Starts the program at the user's login: on Linux an XDG autostart entry (tavrola.desktop in the
// user's autostart folder), on Windows a value under the current user's Run key.
class QtAutostart : public Autostart {
public:
    // program: the executable to start; autostartFolder: where the entry goes (Linux only).
    QtAutostart(QString program, QString autostartFolder);
    // The running program in the user's own autostart folder (~/.config/autostart).
    QtAutostart();

    bool isEnabled() const override;
    bool setEnabled(bool on) override;

    QString entryPath() const;
    // The entry's text for a program; empty when the path cannot be written into an entry.
    static QString desktopEntry(const QString& program);

private:
    QString m_program;
    QString m_folder;
};

} // namespace tavrola
