// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Dialogs.h"

#include <string>
#include <vector>

namespace tavrola::fakes {

// Records every box; a question is answered Yes.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        MessageIcon icon;
        std::string title;
        std::string text;
        MessageButtons buttons;
    };

    DialogAnswer message(MessageIcon icon, const std::string& title, const std::string& text,
                         MessageButtons buttons) override {
        shown.push_back({icon, title, text, buttons});
        return buttons == MessageButtons::Ok ? DialogAnswer::Ok : DialogAnswer::Yes;
    }

    std::string openFile(const OpenFileRequest& request) override {
        openRequests.push_back(request);
        return nextOpenFile;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& s : shown)
            out.push_back(s.text);
        return out;
    }

    std::vector<Shown> shown;
    std::vector<OpenFileRequest> openRequests;
    std::string nextOpenFile;
};

} // namespace tavrola::fakes
