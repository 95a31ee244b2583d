// libFuzzer target for GIF reading: the index pass, frame composition, timing and re-encoding.
// Built and run by scripts/fuzz.sh; not part of the CTest run.

#include "core/widgets/GifComposer.h"
#include "core/widgets/GifEncoder.h"
#include "core/widgets/GifFile.h"
#include "core/widgets/GifPlayback.h"
#include "core/widgets/GifStretch.h"
#include "support/GifTestSupport.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace tavrola;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GifFile gif;
    if (!gif.load(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    if (gif.frameCount() < 1 || gif.canvasWidth() < 1 || gif.canvasHeight() < 1 ||
        static_cast<std::int64_t>(gif.canvasWidth()) * gif.canvasHeight() > GifFile::kMaxCanvasPixels)
        std::abort(); // a successful load always has something within the budget to show
    // Big canvases are legal but slow to compose; spend the time on variety instead.
    if (static_cast<std::int64_t>(gif.canvasWidth()) * gif.canvasHeight() > 1 << 18)
        return 0;

    // Stand in for the platform decoder: decode each frame's stream with a plain LZW decoder.
    GifComposer::FramePixels pixels;
    for (int i = 0; i < gif.frameCount(); ++i) {
        const GifFrame& f = gif.frames()[static_cast<std::size_t>(i)];
        if (f.left + f.width > gif.canvasWidth() || f.top + f.height > gif.canvasHeight())
            std::abort();
        const std::string s = gif.singleImageStream(i, GifPalette{});
        const std::size_t desc = 13 + 768;
        if (s.size() < desc + 12 || static_cast<unsigned char>(s[desc]) != 0x2C || s.back() != 0x3B)
            std::abort();
        const int minCode = static_cast<unsigned char>(s[desc + 10]);
        std::vector<std::uint8_t> px;
        if (minCode >= 2 && minCode <= 8)
            px = testing::lzwDecode(testing::joinSubBlocks(s, desc + 11), minCode);
        px.resize(static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height));
        pixels.push_back(std::move(px));
    }

    GifComposer composer;
    composer.reset(gif.canvasWidth(), gif.canvasHeight());
    for (int i = 0; i < gif.frameCount(); ++i)
        composer.compose(gif, pixels, i);
    composer.compose(gif, pixels, 0);
    composer.compose(gif, pixels, gif.frameCount() - 1);
    auto out = composer.pixels();
    GifComposer::mirror(out, composer.width(), composer.height(), static_cast<int>(size & 3));
    for (int s = 0; s <= 4; ++s)
        gifDrawRect(s, 300, 200, gif.canvasWidth(), gif.canvasHeight(), -5, 7);

    GifPlayback playback;
    std::vector<int> delays;
    for (const GifFrame& f : gif.frames())
        delays.push_back(f.delay);
    playback.setFrames(delays);
    playback.setLoops(gif.loopCount().value_or(2));
    playback.action(1);
    for (int i = 0; i < 3 * gif.frameCount() + 2; ++i)
        if (playback.tick().timerMs < 0)
            break;

    // Re-encoding what was read gives a file that reads back with the same frames.
    GifEncoder enc(gif.canvasWidth(), gif.canvasHeight());
    if (gif.hasGlobalTable())
        enc.setGlobalPalette(std::vector<GifColour>(gif.table(0).begin(), gif.table(0).end()));
    for (int i = 0; i < gif.frameCount(); ++i) {
        const GifFrame& f = gif.frames()[static_cast<std::size_t>(i)];
        GifEncoderFrame e;
        e.left = f.left;
        e.top = f.top;
        e.width = f.width;
        e.height = f.height;
        e.delay = f.delay;
        e.disposal = f.disposal;
        e.transparent = f.transparent;
        e.transparentIndex = f.transparentIndex;
        if (f.colourTable != 0 || !gif.hasGlobalTable())
            e.palette.assign(gif.palette(i).begin(), gif.palette(i).end());
        e.pixels = pixels[static_cast<std::size_t>(i)];
        enc.addFrame(std::move(e));
    }
    GifFile again;
    if (!again.load(enc.encode()) || again.frameCount() != gif.frameCount() ||
        again.canvasWidth() != gif.canvasWidth() || again.canvasHeight() != gif.canvasHeight())
        std::abort();
    const std::string first = again.singleImageStream(0, GifPalette{});
    if (testing::lzwDecode(testing::joinSubBlocks(first, 13 + 768 + 11),
                           static_cast<unsigned char>(first[13 + 768 + 10])) != pixels[0])
        std::abort();
    return 0;
}
