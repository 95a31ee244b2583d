#pragma once

#include "core/platform/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace tavrola::fakes {

// Records every box and answers from a queue (Yes when the queue is empty).
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
        if (buttons == MessageButtons::Ok)
            return DialogAnswer::Ok;
        if (answers.empty())
            return DialogAnswer::Yes;
        const DialogAnswer a = answers.front();
        answers.pop_front();
        return a;
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
    std::deque<DialogAnswer> answers;
    std::vector<OpenFileRequest> openRequests;
    std::string nextOpenFile;
};

} // namespace tavrola::fakes
