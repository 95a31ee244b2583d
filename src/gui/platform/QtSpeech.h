#pragma once

#include "core/platform/Speech.h"

#include <QObject>
#include <QString>

class QTextToSpeech;

namespace tavrola {

// Speaks through QTextToSpeech without waiting for the sentence to finish, so the clock keeps
// ticking while it talks. With no usable engine (on Linux flite fails at once without an audio
// server) speak() returns false; the first failure is written to the debug log, later ones are not.
class QtSpeech : public QObject, public Speech {
    Q_OBJECT
public:
    explicit QtSpeech(QObject* parent = nullptr);
    ~QtSpeech() override;

    bool speak(const std::string& sentence) override;

    bool failed() const { return m_failed; }

private:
    void noteFailure(const QString& why);

    QTextToSpeech* m_engine = nullptr;
    bool m_failed = false;
    bool m_noted = false;
};

} // namespace tavrola
