// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>

namespace tavrola {

// Plays sound without holding up the caller: the azan from a file, and a short tone.
class Audio {
public:
    virtual ~Audio() = default;
    // Starts playing the file and returns at once. False when it cannot start (no such file, not
    // readable); a file that turns out not to play later calls `failed` once instead. Either way
    // the caller says the sentence instead.
    virtual bool play(const std::filesystem::path& file, std::function<void()> failed) = 0;
    // The short tone at the iqamah; false when no sound can be made.
    virtual bool tone() = 0;
    // Whether an azan is playing now.
    virtual bool playing() const = 0;
};

} // namespace tavrola
