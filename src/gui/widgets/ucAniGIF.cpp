// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/ucAniGIF.h"

#include "gui/widgets/ucAniGIFClock.h"

#include "core/gif/GifEncoder.h"
#include "core/gif/GifStretch.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace tavrola {

namespace {

// Frames are decoded against a grey ramp so that each decoded pixel's red value is its colour
// index; the frame's own table is applied by the composer (and so follows SetPalette).
const GifPalette& indexRamp() {
    static const GifPalette ramp = [] {
        GifPalette p{};
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i)};
        return p;
    }();
    return ramp;
}

int vbButton(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

int vbShift(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

} // namespace

ucAniGIF::ucAniGIF(QWidget* parent) : QWidget(parent) {
    setObjectName("ucAniGIF");
    setMouseTracking(true);
}

ucAniGIF::~ucAniGIF() {
    stopTimer();
    cancelRemote();
}

void ucAniGIF::stopTimer() {
    ucAniGIFClock::instance().cancel(this);
}

bool ucAniGIF::LoadAnimatedGIF_File(const QString& fileName) {
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        clearAll();
        return false;
    }
    const qint64 size = file.size();
    if (size <= 0 || static_cast<quint64>(size) > GifFile::kMaxFileBytes) {
        clearAll();
        return false;
    }
    const QByteArray data = file.read(size);
    if (data.size() != size) {
        clearAll();
        return false;
    }
    return loadBytes(data.toStdString());
}

bool ucAniGIF::LoadAnimatedGIF_Array(const QByteArray& bytes) {
    return loadBytes(bytes.toStdString());
}

void ucAniGIF::LoadAnimatedGIF_Remote(const QString& remotePath) {
    if (remotePath.isEmpty())
        return;
    cancelRemote();
    if (!m_http) {
        emit RemoteLoadFailure();
        return;
    }
    HttpRequest request;
    request.url = remotePath.toStdString();
    request.maxBodyBytes = GifFile::kMaxFileBytes;
    m_requestPending = true;
    const HttpClient::RequestId id = m_http->get(request, [this](const HttpResponse& r) { onRemoteDone(r); });
    if (m_requestPending)
        m_request = id;
}

void ucAniGIF::cancelRemote() {
    if (m_requestPending && m_http)
        m_http->cancel(m_request);
    m_requestPending = false;
}

void ucAniGIF::onRemoteDone(const HttpResponse& response) {
    m_requestPending = false;
    if (!response.ok() || response.body.size() < 15 || !GifFile::hasGifSignature(response.body)) {
        emit RemoteLoadFailure();
        return;
    }
    const auto screen = GifFile::screenSize(response.body);
    bool cancel = false;
    emit RemoteLoadComplete(cancel, static_cast<float>(screen->first), static_cast<float>(screen->second));
    if (cancel)
        return;
    if (!loadBytes(response.body))
        emit RemoteLoadFailure();
}

void ucAniGIF::clearAll() {
    stopTimer();
    m_gif.clear();
    m_frames.clear();
    m_composer.reset(0, 0);
    m_playback.setFrames({});
    m_image = QImage();
    forgetFrames();
    update();
}

bool ucAniGIF::loadBytes(std::string bytes) {
    clearAll();
    if (!m_gif.load(std::move(bytes)) || !decodeFrames()) {
        clearAll();
        return false;
    }
    std::vector<int> delays;
    for (const GifFrame& f : m_gif.frames())
        delays.push_back(f.delay);
    m_playback.setFrames(std::move(delays));
    if (m_gif.loopCount())
        m_playback.setLoops(*m_gif.loopCount());
    m_composer.reset(m_gif.canvasWidth(), m_gif.canvasHeight());
    if (m_stretch == GifSizeToImage)
        fitToCanvas();
    showCurrentFrame(true);
    if (FrameCount() > 1 && (m_delayAnimation & 2) == 0)
        apply(m_playback.action(1));
    return true;
}

