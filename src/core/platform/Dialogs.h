// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tavrola {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, YesNo };
enum class DialogAnswer { Ok, Yes, No };

struct OpenFileRequest {
    std::string title;
    std::string initialFolder;
    // Filter pairs as (description, patterns), e.g. ("Pictures", "*.gif;*.jpg").
    std::vector<std::pair<std::string, std::string>> filters;
    // Only a file that already exists may be chosen.
    bool mustExist = true;
    // The window the dialog is modal over, as the user-interface layer knows it (a QWidget* in the
    // Qt build); null leaves the choice to the service.
    void* owner = nullptr;
};

// Modal boxes and the open-file dialog. Text is in the local 8-bit code page, as the files are.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual DialogAnswer message(MessageIcon icon, const std::string& title, const std::string& text,
                                 MessageButtons buttons = MessageButtons::Ok) = 0;
    // The chosen existing file, or the empty string when the user cancels.
    virtual std::string openFile(const OpenFileRequest& request) = 0;
};

} // namespace tavrola
