// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Speech.h"

#include <string>
#include <vector>

namespace tavrola::fakes {

class FakeSpeech : public Speech {
public:
    bool speak(const std::string& sentence) override {
        spoken.push_back(sentence);
        return canSpeak;
    }
    std::vector<std::string> spoken;
    bool canSpeak = true;
};

} // namespace tavrola::fakes
