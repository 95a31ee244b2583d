// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/HttpClient.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

#include <map>

class QNetworkReply;
class QTimer;

namespace tavrola {

// HTTPS GET with QNetworkAccessManager. Requests run while the event loop runs; the callback
// comes on the thread that made the request. Server certificates are always verified.
class QtHttpClient : public QObject, public HttpClient {
    Q_OBJECT
public:
    explicit QtHttpClient(QObject* parent = nullptr);
    ~QtHttpClient() override;

    RequestId get(const HttpRequest& request, Done done, Progress progress = {}) override;
    void cancel(RequestId id) override;

private:
    struct Pending {
        QPointer<QNetworkReply> reply;
        QTimer* connectTimer = nullptr;
        Done done;
        Progress progress;
        QByteArray body;
        std::size_t maxBodyBytes = 0;
        bool timedOut = false;
        bool tooLarge = false;
    };

    void readBody(RequestId id);
    void giveUp(RequestId id, bool timedOut, bool tooLarge);
    void finish(RequestId id);

    QNetworkAccessManager m_manager;
    std::map<RequestId, Pending> m_pending;
    RequestId m_lastId = 0;
};

} // namespace tavrola
