// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>
#include <thread>

namespace httplib {
class Server;
}

namespace tavrola {

namespace panel {
class PanelHandler;
}

// The phone page's HTTP server (cpp-httplib) on its own thread: it reads requests with the
// library's limits and hands them to the handler, which holds every rule. Nothing here touches a
// Qt object, so the server's threads never need the GUI thread.
class PanelServer {
public:
    explicit PanelServer(panel::PanelHandler& handler);
    ~PanelServer();
    PanelServer(const PanelServer&) = delete;
    PanelServer& operator=(const PanelServer&) = delete;

    // Listens on every address of the computer (IPv6 and IPv4; IPv4 alone where IPv6 is off) at
    // `port`, or on `host` when one is given. Empty on success, otherwise why not ("Port 8080
    // sudah digunakan"). The socket is bound before this returns.
    QString start(int port, const QString& host = {});
    void stop();
    bool running() const { return m_server != nullptr; }
    int port() const { return m_port; }

private:
    panel::PanelHandler& m_handler;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
};

} // namespace tavrola
