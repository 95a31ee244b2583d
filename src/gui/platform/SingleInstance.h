// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace tavrola {

// Keeps a second start of the same copy from opening a second clock. The lock is named after the
// data folder (each user's own for an installed copy, the program folder for a portable one) and
// lives where only this user can write: the runtime folder when the session has one, else the data
// folder itself. A lock left by a crashed run is taken over; one another user could have made is
// ignored.
class SingleInstance {
public:
    explicit SingleInstance(const QString& dataFolder);
    ~SingleInstance(); // removes the lock

    // False only when another running clock of this user holds the lock. Any other failure to
    // lock lets the clock start: a missing lock must never keep the clock off the screen.
    bool acquire();

    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tavrola
