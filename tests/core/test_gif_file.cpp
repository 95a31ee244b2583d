// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gif/GifEncoder.h"
#include "core/gif/GifFile.h"
#include "support/GifTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace tavrola;
using namespace tavrola::testing;

namespace {

std::string bytes(std::initializer_list<int> v) {
    std::string s;
    for (int b : v)
        s.push_back(static_cast<char>(b));
    return s;
}

// Header with a logical screen of 1×1 and no global table.
std::string bareHeader(const char* sig = "GIF89a") {
    return std::string(sig) + bytes({1, 0, 1, 0, 0, 0, 0});
}

// A 1×1 image descriptor with a local table of 2 entries and one pixel of index 0.
std::string tinyImage(int left = 0, int top = 0, int w = 1, int h = 1) {
    return bytes({0x2C, left & 0xFF, left >> 8, top & 0xFF, top >> 8, w & 0xFF, w >> 8, h & 0xFF, h >> 8, 0x80, 0,
                  0,    0,           255,       255,        255,      2,        2,      0x44,     0x01,   0});
}

} // namespace

TEST(GifIndex, ReadsFramesDelaysTablesAndCanvas) {
    GifEncoder enc(100, 100); // the logical screen is not the canvas
    enc.setGlobalPalette(basicPalette());
    enc.setLoopCount(3);
    auto a = solidFrame(0, 0, 10, 5, 1, 70);
    a.disposal = 2;
    auto b = solidFrame(4, 6, 3, 3, 2, 0);
    b.transparent = true;
    b.transparentIndex = 2;
    b.palette = {{9, 9, 9}, {1, 2, 3}, {4, 5, 6}};
    b.disposal = 3;
    enc.addFrame(a);
    enc.addFrame(b);
    GifFile gif;
    ASSERT_TRUE(gif.load(enc.encode()));
    ASSERT_EQ(gif.frameCount(), 2);
    EXPECT_EQ(gif.canvasWidth(), 10);
    EXPECT_EQ(gif.canvasHeight(), 9);
    EXPECT_EQ(gif.loopCount(), 3);
    const GifFrame& f0 = gif.frames()[0];
    const GifFrame& f1 = gif.frames()[1];
    EXPECT_EQ(f0.delay, 70);
    EXPECT_EQ(f0.disposal, 2);
    EXPECT_EQ(static_cast<unsigned char>(gif.bytes()[f0.start]), 0x21u); // the control extension opens the frame
    EXPECT_EQ(f1.disposal, 3);
    EXPECT_EQ(f1.colourTable, 1);
    EXPECT_TRUE(f1.transparent);
    EXPECT_EQ(f1.transparentIndex, 2);
    EXPECT_EQ(gif.palette(1)[2], (GifColour{4, 5, 6}));
    EXPECT_EQ(gif.palette(1)[200], (GifColour{})); // unused entries stay black
    // Palettes can be replaced and restored.
    gif.cacheColourTables();
    gif.setPalette(0, GifPalette{});
    EXPECT_EQ(gif.palette(0)[1], (GifColour{}));
    gif.restoreColourTables();
    EXPECT_EQ(gif.palette(0)[1], (GifColour{255, 0, 0}));
}

TEST(GifIndex, BothVersionsInAnyLetterCase) {
    for (const char* sig : {"GIF89a", "gif89A", "GIF87a", "Gif87A"})
        EXPECT_TRUE(GifFile().load(bareHeader(sig) + tinyImage() + ";")) << sig;
}

TEST(GifIndex, FirstFrameDisposalThreeActsAsNoneAndLoopCountFromNetscapeBlock) {
    auto gce = [](int packed) { return bytes({0x21, 0xF9, 4, packed, 5, 0, 0, 0}); };
    GifFile gif;
    ASSERT_TRUE(gif.load(bareHeader() + gce(3 << 2) + tinyImage() + gce(3 << 2) + tinyImage() + ";"));
    EXPECT_EQ(gif.frames()[0].disposal, 0);
    EXPECT_EQ(gif.frames()[1].disposal, 3);
    EXPECT_EQ(gif.frames()[0].delay, 50);
    EXPECT_FALSE(gif.loopCount().has_value());
    ASSERT_TRUE(gif.load(threeFrameGif(0)));
    EXPECT_EQ(gif.loopCount(), 0);
    // Upper-case comparison; a sub-block of another size is skipped as data.
    const std::string app = bytes({0x21, 0xFF, 11}) + "netscape2.0";
    ASSERT_TRUE(gif.load(bareHeader() + app + bytes({3, 1, 9, 0, 0}) + tinyImage() + ";"));
    EXPECT_EQ(gif.loopCount(), 9);
    ASSERT_TRUE(gif.load(bareHeader() + app + bytes({5, 1, 9, 0, 1, 1, 0}) + tinyImage() + ";"));
    EXPECT_FALSE(gif.loopCount().has_value());
}

