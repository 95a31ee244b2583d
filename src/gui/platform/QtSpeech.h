// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Speech.h"

#include <QObject>
#include <QString>

class QTextToSpeech;

namespace tavrola {

// Speaks through QTextToSpeech without waiting for the sentence to finish, so the clock keeps
// ticking while it talks. With no usable engine (on Linux flite fails at once without an audio
// server) speak() returns false; the first failure is written to the debug log, later ones are not.
// When TAVROLA_SPEECH_LOG names a file, sentences are appended to it with the local time instead of
// being spoken, so that end-to-end runs can check them without sound.
class QtSpeech : public QObject, public Speech {
    Q_OBJECT
public:
    explicit QtSpeech(QObject* parent = nullptr);
    ~QtSpeech() override;

    bool speak(const std::string& sentence) override;

    bool failed() const { return m_failed; }

signals:
    // Each sentence handed over for speaking (or for the log), whether or not it could be heard.
    void sentenceSpoken(const QString& sentence);

private:
    void noteFailure(const QString& why);
    bool logSentence(const QString& sentence);

    QTextToSpeech* m_engine = nullptr;
    bool m_failed = false;
    bool m_noted = false;
    QString m_logFile;
};

} // namespace tavrola
