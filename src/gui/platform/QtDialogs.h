// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Dialogs.h"

class QWidget;

namespace tavrola {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    DialogAnswer message(MessageIcon icon, const std::string& title, const std::string& text,
                         MessageButtons buttons) override;
    std::string openFile(const OpenFileRequest& request) override;

private:
    QWidget* m_parent;
};

} // namespace tavrola
