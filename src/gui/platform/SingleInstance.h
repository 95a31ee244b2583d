#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace tavrola {

// Keeps a second start of the same program folder from opening a second clock. The lock lives in
// the temporary folder (the program folder may be read-only) under a name derived from the folder;
// a lock left by a crashed run is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programFolder);
    ~SingleInstance();

    // False only when another running instance holds the lock. Any other failure to lock lets the
    // clock start: a missing lock must never keep the clock off the screen.
    bool acquire();

    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tavrola
