// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtSpeech.h"

#include "core/files/AtomicFile.h"
#include "gui/platform/LocalText.h"

#include <QDateTime>
#include <QDebug>
#include <QTextToSpeech>

#include <string>
#include <system_error>

namespace tavrola {

QtSpeech::QtSpeech(QObject* parent) : QObject(parent), m_logFile(qEnvironmentVariable("TAVROLA_SPEECH_LOG")) {}

QtSpeech::~QtSpeech() = default;

void QtSpeech::noteFailure(const QString& why) {
    m_failed = true;
    if (m_noted)
        return;
    m_noted = true;
    qWarning().noquote() << "Speech unavailable; announcements continue without sound:" << why;
}

bool QtSpeech::logSentence(const QString& sentence) {
    const std::filesystem::path file = pathFromQt(m_logFile);
    std::string log;
    std::error_code ec;
    if (!readWholeFile(file, log, ec) && ec != std::errc::no_such_file_or_directory) {
        noteFailure(QStringLiteral("speech log unreadable: ") + QString::fromStdString(ec.message()));
        return false;
    }
    const QString line =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + '\t' + sentence + '\n';
    log += line.toUtf8().toStdString();
    if (!replaceFileAtomically(file, temporaryPathFor(file), log, ec)) {
        noteFailure(QStringLiteral("speech log not written: ") + QString::fromStdString(ec.message()));
        return false;
    }
    return true;
}

bool QtSpeech::speak(const std::string& sentence) {
    // The sentences are plain English; no local code page is involved.
    const QString text = QString::fromStdString(sentence);
    emit sentenceSpoken(text);
    if (!m_logFile.isEmpty())
        return logSentence(text);
    // The engine is made on first use: a clock that never announces never starts one.
    if (!m_engine) {
        if (QTextToSpeech::availableEngines().isEmpty()) {
            noteFailure(QStringLiteral("no speech engine installed"));
            return false;
        }
        m_engine = new QTextToSpeech(this);
        connect(m_engine, &QTextToSpeech::errorOccurred, this,
                [this](QTextToSpeech::ErrorReason, const QString& text) { noteFailure(text); });
    }
    if (m_engine->state() == QTextToSpeech::Error) {
        noteFailure(m_engine->errorString());
        return false;
    }
    m_engine->say(text);
    return m_engine->state() != QTextToSpeech::Error;
}

} // namespace tavrola
