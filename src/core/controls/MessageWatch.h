// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

namespace tavrola {

// A misuse of the watch table. `source` names where it happened ("Error in Name.zAddMsg: ").
class MessageWatchError : public std::runtime_error {
public:
    MessageWatchError(std::string source, const std::string& description)
        : std::runtime_error(description), m_source(std::move(source)) {}
    const std::string& source() const { return m_source; }

private:
    std::string m_source;
};

namespace watchtext {
inline constexpr const char* kInvalidWindow = "Invalid window handle";
inline constexpr const char* kAlreadyWatched = "Window handle is already subclassed";
inline constexpr const char* kNotWatched = "Window handle isn't subclassed";
inline constexpr const char* kNotStarted = "Subclassing hasn't been started";
inline constexpr const char* kOverflow =
    "Message table overflow. Either increase the value of Const MSG_ENTRIES or "
    "use ALL_MESSAGES instead of specific message values";
} // namespace watchtext

// Which event numbers of one watched window a control handles, each before or after the window's
// own handling. The table is small and fixed; "all messages" stands in for any number.
class MessageWatch {
public:
    enum class When { Before, After };
    static constexpr std::size_t MSG_ENTRIES = 8;
    static constexpr unsigned ALL_MESSAGES = 0xFFFFFFFFu;

    explicit MessageWatch(std::string ownerName) : m_owner(std::move(ownerName)) {}

    void sc_Subclass(const void* window);
    void sc_UnSubclass(const void* window);
    void zAddMsg(const void* window, unsigned message, When when);
    void zDelMsg(const void* window, unsigned message, When when);

    bool isWatching() const { return m_window != nullptr; }
    bool watches(unsigned message, When when) const;

    // "Message &H2A3 not found in table"
    static std::string notFoundText(unsigned message);

private:
    struct Table {
        std::array<unsigned, MSG_ENTRIES> messages{};
        std::size_t count = 0;
        bool all = false;
    };
    [[noreturn]] void fail(const char* operation, const std::string& description) const;
    Table& zMap_hWnd(const void* window, When when);
    const Table& table(When when) const { return when == When::Before ? m_before : m_after; }

    std::string m_owner;
    const void* m_window = nullptr;
    Table m_before;
    Table m_after;
};

} // namespace tavrola
