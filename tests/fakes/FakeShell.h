// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Shell.h"

#include <string>
#include <vector>

namespace tavrola::fakes {

// Never opens anything and never switches anything off: it only records what was asked.
class FakeShell : public Shell {
public:
    bool openAddress(const std::string& address) override {
        opened.push_back(address);
        return true;
    }
    bool powerOff() override {
        ++powerOffRequests;
        return true;
    }
    std::vector<std::string> opened;
    int powerOffRequests = 0;
};

} // namespace tavrola::fakes
