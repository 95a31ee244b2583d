// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/Downloader.h"

#include "core/files/AtomicFile.h"
#include "gui/platform/LocalText.h"

#include <QPainter>

namespace tavrola {

Downloader::Downloader(HttpClient& client, QWidget* parent) : QWidget(parent), m_client(client) {
    setFixedSize(kSize, kSize);
}

Downloader::~Downloader() {
    // The callbacks point at this control; none may run once it is gone.
    for (const auto& [key, job] : m_jobs)
        m_client.cancel(job.request);
}

void Downloader::BeginDownload(const QString& URL, const QString& SaveFile) {
    if (URL.trimmed().isEmpty() || SaveFile.isEmpty())
        return;
    const std::uint64_t key = ++m_lastKey;
    m_jobs[key] = Job{SaveFile, 0, 0};
    HttpRequest request;
    request.url = URL.trimmed().toStdString();
    request.bypassCache = true;
    request.maxBodyBytes = kMaxDownloadBytes;
    try {
        const auto id = m_client.get(
            request, [this, key](const HttpResponse& r) { finished(key, r); },
            [this, key](std::int64_t received, std::int64_t total) { progress(key, received, total); });
        if (const auto it = m_jobs.find(key); it != m_jobs.end())
            it->second.request = id;
    } catch (...) {
        m_jobs.erase(key);
    }
}

void Downloader::progress(std::uint64_t key, std::int64_t received, std::int64_t total) {
    const auto it = m_jobs.find(key);
    if (it == m_jobs.end() || total <= 0)
        return;
    it->second.expected = total;
    emit DownloadProgress(it->second.name, received, total);
}

void Downloader::finished(std::uint64_t key, const HttpResponse& response) {
    const auto it = m_jobs.find(key);
    if (it == m_jobs.end())
        return;
    const Job job = it->second;
    m_jobs.erase(it);

    // An error page or an empty reply is not the file that was asked for.
    if (!response.ok() || response.body.empty()) {
        emit DownloadError(job.name);
        return;
    }
    const std::filesystem::path target = pathFromQt(job.name);
    std::error_code ec;
    if (!replaceFileAtomically(target, temporaryPathFor(target), response.body, ec)) {
        emit DownloadError(job.name);
        return;
    }
    emit DownloadComplete(job.name, job.expected > 0 ? job.expected : static_cast<qint64>(response.body.size()));
}

void Downloader::paintEvent(QPaintEvent*) {
    // A plain mark so the control can be found where it is placed: an arrow into a tray.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().window());
    p.setPen(QPen(palette().color(QPalette::WindowText), 2));
    p.drawLine(QPointF(16, 5), QPointF(16, 20));
    p.drawPolyline(QPolygonF({QPointF(10, 14), QPointF(16, 20), QPointF(22, 14)}));
    p.drawPolyline(QPolygonF({QPointF(6, 21), QPointF(6, 26), QPointF(26, 26), QPointF(26, 21)}));
}

} // namespace tavrola