bool ucAniGIF::decodeFrames() {
    const auto& records = m_gif.frames();
    m_frames.assign(records.size(), {});
    for (std::size_t i = 0; i < records.size(); ++i) {
        const GifFrame& f = records[i];
        if (f.width == 0 || f.height == 0)
            continue; // nothing to draw
        const std::string stream = m_gif.singleImageStream(static_cast<int>(i), indexRamp());
        QByteArray data = QByteArray::fromRawData(stream.data(), static_cast<qsizetype>(stream.size()));
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        QImage image;
        if (!reader.read(&image) || image.width() != f.width || image.height() != f.height)
            return false;
        image = image.convertToFormat(QImage::Format_RGB32);
        auto& px = m_frames[i];
        px.resize(static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height));
        for (int y = 0; y < f.height; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            std::uint8_t* out = px.data() + static_cast<std::size_t>(y) * f.width;
            for (int x = 0; x < f.width; ++x)
                out[x] = static_cast<std::uint8_t>(qRed(row[x]));
        }
    }
    return true;
}

void ucAniGIF::showCurrentFrame(bool announce) {
    const int n = m_playback.currentFrame();
    if (n < 1)
        return;
    // A frame's picture depends only on its number (any jump recomposes from the first frame), so
    // each is composed once and then shown from the cache on every later loop.
    const std::size_t index = static_cast<std::size_t>(n) - 1;
    if (m_frameCache.size() <= index)
        m_frameCache.resize(index + 1);
    CachedFrame& cached = m_frameCache[index];
    if (cached.image.isNull()) {
        m_composer.compose(m_gif, m_frames, n - 1);
        const int w = m_composer.width(), h = m_composer.height();
        std::vector<std::uint32_t> mirrored;
        const std::uint32_t* src = m_composer.pixels().data();
        if (m_mirrored != 0) {
            mirrored = m_composer.pixels();
            GifComposer::mirror(mirrored, w, h, m_mirrored);
            src = mirrored.data();
        }
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return; // out of memory: show nothing rather than write through a null buffer
        for (int y = 0; y < h; ++y)
            std::memcpy(image.scanLine(y), src + static_cast<std::size_t>(y) * w, static_cast<std::size_t>(w) * 4);
        cached = {image, QPixmap()};
    }
    m_image = cached.image;
    // Only the picture's own rectangle: a frame costs the pixels it covers, not the whole control.
    const GifDrawRect r = drawRect();
    update(QRect(r.x, r.y, r.width, r.height));
    if (announce)
        emit FrameChanged(n);
}

void ucAniGIF::forgetFrames() {
    m_frameCache.clear();
    m_composer.invalidate();
}

void ucAniGIF::apply(const GifPlayback::Step& step) {
    stopTimer();
    if (step.show)
        showCurrentFrame(true);
    // A FrameChanged handler may have stopped or paused the animation meanwhile.
    if (step.timerMs >= 0 && m_playback.state() == GifPlayback::Playing)
        ucAniGIFClock::instance().schedule(this, step.timerMs, [this] { onTimer(); });
    if (step.loopsEnded)
        emit LoopsEnded();
}

bool ucAniGIF::offScreen() const {
    return m_hidden || (testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden));
}

void ucAniGIF::onTimer() {
    // Frames nobody can see are not worth a wake-up: a hidden control holds its frame and goes on
    // when it is shown again.
    if (offScreen()) {
        m_pausedHidden = true;
        return;
    }
    apply(m_playback.tick());
}

void ucAniGIF::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_hidden = false;
    if (m_pausedHidden) {
        m_pausedHidden = false;
        if (m_playback.state() == GifPlayback::Playing)
            onTimer();
    }
}

void ucAniGIF::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_hidden = true;
    // The scaled frames are the big part of the cache (a weekday picture's are about 4 MB); a picture
    // hidden for a day gives them back and scales them again when it is shown.
    for (CachedFrame& f : m_frameCache)
        f.scaled = QPixmap();
    m_spareScaled = QPixmap();
}

void ucAniGIF::setAction(int action) {
    apply(m_playback.action(action));
}

void ucAniGIF::fitToCanvas() {
    if (m_gif.canvasWidth() > 0)
        resize(m_gif.canvasWidth(), m_gif.canvasHeight());
}

void ucAniGIF::setStretch(int value) {
    if (value < 0 || value > 4 || value == m_stretch)
        return;
    m_stretch = value;
    if (m_stretch == GifSizeToImage)
        fitToCanvas();
    update();
}

void ucAniGIF::setMirrored(int value) {
    if (value < 0 || value > 3 || value == m_mirrored)
        return;
    m_mirrored = value;
    forgetFrames();
    showCurrentFrame(false);
}

