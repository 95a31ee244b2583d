// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtHttpClient.h"

#include "gui/platform/LocalText.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

#ifdef TAVROLA_TEST_TRUST
#include <QSslCertificate>
#include <QtGlobal>
#endif

namespace tavrola {

namespace {

#ifdef TAVROLA_TEST_TRUST
// Test builds only: trust the certificate of the test's own local server as well as the system's.
void trustTestCertificate() {
    const QString pem = qEnvironmentVariable("TAVROLA_TEST_CA");
    if (pem.isEmpty())
        return;
    const QList<QSslCertificate> certs = QSslCertificate::fromPath(pem, QSsl::Pem);
    if (certs.isEmpty())
        return;
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.addCaCertificates(certs);
    QSslConfiguration::setDefaultConfiguration(conf);
}
#endif

// Errors Qt derives from an HTTP status: the server did answer, so they are replies, not failures.
bool isHttpStatusError(QNetworkReply::NetworkError e) {
    const int code = static_cast<int>(e);
    return (code >= 201 && code <= 299) || e == QNetworkReply::ProtocolInvalidOperationError ||
           (code >= 401 && code <= 499);
}

bool isTlsError(QNetworkReply::NetworkError e) {
    return e == QNetworkReply::SslHandshakeFailedError;
}

} // namespace

QtHttpClient::QtHttpClient(QObject* parent) : QObject(parent) {
#ifdef TAVROLA_TEST_TRUST
    trustTestCertificate();
#endif
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

QtHttpClient::~QtHttpClient() {
    while (!m_pending.empty())
        cancel(m_pending.begin()->first);
}

HttpClient::RequestId QtHttpClient::get(const HttpRequest& request, Done done, Progress progress) {
    const RequestId id = ++m_lastId;

    QNetworkRequest req(QUrl(toQt(request.url)));
    QSslConfiguration ssl = req.sslConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    req.setSslConfiguration(ssl);
    req.setTransferTimeout(request.transferTimeoutMs);
    if (request.bypassCache)
        req.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    Pending& p = m_pending[id];
    p.done = std::move(done);
    p.progress = std::move(progress);
    p.maxBodyBytes = request.maxBodyBytes;
    QNetworkReply* reply = m_manager.get(req);
    p.reply = reply;

    // Reaching the server has its own limit; the transfer limit covers the silences after it.
    p.connectTimer = new QTimer(reply);
    p.connectTimer->setSingleShot(true);
    connect(p.connectTimer, &QTimer::timeout, this, [this, id] { giveUp(id, true, false); });
    p.connectTimer->start(request.connectTimeoutMs);
    QTimer* connectTimer = p.connectTimer;
    connect(reply, &QNetworkReply::encrypted, connectTimer, &QTimer::stop);
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, id, connectTimer] {
        connectTimer->stop();
        auto it = m_pending.find(id);
        if (it == m_pending.end() || !it->second.reply)
            return;
        const QVariant length = it->second.reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toULongLong() > it->second.maxBodyBytes)
            giveUp(id, false, true);
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, id] { readBody(id); });
    connect(reply, &QNetworkReply::downloadProgress, this, [this, id](qint64 received, qint64 total) {
        auto it = m_pending.find(id);
        if (it != m_pending.end() && it->second.progress)
            it->second.progress(received, total);
    });
    connect(reply, &QNetworkReply::finished, this, [this, id] { finish(id); });
    return id;
}

void QtHttpClient::readBody(RequestId id) {
    auto it = m_pending.find(id);
    if (it == m_pending.end() || !it->second.reply)
        return;
    Pending& p = it->second;
    p.body += p.reply->readAll();
    // Stop as soon as the reply grows past the limit instead of holding it all in memory.
    if (static_cast<std::size_t>(p.body.size()) > p.maxBodyBytes)
        giveUp(id, false, true);
}

void QtHttpClient::giveUp(RequestId id, bool timedOut, bool tooLarge) {
    auto it = m_pending.find(id);
    if (it == m_pending.end() || !it->second.reply)
        return;
    it->second.timedOut = it->second.timedOut || timedOut;
    it->second.tooLarge = it->second.tooLarge || tooLarge;
    it->second.body.clear();
    it->second.reply->abort(); // finished() follows and reports it
}

void QtHttpClient::finish(RequestId id) {
    auto it = m_pending.find(id);
    if (it == m_pending.end())
        return;
    Pending p = std::move(it->second);
    m_pending.erase(it);
    QNetworkReply* reply = p.reply;
    if (!reply)
        return;
    reply->deleteLater();
    if (!p.tooLarge && !p.timedOut && reply->isOpen()) {
        p.body += reply->readAll();
        if (static_cast<std::size_t>(p.body.size()) > p.maxBodyBytes)
            p.tooLarge = true;
    }

    HttpResponse r;
    const QNetworkReply::NetworkError error = reply->error();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (p.tooLarge) {
        r.error = HttpResponse::Error::TooLarge;
        r.errorText = "The reply is larger than " + std::to_string(p.maxBodyBytes) + " bytes";
    } else if (p.timedOut || error == QNetworkReply::OperationCanceledError ||
               error == QNetworkReply::TimeoutError) {
        // The transfer limit ends a request as "cancelled"; only cancel() cancels, and it never gets here.
        r.error = HttpResponse::Error::Timeout;
        r.errorText = "The operation timed out";
    } else if (error == QNetworkReply::NoError || (isHttpStatusError(error) && status.toInt() > 0)) {
        r.status = status.toInt();
        r.body.assign(p.body.constData(), static_cast<std::size_t>(p.body.size()));
    } else {
        r.error = isTlsError(error) ? HttpResponse::Error::Tls : HttpResponse::Error::Network;
        r.errorText = fromQt(reply->errorString());
    }
    if (p.done)
        p.done(r);
}

void QtHttpClient::cancel(RequestId id) {
    auto it = m_pending.find(id);
    if (it == m_pending.end())
        return;
    QPointer<QNetworkReply> reply = it->second.reply;
    m_pending.erase(it);
    if (reply) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

} // namespace tavrola
