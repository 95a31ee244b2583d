#include "gui/platform/QtSpeech.h"

#include <QDebug>
#include <QTextToSpeech>

namespace tavrola {

QtSpeech::QtSpeech(QObject* parent) : QObject(parent) {}

QtSpeech::~QtSpeech() = default;

void QtSpeech::noteFailure(const QString& why) {
    m_failed = true;
    if (m_noted)
        return;
    m_noted = true;
    qWarning().noquote() << "Speech unavailable; announcements continue without sound:" << why;
}

bool QtSpeech::speak(const std::string& sentence) {
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
    // The sentences are plain English; no local code page is involved.
    m_engine->say(QString::fromStdString(sentence));
    return m_engine->state() != QTextToSpeech::Error;
}

} // namespace tavrola
