// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"
#include "core/panel/PanelSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace tavrola {

class Clock;
class ModBackupINI;
class PanelServer;
namespace panel {
class PanelHandler;
}

// The clock's own page on the mosque's network: serves it while [PANEL] AKTIF=ON, stops it when
// switched off and moves it when the port changes, whoever edited setting.ini. The page's files are
// compiled into the program; its rules are the core's PanelHandler.
class PhonePanel : public QObject {
    Q_OBJECT
public:
    PhonePanel(ProgramFolder folder, const Clock& clock, ModBackupINI& backups, QObject* parent = nullptr);
    ~PhonePanel() override;

    bool running() const;
    int port() const;
    // The last line said about the server ("Halaman telefon berjalan di port 8080").
    QString status() const { return m_status; }

public slots:
    // Called every second by the clock: starts, stops or moves the server as the file says, and
    // signs every phone out when the PIN has changed.
    void followSettings();
    void signOutAll();

signals:
    void statusChanged(const QString& line);

private:
    void say(const QString& line);

    ProgramFolder m_folder;
    std::unique_ptr<panel::PanelHandler> m_handler;
    std::unique_ptr<PanelServer> m_server;
    panel::PanelConfig m_seen; // what followSettings last acted on
    bool m_everSeen = false;
    qint64 m_retryAt = 0; // a port in use is tried again now and then, quietly
    QString m_status;
};

// What to open on a phone: "http://<address>:<port>/" for each of the computer's addresses on the
// local network, IPv4 first (loopback left out).
QStringList phonePageAddresses(int port);

// PBKDF2-HMAC-SHA256 (Qt's implementation), and bytes from the system's random generator.
std::string derivePinKey(std::string_view pin, std::string_view salt, int iterations);
std::string systemRandomBytes(std::size_t count);

} // namespace tavrola