void ucAniGIF::setOffsetX(int x) {
    m_offsetX = x;
    update();
}

void ucAniGIF::setOffsetY(int y) {
    m_offsetY = y;
    update();
}

bool ucAniGIF::GetPalette(int frame, QList<QRgb>& colours) const {
    if (frame < 1 || frame > FrameCount())
        return false;
    colours.clear();
    for (const GifColour& c : m_gif.palette(frame - 1))
        colours.push_back(qRgb(c.r, c.g, c.b));
    return true;
}

bool ucAniGIF::SetPalette(int frame, const QList<QRgb>& colours) {
    if (frame < 1 || frame > FrameCount())
        return false;
    GifPalette table = m_gif.palette(frame - 1);
    for (qsizetype i = 0; i < colours.size() && i < 256; ++i)
        table[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(qRed(colours[i])),
                                              static_cast<std::uint8_t>(qGreen(colours[i])),
                                              static_cast<std::uint8_t>(qBlue(colours[i]))};
    m_gif.setPalette(frame - 1, table);
    forgetFrames();
    showCurrentFrame(false);
    return true;
}

void ucAniGIF::RestoreColorTables() {
    m_gif.restoreColourTables();
    forgetFrames();
    showCurrentFrame(false);
}

QByteArray ucAniGIF::AnimatedGIF() const {
    if (m_gif.empty())
        return {};
    GifEncoder enc(m_gif.canvasWidth(), m_gif.canvasHeight());
    const auto toList = [](const GifPalette& p) { return std::vector<GifColour>(p.begin(), p.end()); };
    if (m_gif.hasGlobalTable())
        enc.setGlobalPalette(toList(m_gif.table(0)));
    enc.setLoopCount(m_playback.loops());
    const auto& records = m_gif.frames();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const GifFrame& f = records[i];
        GifEncoderFrame out;
        out.left = f.left;
        out.top = f.top;
        out.width = f.width;
        out.height = f.height;
        out.delay = f.delay;
        out.disposal = f.disposal;
        out.transparent = f.transparent;
        out.transparentIndex = f.transparentIndex;
        if (f.colourTable != 0 || !m_gif.hasGlobalTable())
            out.palette = toList(m_gif.palette(static_cast<int>(i)));
        out.pixels = m_frames[i];
        enc.addFrame(std::move(out));
    }
    const std::string bytes = enc.encode();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

GifDrawRect ucAniGIF::drawRect() const {
    return gifDrawRect(m_stretch, width(), height(), m_image.width(), m_image.height(), m_offsetX, m_offsetY);
}

const QPixmap& ucAniGIF::scaledFrame(const QSize& size) {
    // Each frame is scaled once, on its first showing at this size.
    if (size != m_scaledSize) {
        for (CachedFrame& f : m_frameCache)
            f.scaled = QPixmap();
        m_scaledSize = size;
    }
    const std::size_t index = static_cast<std::size_t>(std::max(1, m_playback.currentFrame())) - 1;
    if (index >= m_frameCache.size() || m_frameCache[index].image.cacheKey() != m_image.cacheKey()) {
        m_spareScaled = QPixmap::fromImage(
            m_image.scaled(size.width(), size.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        return m_spareScaled;
    }
    CachedFrame& frame = m_frameCache[index];
    if (frame.scaled.isNull())
        frame.scaled = QPixmap::fromImage(
            m_image.scaled(size.width(), size.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return frame.scaled;
}

void ucAniGIF::paintEvent(QPaintEvent*) {
    if (m_image.isNull())
        return;
    const GifDrawRect r = drawRect();
    if (r.width <= 0 || r.height <= 0)
        return;
    QPainter painter(this);
    if (r.width == m_image.width() && r.height == m_image.height())
        painter.drawImage(r.x, r.y, m_image);
    else
        painter.drawPixmap(r.x, r.y, scaledFrame(QSize(r.width, r.height)));
}

void ucAniGIF::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(vbButton(event->button()), vbShift(event->modifiers()),
                   static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void ucAniGIF::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(vbButton(event->button()), vbShift(event->modifiers()), static_cast<float>(event->position().x()),
                 static_cast<float>(event->position().y()));
    if (rect().contains(event->position().toPoint()))
        emit Click();
}

void ucAniGIF::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(vbButton(event->buttons()), vbShift(event->modifiers()),
                   static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

} // namespace tavrola
