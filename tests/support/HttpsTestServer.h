// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tests/support/https_month_server.py on 127.0.0.1 with a certificate made for this run. Usage:
//   if (const QString why = HttpsTestServer::unavailable(); !why.isEmpty()) QSKIP(qPrintable(why));
//   QVERIFY(server.start(root, certDir));   // trusted: TAVROLA_TEST_CA names its certificate
#include "support/QtFiles.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

namespace tavrola::testing {

class HttpsTestServer {
public:
    // Why no test server can run here, or empty. The program trusts a test certificate only in a
    // build with -DTAVROLA_TEST_TRUST=ON.
    static QString unavailable() {
#ifndef TAVROLA_TEST_TRUST
        return QStringLiteral("built without -DTAVROLA_TEST_TRUST=ON: the test certificate is not trusted");
#else
        if (QStandardPaths::findExecutable("python3").isEmpty() ||
            QStandardPaths::findExecutable("openssl").isEmpty())
            return QStringLiteral("python3 and openssl are needed for the local HTTPS server");
        return {};
#endif
    }

    ~HttpsTestServer() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Serves `root`; the certificate is made in `certDir`. `trusted` points TAVROLA_TEST_CA at it.
    bool start(const QString& root, const QString& certDir, bool trusted = true) {
        QDir().mkpath(root);
        m_process.start(QStringLiteral("python3"),
                        {QStringLiteral(TAVROLA_TEST_DATA "/../support/https_month_server.py"), "--cert-dir",
                         certDir, "--root", root});
        QElapsedTimer t;
        t.start();
        while (!m_process.canReadLine() && t.elapsed() < 30000 && m_process.state() != QProcess::NotRunning)
            m_process.waitForReadyRead(500);
        const QByteArray line = m_process.readLine().trimmed();
        m_port = line.startsWith("PORT ") ? line.mid(5).toInt() : 0;
        if (m_port > 0 && trusted)
            qputenv("TAVROLA_TEST_CA", QDir(certDir).filePath("cert.pem").toLocal8Bit());
        return m_port > 0;
    }

    int port() const {
        return m_port;
    }

private:
    QProcess m_process;
    int m_port = 0;
};

} // namespace tavrola::testing