TEST(GifIndex, BrokenFilesLoadNothing) {
    const std::string good = bareHeader() + tinyImage() + ";";
    const std::string app = bytes({0x21, 0xFF, 11}) + "NETSCAPE2.0";
    const std::string head256 = bareHeader() + bytes({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x87});
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"signature only", "GIF89a"},
        {"wrong signature", "JFIF89" + good.substr(6)},
        {"wrong version", bareHeader("GIF88a") + tinyImage() + ";"},
        {"no table for the second frame",
         bareHeader() + tinyImage() + bytes({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00, 2, 2, 0x44, 0x01, 0}) + ";"},
        {"no trailer", good.substr(0, good.size() - 1)},
        {"local table of 256 cut short", head256 + std::string(300, '\x01')},
        {"global table cut short", "GIF89a" + bytes({1, 0, 1, 0, 0x87, 0, 0}) + std::string(100, '\0')},
        {"sub-block past the end", bareHeader() + tinyImage().substr(0, 17) + bytes({200, 1, 2, 3})},
        {"extension sub-block past the end", bareHeader() + bytes({0x21, 0xFE, 50, 'a', 'b'})},
        {"netscape cut short", bareHeader() + app + bytes({3, 1})},
        {"netscape length past the end", bareHeader() + bytes({0x21, 0xFF, 11}) + "NETSC"},
        {"control extension cut short", bareHeader() + bytes({0x21, 0xF9, 4, 1})},
        {"descriptor cut short", bareHeader() + bytes({0x2C, 0, 0, 0})},
        {"no frames", bareHeader() + ";"},
        {"only an empty frame", bareHeader() + tinyImage(0, 0, 0, 0) + ";"},
        {"huge canvas", bareHeader() + tinyImage(0, 0, 60000, 60000) + ";"},
        {"huge canvas from placement", bareHeader() + tinyImage(65535, 65535) + ";"},
    };
    for (const auto& [name, data] : cases) {
        GifFile gif;
        EXPECT_FALSE(gif.load(data)) << name;
        EXPECT_TRUE(gif.empty()) << name;
        EXPECT_EQ(gif.canvasWidth(), 0) << name;
    }
    GifFile gif;
    EXPECT_TRUE(gif.load(good));
}

TEST(GifIndex, EveryTruncationOfAGoodFileFails) {
    const std::string good = threeFrameGif(2);
    for (std::size_t n = 0; n < good.size(); ++n) {
        GifFile gif;
        EXPECT_FALSE(gif.load(good.substr(0, n))) << n;
    }
}

TEST(GifIndex, PixelAndFrameLimits) {
    GifFile gif;
    // 4096 × 4096 is the largest canvas: one pixel in its far corner is fine, one more column is not.
    EXPECT_TRUE(gif.load(bareHeader() + tinyImage(4095, 4095) + ";"));
    EXPECT_EQ(gif.canvasWidth(), 4096);
    EXPECT_FALSE(gif.load(bareHeader() + tinyImage(4096, 4095) + ";"));
    // Frames that each fit but together exceed the frame budget.
    std::string big = bareHeader();
    for (int i = 0; i < 5; ++i)
        big += tinyImage(0, 0, 4096, 4096);
    EXPECT_FALSE(gif.load(big + ";"));
    std::string many = bareHeader();
    for (int i = 0; i < GifFile::kMaxFrames; ++i)
        many += tinyImage();
    EXPECT_TRUE(gif.load(many + ";"));
    EXPECT_FALSE(gif.load(many + tinyImage() + ";"));
}

TEST(GifIndex, SingleImageStreamCarriesTheFramesPixelsAndTable) {
    GifEncoder enc(20, 20);
    enc.setGlobalPalette(basicPalette());
    enc.addFrame(solidFrame(0, 0, 20, 20, 0));
    auto f = solidFrame(5, 7, 6, 3, 0);
    f.palette = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
    for (std::size_t i = 0; i < f.pixels.size(); ++i)
        f.pixels[i] = static_cast<std::uint8_t>(i % 5);
    f.transparent = true;
    enc.addFrame(f);
    GifFile gif;
    ASSERT_TRUE(gif.load(enc.encode()));
    GifPalette ramp{};
    for (int i = 0; i < 256; ++i)
        ramp[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), 0, 0};
    const std::string s = gif.singleImageStream(1, ramp);
    EXPECT_EQ(s.substr(0, 10), "GIF89a" + bytes({6, 0, 3, 0}));
    EXPECT_EQ(static_cast<unsigned char>(s[13 + 3 * 200]), 200u) << "the given table is the global one";
    const std::size_t desc = 13 + 768;
    ASSERT_EQ(static_cast<unsigned char>(s[desc]), 0x2Cu) << "the control extension is left out";
    EXPECT_EQ(s.substr(desc + 1, 8), bytes({0, 0, 0, 0, 6, 0, 3, 0}));
    const int minCode = s[desc + 10];
    EXPECT_EQ(lzwDecode(joinSubBlocks(s, desc + 11), minCode), f.pixels);
    EXPECT_TRUE(GifFile().load(s));
}

TEST(GifEncoder, LzwRoundTripsThroughTableResets) {
    std::mt19937 rng(7);
    for (int minCode : {2, 4, 8}) {
        for (std::size_t n : {0u, 1u, 2u, 3u, 100u, 5000u, 70000u}) {
            std::vector<std::uint8_t> px(n);
            std::uniform_int_distribution<int> pick(0, (1 << minCode) - 1);
            for (auto& p : px)
                p = static_cast<std::uint8_t>(n > 20000 && minCode == 2 ? 1 : pick(rng));
            EXPECT_EQ(lzwDecode(GifEncoder::lzw(px, minCode), minCode), px) << minCode << " " << n;
        }
    }
    // Long runs of one colour compress well.
    EXPECT_LT(GifEncoder::lzw(std::vector<std::uint8_t>(100000, 3), 2).size(), 2000u);

    GifEncoder enc(3, 3);
    enc.setGlobalPalette(basicPalette());
    auto f = solidFrame(0, 0, 3, 3, 2, 123);
    f.pixels[4] = 200; // beyond the 4-colour table: the encoder widens the frame's code size
    enc.addFrame(f);
    GifFile gif;
    ASSERT_TRUE(gif.load(enc.encode()));
    EXPECT_EQ(gif.frames()[0].delay, 120);
    const std::string s = gif.singleImageStream(0, GifPalette{});
    EXPECT_EQ(lzwDecode(joinSubBlocks(s, 13 + 768 + 11), s[13 + 768 + 10]), f.pixels);
}
