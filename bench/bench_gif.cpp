// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gif/GifComposer.h"
#include "core/gif/GifEncoder.h"
#include "core/gif/GifFile.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace tavrola;

namespace {

// A 320×240 animation of 24 frames: a full first frame, then small moving patches with transparency.
std::string animation() {
    GifEncoder enc(320, 240);
    std::vector<GifColour> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                                90};
    enc.setGlobalPalette(palette);
    std::mt19937 rng(3);
    for (int n = 0; n < 24; ++n) {
        GifEncoderFrame f;
        f.width = n == 0 ? 320 : 64;
        f.height = n == 0 ? 240 : 48;
        f.left = n == 0 ? 0 : (n * 11) % 256;
        f.top = n == 0 ? 0 : (n * 7) % 192;
        f.transparent = true;
        f.disposal = static_cast<std::uint8_t>(n % 4);
        f.pixels.resize(static_cast<std::size_t>(f.width * f.height));
        for (auto& p : f.pixels)
            p = static_cast<std::uint8_t>(rng() % 16 * 16);
        enc.addFrame(std::move(f));
    }
    return enc.encode();
}

} // namespace

static void BM_GifIndexPass(benchmark::State& state) {
    const std::string bytes = animation();
    for (auto _ : state) {
        GifFile gif;
        benchmark::DoNotOptimize(gif.load(bytes));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_GifIndexPass);

// One pass of playback: every frame composed in turn, as the timer does.
static void BM_GifComposeAllFrames(benchmark::State& state) {
    GifFile gif;
    gif.load(animation());
    GifComposer::FramePixels pixels;
    for (const GifFrame& f : gif.frames())
        pixels.emplace_back(static_cast<std::size_t>(f.width * f.height), std::uint8_t{32});
    GifComposer composer;
    composer.reset(gif.canvasWidth(), gif.canvasHeight());
    for (auto _ : state) {
        for (int i = 0; i < gif.frameCount(); ++i)
            composer.compose(gif, pixels, i);
        benchmark::DoNotOptimize(composer.pixels().data());
    }
}
BENCHMARK(BM_GifComposeAllFrames);

static void BM_GifLzwEncode(benchmark::State& state) {
    std::vector<std::uint8_t> px(320 * 240);
    std::mt19937 rng(5);
    for (auto& p : px)
        p = static_cast<std::uint8_t>(rng() % 8 == 0 ? rng() % 256 : 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(GifEncoder::lzw(px, 8));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * px.size()));
}
BENCHMARK(BM_GifLzwEncode);
