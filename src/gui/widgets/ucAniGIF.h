// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/HttpClient.h"
#include "core/gif/GifComposer.h"
#include "core/gif/GifFile.h"
#include "core/gif/GifPlayback.h"
#include "core/gif/GifStretch.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRgb>
#include <QWidget>

#include <string>
#include <vector>

namespace tavrola {

// Shows a GIF and plays its animation. The core indexes the file, times the frames and composes
// them; each frame's pixels come from Qt's GIF decoder, fed one stand-alone single-image stream
// per frame. Frame numbers seen from outside are 1-based.
class ucAniGIF : public QWidget {
    Q_OBJECT
public:
    explicit ucAniGIF(QWidget* parent = nullptr);
    ~ucAniGIF() override;

    // Each returns true when at least one frame was loaded; a failure leaves the control empty.
    bool LoadAnimatedGIF_File(const QString& fileName);
    bool LoadAnimatedGIF_Array(const QByteArray& bytes);
    // Downloads through the HTTP service; the outcome arrives as RemoteLoadComplete or RemoteLoadFailure.
    void LoadAnimatedGIF_Remote(const QString& remotePath);
    void setHttpClient(HttpClient* client) { m_http = client; }

    // The frames re-encoded as a GIF; assigning loads the bytes given.
    QByteArray AnimatedGIF() const;
    void setAnimatedGIF(const QByteArray& gif) { LoadAnimatedGIF_Array(gif); }

    int FrameCount() const { return m_gif.frameCount(); }
    int ActualWidth() const { return m_gif.canvasWidth(); }
    int ActualHeight() const { return m_gif.canvasHeight(); }
    int currentFrame() const { return m_playback.currentFrame(); }

    int Stretch() const { return m_stretch; }
    void setStretch(int value);
    int MinFrameDelay() const { return m_playback.minFrameDelay(); }
    void setMinFrameDelay(int ms) { m_playback.setMinFrameDelay(ms); }
    int Loops() const { return m_playback.loops(); }
    void setLoops(int loops) { m_playback.setLoops(loops); }
    int LoopsRemaining() const { return m_playback.loopsRemaining(); }
    int Mirrored() const { return m_mirrored; }
    void setMirrored(int value);
    int Action() const { return m_playback.state(); }
    void setAction(int action);
    // 2 and 3 keep a freshly loaded animation still until Action 1 starts it. Bit 0 is kept for
    // saved forms and changes nothing: every load decodes all frames before it returns.
    int DelayAnimation() const { return m_delayAnimation; }
    void setDelayAnimation(int value) { m_delayAnimation = value >= 0 && value <= 3 ? value : 1; }
    int OffsetX() const { return m_offsetX; }
    void setOffsetX(int x);
    int OffsetY() const { return m_offsetY; }
    void setOffsetY(int y);

    // Colour tables of frame n (1-based); entries past `colours` stay as they were.
    bool GetPalette(int frame, QList<QRgb>& colours) const;
    bool SetPalette(int frame, const QList<QRgb>& colours);
    void CacheColorTables() { m_gif.cacheColourTables(); }
    void RestoreColorTables();
    void Refresh() { update(); }

    // The picture now shown, at canvas size and mirrored as set; null when empty.
    const QImage& currentImage() const { return m_image; }

signals:
    void Click();
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void FrameChanged(int frame);
    void LoopsEnded();
    // Connect directly: a handler that sets cancel keeps the downloaded picture from loading.
    void RemoteLoadComplete(bool& cancel, float width, float height);
    void RemoteLoadFailure();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool loadBytes(std::string bytes);
    bool decodeFrames();
    void clearAll();
    void apply(const GifPlayback::Step& step);
    void showCurrentFrame(bool announce);
    void fitToCanvas();
    GifDrawRect drawRect() const;
    const QPixmap& scaledFrame(const QSize& size);
    void forgetFrames();
    bool offScreen() const;
    void onTimer();
    void stopTimer();
    void onRemoteDone(const HttpResponse& response);
    void cancelRemote();

    GifFile m_gif;
    GifComposer::FramePixels m_frames;
    GifComposer m_composer;
    GifPlayback m_playback;
    QImage m_image;
    // Each frame's picture as composed (and mirrored), and scaled to m_scaledSize once painted.
    struct CachedFrame {
        QImage image;
        QPixmap scaled;
    };
    std::vector<CachedFrame> m_frameCache;
    QSize m_scaledSize;
    QPixmap m_spareScaled;
    bool m_hidden = false;       // hidden since last shown
    bool m_pausedHidden = false; // a frame fell due while hidden

    int m_stretch = 1;
    int m_mirrored = 0;
    int m_delayAnimation = 1;
    int m_offsetX = 0;
    int m_offsetY = 0;

    HttpClient* m_http = nullptr;
    HttpClient::RequestId m_request = 0;
    bool m_requestPending = false;
};

} // namespace tavrola
