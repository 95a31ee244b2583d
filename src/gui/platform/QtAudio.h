// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Audio.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

class QAudioOutput;
class QAudioSink;
class QBuffer;
class QMediaPlayer;
class QTimer;

namespace tavrola {

Q_DECLARE_LOGGING_CATEGORY(lcAzan)

// Plays the azan through Qt Multimedia and the iqamah tone from samples made here. Nothing is
// created until the first sound, and nothing runs between sounds. Every failure writes one line
// to the "tavrola.azan" category and hands the moment back to the caller (the spoken sentence).
class QtAudio : public QObject, public Audio {
    Q_OBJECT
public:
    explicit QtAudio(QObject* parent = nullptr);
    ~QtAudio() override;

    bool play(const std::filesystem::path& file, std::function<void()> failed) override;
    bool tone() override;
    bool playing() const override;

private:
    void fail(const QString& why);
    void started();

    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
    QTimer* m_startWatch = nullptr; // a file that neither plays nor fails within a few seconds fails
    QString m_file;
    std::function<void()> m_failed;

    QAudioSink* m_toneSink = nullptr;
    QBuffer* m_toneBuffer = nullptr;
    QByteArray m_toneSamples;
};

} // namespace tavrola
