// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtAudio.h"

#include "core/clock/Congregation.h"
#include "gui/platform/LocalText.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioOutput>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace tavrola {

Q_LOGGING_CATEGORY(lcAzan, "tavrola.azan")

namespace {
constexpr int kToneRate = 22050;
constexpr int kToneHz = 880;
constexpr int kToneMs = 600;
constexpr int kStartWithinMs = 5000;
} // namespace

QtAudio::QtAudio(QObject* parent) : QObject(parent) {}

QtAudio::~QtAudio() = default;

void QtAudio::fail(const QString& why) {
    if (m_startWatch)
        m_startWatch->stop();
    if (!m_failed)
        return;
    qCWarning(lcAzan).noquote() << "Azan not played, the sentence is spoken instead:" << m_file << "-" << why;
    std::exchange(m_failed, nullptr)();
}

void QtAudio::started() {
    // Playing: whatever happens later, the moment for the sentence has passed.
    if (m_startWatch)
        m_startWatch->stop();
    m_failed = nullptr;
}

bool QtAudio::play(const std::filesystem::path& file, std::function<void()> failed) {
    m_file = pathToQt(file);
    m_failed = nullptr;
    const QFileInfo info(m_file);
    QFile probe(m_file);
    QString why;
    if (!info.isFile())
        why = QStringLiteral("no such file");
    else if (!probe.open(QIODevice::ReadOnly))
        why = QStringLiteral("not readable: ") + probe.errorString();
    else if (QMediaDevices::audioOutputs().isEmpty())
        why = QStringLiteral("no audio output");
    if (!why.isEmpty()) {
        qCWarning(lcAzan).noquote() << "Azan not played, the sentence is spoken instead:" << m_file << "-" << why;
        return false;
    }
    probe.close();

    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
        m_startWatch = new QTimer(this);
        m_startWatch->setSingleShot(true);
        m_startWatch->setInterval(kStartWithinMs);
        connect(m_startWatch, &QTimer::timeout, this, [this] {
            m_player->stop();
            fail(QStringLiteral("did not start"));
        });
        connect(m_player, &QMediaPlayer::errorOccurred, this,
                [this](QMediaPlayer::Error, const QString& text) { fail(text); });
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
            if (s == QMediaPlayer::InvalidMedia)
                fail(QStringLiteral("not a playable sound"));
            else if (s == QMediaPlayer::BufferedMedia || s == QMediaPlayer::EndOfMedia)
                started();
        });
    }
    m_failed = std::move(failed);
    m_player->stop();
    m_player->setSource(QUrl::fromLocalFile(m_file));
    m_startWatch->start();
    m_player->play();
    return true;
}

bool QtAudio::playing() const {
    return m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
}

bool QtAudio::tone() {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        qCWarning(lcAzan) << "Iqamah tone not sounded: no audio output";
        return false;
    }
    if (!m_toneSink) {
        QAudioFormat format;
        format.setSampleRate(kToneRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        const std::string samples = toneSamples(kToneRate, kToneHz, kToneMs);
        m_toneSamples = QByteArray(samples.data(), static_cast<qsizetype>(samples.size()));
        m_toneBuffer = new QBuffer(&m_toneSamples, this);
        m_toneSink = new QAudioSink(device, format, this);
        connect(m_toneSink, &QAudioSink::stateChanged, this, [this](QAudio::State s) {
            if (s == QAudio::IdleState)
                m_toneSink->stop();
        });
    }
    m_toneSink->stop();
    m_toneBuffer->close();
    m_toneBuffer->open(QIODevice::ReadOnly);
    m_toneSink->start(m_toneBuffer);
    if (m_toneSink->error() != QAudio::NoError) {
        qCWarning(lcAzan) << "Iqamah tone not sounded: the audio output refused it";
        return false;
    }
    return true;
}

} // namespace tavrola
