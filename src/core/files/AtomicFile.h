// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

namespace tavrola {

// Files the program keeps (setting.ini, the database, backups) are small; anything larger than
// this is not ours and is refused rather than read into memory.
inline constexpr std::uintmax_t kMaxManagedFileBytes = 16u * 1024u * 1024u;

// Reads a whole file. False (with ec set) when it is missing, not a regular file, unreadable or
// larger than maxBytes.
bool readWholeFile(const std::filesystem::path& path, std::string& out, std::error_code& ec,
                   std::uintmax_t maxBytes = kMaxManagedFileBytes);

// True when the file exists and carries no write permission for anyone (the read-only attribute).
bool isReadOnlyFile(const std::filesystem::path& path);

// Writes bytes to `temp`, flushes them to the disk, then renames `temp` over `target` in one step,
// so that `target` holds either its old content or the new one, whatever happens in between.
// A read-only target is refused. On failure `target` is untouched and `temp` is removed.
bool replaceFileAtomically(const std::filesystem::path& target, const std::filesystem::path& temp,
                           const std::string& bytes, std::error_code& ec);

// The temporary name used beside a file: the whole name with ".tmp" appended.
std::filesystem::path temporaryPathFor(const std::filesystem::path& target);

// Tests may set this to make the final rename fail, as a full disk or a crash would.
struct AtomicFileTestHooks {
    static std::function<bool(const std::filesystem::path& target)> failReplace;
};

} // namespace tavrola
