// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes GIF reading: the index pass, frame composition, timing and re-encoding. A successful load
// has frames within the canvas and the canvas within the budget; what was read re-encodes into a
// file that reads back with the same frames.
#include "core/gif/GifComposer.h"
#include "core/gif/GifEncoder.h"
#include "core/gif/GifFile.h"
#include "core/gif/GifPlayback.h"
#include "core/gif/GifStretch.h"
#include "fuzz/FuzzCheck.h"
#include "support/GifTestSupport.h"

#include <cstdint>
#include <string>

using namespace tavrola;
using fuzz::require;

namespace {

// A frame's pixels from its stand-alone stream (header and a full table, then the descriptor),
// decoded by the test's LZW decoder in place of the platform's.
std::vector<std::uint8_t> decodeFrame(const GifFile& gif, int i) {
    constexpr std::size_t kDescriptor = 13 + 768;
    const std::string s = gif.singleImageStream(i, GifPalette{});
    require(s.size() > kDescriptor + 11);
    const int minCode = static_cast<unsigned char>(s[kDescriptor + 10]);
    return minCode >= 2 && minCode <= 8 ? testing::lzwDecode(testing::joinSubBlocks(s, kDescriptor + 11), minCode)
                                        : std::vector<std::uint8_t>{};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GifFile gif;
    if (!gif.load(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    const std::int64_t area = static_cast<std::int64_t>(gif.canvasWidth()) * gif.canvasHeight();
    require(gif.frameCount() >= 1 && gif.canvasWidth() >= 1 && gif.canvasHeight() >= 1 &&
            area <= GifFile::kMaxCanvasPixels);
    if (area > 1 << 18) // legal but slow to compose; spend the time on variety instead
        return 0;

    GifComposer::FramePixels pixels;
    for (int i = 0; i < gif.frameCount(); ++i) {
        const GifFrame& f = gif.frames()[static_cast<std::size_t>(i)];
        require(f.left + f.width <= gif.canvasWidth() && f.top + f.height <= gif.canvasHeight());
        pixels.push_back(decodeFrame(gif, i));
        pixels.back().resize(static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height));
    }

    GifComposer composer;
    composer.reset(gif.canvasWidth(), gif.canvasHeight());
    for (int i = 0; i < gif.frameCount(); ++i)
        composer.compose(gif, pixels, i);
    for (int i : {0, gif.frameCount() - 1})
        composer.compose(gif, pixels, i);
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
    for (int i = 0; i < 3 * gif.frameCount() + 2 && playback.tick().timerMs >= 0; ++i) {
    }

    GifEncoder enc(gif.canvasWidth(), gif.canvasHeight());
    if (gif.hasGlobalTable())
        enc.setGlobalPalette(std::vector<GifColour>(gif.table(0).begin(), gif.table(0).end()));
    for (int i = 0; i < gif.frameCount(); ++i) {
        const GifFrame& f = gif.frames()[static_cast<std::size_t>(i)];
        const auto& table = gif.palette(i);
        const bool ownTable = f.colourTable != 0 || !gif.hasGlobalTable();
        enc.addFrame({f.left, f.top, f.width, f.height, f.delay, f.disposal, f.transparent, f.transparentIndex,
                      false,
                      ownTable ? std::vector<GifColour>(table.begin(), table.end()) : std::vector<GifColour>{},
                      pixels[static_cast<std::size_t>(i)]});
    }
    GifFile again;
    require(again.load(enc.encode()) && again.frameCount() == gif.frameCount() &&
            again.canvasWidth() == gif.canvasWidth() && again.canvasHeight() == gif.canvasHeight() &&
            decodeFrame(again, 0) == pixels[0]);
    return 0;
}
