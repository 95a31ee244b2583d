// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavrola {

// Speaks one English sentence without holding up the caller.
class Speech {
public:
    virtual ~Speech() = default;
    // False when no engine can speak; the announcement goes on without sound.
    virtual bool speak(const std::string& sentence) = 0;
};

} // namespace tavrola
