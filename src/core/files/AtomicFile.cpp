// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/AtomicFile.h"

#include "core/files/IniCache.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavrola {

namespace fs = std::filesystem;

std::function<bool(const fs::path&)> AtomicFileTestHooks::failReplace;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f)
            std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    return FilePtr(_wfopen(path.c_str(), wmode.c_str()));
#else
    return FilePtr(std::fopen(path.c_str(), mode));
#endif
}

// A new file at `path` for writing, or null. It never writes through whatever already stands at
// that name: a file left by a crash, or a link planted there to make us overwrite something else,
// is removed first (the name, not what it points at), and the file is then created exclusively.
FilePtr createFresh(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
#ifdef _WIN32
    const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return nullptr;
    FilePtr f(_fdopen(fd, "wb"));
    if (!f)
        _close(fd);
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    FilePtr f(::fdopen(fd, "wb"));
    if (!f)
        ::close(fd);
#endif
    return f;
}

// Pushes the file's bytes to the disk so that a power cut after the rename cannot leave an
// empty file behind the new name.
bool syncToDisk(std::FILE* f) {
    if (std::fflush(f) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return ::fsync(fileno(f)) == 0;
#endif
}

} // namespace

bool readWholeFile(const fs::path& path, std::string& out, std::error_code& ec, std::uintmax_t maxBytes) {
    out.clear();
    ec.clear();
    FilePtr f = openFile(path, "rb");
    if (!f) {
        ec = std::error_code(errno, std::generic_category());
        return false;
    }
    // Read in chunks rather than trusting the size: the file may change under us.
    char buf[16384];
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, f.get());
        if (n > 0) {
            if (out.size() + n > maxBytes) {
                out.clear();
                ec = std::make_error_code(std::errc::file_too_large);
                return false;
            }
            out.append(buf, n);
        }
        if (n < sizeof buf) {
            if (std::ferror(f.get())) {
                out.clear();
                ec = std::make_error_code(std::errc::io_error);
                return false;
            }
            return true;
        }
    }
}

bool isReadOnlyFile(const fs::path& path) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::is_regular_file(st))
        return false;
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & writable) == fs::perms::none;
}

fs::path temporaryPathFor(const fs::path& target) {
    fs::path temp = target;
    temp += ".tmp";
    return temp;
}

bool replaceFileAtomically(const fs::path& target, const fs::path& temp, const std::string& bytes,
                           std::error_code& ec) {
    ec.clear();
    if (isReadOnlyFile(target)) {
        ec = std::make_error_code(std::errc::permission_denied);
        return false;
    }
    auto fail = [&](std::error_code why) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        ec = why;
        return false;
    };
    {
        FilePtr f = createFresh(temp);
        if (!f)
            return fail(std::error_code(errno, std::generic_category()));
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
            return fail(std::make_error_code(std::errc::io_error));
        if (!syncToDisk(f.get()))
            return fail(std::make_error_code(std::errc::io_error));
        if (std::fclose(f.release()) != 0)
            return fail(std::make_error_code(std::errc::io_error));
    }
    // Keep the old file's permissions on the new one (a link's target's are none of our business).
    std::error_code permEc;
    const fs::file_status old = fs::symlink_status(target, permEc);
    if (!permEc && fs::is_regular_file(old))
        fs::permissions(temp, old.permissions(), permEc);

    if (AtomicFileTestHooks::failReplace && AtomicFileTestHooks::failReplace(target))
        return fail(std::make_error_code(std::errc::io_error));
    std::error_code renameEc;
    fs::rename(temp, target, renameEc);
    if (renameEc)
        return fail(renameEc);
    // Readers of the parsed files see the new content at once, even within the time stamps' resolution.
    IniCache::forget();
    IniCache::noteOwnWrite(target);
    return true;
}

} // namespace tavrola
