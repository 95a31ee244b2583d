// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/HttpClient.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <map>

namespace tavrola {

// Downloads addresses into files through the HttpClient service, several at once, each download
// named by the file it is saved to. The file is written only when all its bytes have arrived, and
// it replaces any older file of that name in one step.
class Downloader : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSize = 32;
    static constexpr std::size_t kMaxDownloadBytes = 64u * 1024u * 1024u;

    explicit Downloader(HttpClient& client, QWidget* parent = nullptr);
    ~Downloader() override;

    std::size_t downloadsInFlight() const { return m_jobs.size(); }

public slots:
    // Starts fetching a fresh (uncached) copy of URL into SaveFile. A download that cannot start
    // is dropped without a word.
    void BeginDownload(const QString& URL, const QString& SaveFile);

signals:
    void DownloadProgress(const QString& name, qint64 bytesRead, qint64 bytesMax);
    // No file was written: the transfer failed, the server sent no data or an error status, or the
    // file could not be written.
    void DownloadError(const QString& name);
    void DownloadComplete(const QString& name, qint64 bytesMax);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Job {
        QString name;
        HttpClient::RequestId request = 0;
        qint64 expected = 0;
    };
    void progress(std::uint64_t key, std::int64_t received, std::int64_t total);
    void finished(std::uint64_t key, const HttpResponse& response);

    HttpClient& m_client;
    std::map<std::uint64_t, Job> m_jobs;
    std::uint64_t m_lastKey = 0;
};

} // namespace tavrola
