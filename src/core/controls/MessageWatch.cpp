// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controls/MessageWatch.h"

#include <algorithm>
#include <cstdio>

namespace tavrola {

void MessageWatch::fail(const char* operation, const std::string& description) const {
    throw MessageWatchError("Error in " + m_owner + "." + operation + ": ", description);
}

std::string MessageWatch::notFoundText(unsigned message) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", message);
    return std::string("Message &H") + hex + " not found in table";
}

void MessageWatch::sc_Subclass(const void* window) {
    if (!window)
        fail("sc_Subclass", watchtext::kInvalidWindow);
    if (m_window)
        fail("sc_Subclass", watchtext::kAlreadyWatched);
    m_window = window;
    m_before = {};
    m_after = {};
}

void MessageWatch::sc_UnSubclass(const void* window) {
    if (!m_window)
        fail("sc_UnSubclass", watchtext::kNotStarted);
    if (window != m_window)
        fail("sc_UnSubclass", watchtext::kNotWatched);
    m_window = nullptr;
    m_before = {};
    m_after = {};
}

MessageWatch::Table& MessageWatch::zMap_hWnd(const void* window, When when) {
    if (!m_window)
        fail("zMap_hWnd", watchtext::kNotStarted);
    if (window != m_window)
        fail("zMap_hWnd", watchtext::kNotWatched);
    return when == When::Before ? m_before : m_after;
}

void MessageWatch::zAddMsg(const void* window, unsigned message, When when) {
    Table& t = zMap_hWnd(window, when);
    if (message == ALL_MESSAGES) {
        t.all = true;
        return;
    }
    const auto end = t.messages.begin() + static_cast<std::ptrdiff_t>(t.count);
    if (t.all || std::find(t.messages.begin(), end, message) != end)
        return;
    if (t.count == MSG_ENTRIES)
        fail("zAddMsg", watchtext::kOverflow);
    t.messages[t.count++] = message;
}

void MessageWatch::zDelMsg(const void* window, unsigned message, When when) {
    Table& t = zMap_hWnd(window, when);
    if (message == ALL_MESSAGES) {
        t = {};
        return;
    }
    const auto end = t.messages.begin() + static_cast<std::ptrdiff_t>(t.count);
    const auto it = std::find(t.messages.begin(), end, message);
    if (it == end)
        fail("zDelMsg", notFoundText(message));
    std::copy(it + 1, end, it);
    --t.count;
}

bool MessageWatch::watches(unsigned message, When when) const {
    if (!m_window)
        return false;
    const Table& t = table(when);
    if (t.all)
        return true;
    const auto end = t.messages.begin() + static_cast<std::ptrdiff_t>(t.count);
    return std::find(t.messages.begin(), end, message) != end;
}

} // namespace tavrola
