// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/panel/PanelServer.h"

#include "core/panel/PanelHandler.h"
#include "core/panel/PanelSettings.h"

#include <QHostAddress>

#include <httplib.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace tavrola {

namespace {

using panel::RequestHead;

void copyHead(const httplib::Request& req, RequestHead& head) {
    head.method = req.method;
    head.path = req.path;
    head.addressText = req.remote_addr;
    // "::ffff:192.168.1.20" from a dual-stack socket reads back as the IPv4 address.
    QHostAddress peer(QString::fromStdString(req.remote_addr));
    if (peer.protocol() == QAbstractSocket::IPv6Protocol) {
        bool isV4 = false;
        const quint32 v4 = peer.toIPv4Address(&isV4);
        if (isV4)
            head.addressText = QHostAddress(v4).toString().toStdString();
    }
    const Q_IPV6ADDR bytes = peer.toIPv6Address();
    for (std::size_t i = 0; i < head.address.size(); ++i)
        head.address[i] = peer.isNull() ? 0 : bytes[static_cast<int>(i)];
    if (req.has_header("Content-Length")) {
        const std::string text = req.get_header_value("Content-Length");
        char* end = nullptr;
        errno = 0;
        const unsigned long long n = std::strtoull(text.c_str(), &end, 10);
        // An unreadable length counts as too long.
        head.contentLength = (errno || end == text.c_str() || *end) ? ~std::uint64_t(0) : n;
    }
    head.transformedBody = req.has_header("Transfer-Encoding") || req.has_header("Content-Encoding");
    head.cookie = req.get_header_value("Cookie");
    head.csrfToken = req.get_header_value("X-CSRF-Token");
}

void apply(const panel::Response& from, httplib::Response& to) {
    to.status = from.status;
    for (const auto& [name, value] : from.headers)
        to.set_header(name, value);
    to.set_content(from.body, from.contentType.empty() ? "text/plain" : from.contentType.c_str());
}

void socketOptions(socket_t sock) {
    int yes = 1, no = 0;
#ifdef _WIN32
    setsockopt(sock, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<char*>(&yes), sizeof yes);
    setsockopt(sock, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<char*>(&no), sizeof no);
#else
    // Address reuse after a restart, but no port sharing: another program on the port is "in use".
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    setsockopt(sock, IPPROTO_IPV6, IPV6_V6ONLY, &no, sizeof no);
#endif
}

} // namespace

PanelServer::PanelServer(panel::PanelHandler& handler) : m_handler(handler) {}

PanelServer::~PanelServer() {
    stop();
}

QString PanelServer::start(int port, const QString& host) {
    stop();
    auto server = std::make_unique<httplib::Server>();
    server->new_task_queue = [] { return new httplib::ThreadPool(panel::kMaxConnections); };
    server->set_payload_max_length(panel::kPictureBodyLimit);
    server->set_read_timeout(panel::kIdleSeconds, 0);
    server->set_write_timeout(panel::kIdleSeconds, 0);
    server->set_keep_alive_timeout(panel::kIdleSeconds);
    // One request per connection: after a refusal the library would otherwise read the unread body
    // as the next request's first line, and it holds a line in memory however long it grows.
    server->set_keep_alive_max_count(1);
    server->set_socket_options(socketOptions);

    // Before the body is read: the address filter and the body's size.
    server->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        RequestHead head;
        copyHead(req, head);
        if (const auto refused = m_handler.screen(head)) {
            apply(*refused, res);
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    const auto handle = [this](const httplib::Request& req, httplib::Response& res) {
        panel::Request r;
        copyHead(req, r);
        r.ifMatch = req.get_header_value("If-Match");
        for (const auto& [name, value] : req.params)
            r.query.emplace_back(name, value);
        r.body = req.body;
        apply(m_handler.handle(r), res);
    };
    server->Get(".*", handle);
    server->Post(".*", handle);
    server->Put(".*", handle);
    server->Patch(".*", handle);
    server->Delete(".*", handle);
    server->Options(".*", handle);
    // The library's own refusals (a malformed request line, a body over the last limit) carry the
    // same headers as ours.
    server->set_error_handler([](const httplib::Request& req, httplib::Response& res) {
        for (const auto& [name, value] : panel::securityHeaders(req.path))
            if (!res.has_header(name.c_str()))
                res.set_header(name, value);
    });

    const auto bindTo = [&](const char* address) { return server->bind_to_port(address, port); };
    const bool bound = host.isEmpty() ? (bindTo("::") || bindTo("0.0.0.0")) : bindTo(host.toUtf8().constData());
    if (!bound)
        return QStringLiteral("Port %1 sudah digunakan atau tidak boleh dibuka: halaman telefon tidak berjalan")
            .arg(port);
    m_server = std::move(server);
    m_port = port;
    m_thread = std::thread([s = m_server.get()] { s->listen_after_bind(); });
    // stop() only reaches a server that has begun listening; the wait is a few microseconds.
    for (int i = 0; i < 2000 && !m_server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return {};
}

void PanelServer::stop() {
    if (!m_server)
        return;
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
    m_port = 0;
}

} // namespace tavrola
