// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/panel/PhonePanel.h"

#include "core/AppInfo.h"
#include "core/files/LogFile.h"
#include "core/panel/PanelHandler.h"
#include "core/panel/PanelStatus.h"
#include "core/platform/Clock.h"
#include "core/settings/ModBackupINI.h"
#include "gui/announce/PictureImport.h"
#include "gui/panel/PanelServer.h"
#include "gui/platform/LocalText.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QLoggingCategory>
#include <QNetworkInterface>
#include <QPasswordDigestor>
#include <QRandomGenerator>

#include <chrono>

namespace tavrola {

namespace {

Q_LOGGING_CATEGORY(lcPanel, "tavrola.panel")

constexpr qint64 kRetrySeconds = 60;

std::int64_t steadySeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
}

std::string stamp(const DateTime& t) {
    return pad(t.date.year, 4) + "-" + pad(t.date.month, 2) + "-" + pad(t.date.day, 2) + " " + timeOfDayText(t);
}

// The page's files, read from the program's resources once; no request path reaches a file.
std::map<std::string, panel::StaticFile> pageFiles() {
    struct Entry {
        const char* path;
        const char* resource;
        const char* type;
    };
    static constexpr Entry kFiles[] = {
        {"/", ":/panel/index.html", "text/html; charset=utf-8"},
        {"/panel.css", ":/panel/panel.css", "text/css; charset=utf-8"},
        {"/panel.js", ":/panel/panel.js", "text/javascript; charset=utf-8"},
    };
    std::map<std::string, panel::StaticFile> out;
    for (const Entry& e : kFiles) {
        QFile f(QString::fromLatin1(e.resource));
        if (f.open(QIODevice::ReadOnly))
            out[e.path] = {e.type, f.readAll().toStdString()};
        else
            qCWarning(lcPanel) << "Missing resource" << e.resource;
    }
    return out;
}

} // namespace

std::string derivePinKey(std::string_view pin, std::string_view salt, int iterations) {
    const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, QByteArray(pin.data(), static_cast<qsizetype>(pin.size())),
        QByteArray(salt.data(), static_cast<qsizetype>(salt.size())), iterations, 32);
    return key.toStdString();
}

std::string systemRandomBytes(std::size_t count) {
    std::string out(count, '\0');
    QRandomGenerator* g = QRandomGenerator::system();
    for (char& c : out)
        c = static_cast<char>(g->bounded(256));
    return out;
}

QStringList phonePageAddresses(int port) {
    QStringList out;
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (a.isLoopback())
            continue;
        const Q_IPV6ADDR raw = a.toIPv6Address();
        std::array<std::uint8_t, 16> bytes{};
        for (int i = 0; i < 16; ++i)
            bytes[static_cast<std::size_t>(i)] = raw[i];
        const bool v6 = a.protocol() == QAbstractSocket::IPv6Protocol;
        // IPv6 link-local addresses need the phone's own interface name in the address: left out.
        if (!panel::isLocalNetworkAddress(bytes) || (v6 && bytes[0] == 0xfe))
            continue;
        const QString host = v6 ? QLatin1Char('[') + a.toString() + QLatin1Char(']') : a.toString();
        const QString url = QStringLiteral("http://%1:%2/").arg(host).arg(port);
        if (v6)
            out.append(url);
        else
            out.prepend(url);
    }
    return out;
}

PhonePanel::PhonePanel(ProgramFolder folder, const Clock& clock, ModBackupINI& backups, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)) {
    const auto started = steadySeconds();
    panel::PanelHandler::Services s;
    s.settingsFile = m_folder.settingsFile();
    s.auditLog = m_folder.logFolder() / "panel.log";
    s.derive = derivePinKey;
    s.random = systemRandomBytes;
    s.steadySeconds = steadySeconds;
    s.wallClockText = [&clock] { return stamp(clock.now()); };
    s.backupSettings = [&backups] { return backups.CreateBackup(); };
    s.statusJson = [&clock, started, settings = m_folder.settingsFile(), db = m_folder.databaseFile()] {
        return panel::statusJson(clock.now(), steadySeconds() - started, settings, db);
    };
    s.files = pageFiles();
    s.toLocal = [](std::string_view utf8) {
        return fromQt(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    };
    s.fromLocal = [](std::string_view local) { return toQt(std::string(local)).toUtf8().toStdString(); };
    s.announcementsFolder = m_folder.announcementsFolder();
    s.addPicture = [&clock](AnnouncementStore& store, std::string_view bytes, const AnnouncementFields& fields) {
        const PictureImport picture =
            PictureImport::fromBytes(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (!picture.ok())
            return picture.reason();
        return addPictureAnnouncement(store, picture, clock.now(), fields);
    };
    m_handler = std::make_unique<panel::PanelHandler>(std::move(s));
    m_server = std::make_unique<PanelServer>(*m_handler);
}

PhonePanel::~PhonePanel() {
    m_server->stop();
}

bool PhonePanel::running() const {
    return m_server->running();
}

int PhonePanel::port() const {
    return m_server->port();
}

void PhonePanel::say(const QString& line) {
    if (line == m_status)
        return;
    m_status = line;
    qCInfo(lcPanel).noquote() << line;
    emit statusChanged(line);
}

void PhonePanel::followSettings() {
    const panel::PanelConfig c = panel::readPanelConfig(m_folder.settingsFile());
    if (m_everSeen && c.pinHash != m_seen.pinHash)
        signOutAll(); // a new PIN, in the window or by hand
    const bool changed = !m_everSeen || c.active != m_seen.active || c.port != m_seen.port;
    m_everSeen = true;
    m_seen = c;
    if (!c.active) {
        if (running() || changed) {
            m_server->stop();
            say(QStringLiteral("Halaman telefon dimatikan"));
        }
        return;
    }
    const qint64 now = steadySeconds();
    if (running() && c.port == port())
        return;
    if (!changed && now < m_retryAt)
        return;
    const QString failure = m_server->start(c.port);
    if (failure.isEmpty()) {
        say(QStringLiteral("Halaman telefon berjalan di port %1").arg(c.port));
        return;
    }
    m_retryAt = now + kRetrySeconds;
    if (failure != m_status) {
        // One line in the log for each new failure, not one a minute.
        LogFile(m_folder.logFolder() / "panel.log")
            .append(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() +
                    " " + fromQt(failure));
    }
    say(failure);
}

void PhonePanel::signOutAll() {
    m_handler->signOutAll();
}

} // namespace tavrola
