// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Audio.h"

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace tavrola::fakes {

// Records what would have sounded. canPlay false refuses at once; failLater() reports a file that
// started but would not play.
class FakeAudio : public Audio {
public:
    bool play(const std::filesystem::path& file, std::function<void()> failed) override {
        played.push_back(file);
        m_failed = std::move(failed);
        return canPlay;
    }
    bool tone() override { return ++tones > 0; }
    bool playing() const override { return isPlaying; }
    void failLater() { std::exchange(m_failed, nullptr)(); }

    std::vector<std::filesystem::path> played;
    int tones = 0;
    bool canPlay = true;
    bool isPlaying = false;

private:
    std::function<void()> m_failed;
};

} // namespace tavrola::fakes
