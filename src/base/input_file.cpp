// SPDX-License-Identifier: BSD-3-Clause
#include "base/input_file.hpp"

#include <cerrno>
#include <system_error>

#include "base/misc_util.hpp"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define ZEPHON_POSIX_INPUT 1
#endif

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

#ifdef ZEPHON_POSIX_INPUT
fs::file_type TypeOfMode(mode_t mode) {
    if (S_ISREG(mode)) return fs::file_type::regular;
    if (S_ISDIR(mode)) return fs::file_type::directory;
    if (S_ISFIFO(mode)) return fs::file_type::fifo;
    if (S_ISCHR(mode)) return fs::file_type::character;
    if (S_ISBLK(mode)) return fs::file_type::block;
    if (S_ISSOCK(mode)) return fs::file_type::socket;
    return fs::file_type::unknown;
}
#endif

} // namespace

std::string ByteSizeText(std::uintmax_t bytes) {
    constexpr std::uintmax_t kKiB = 1024, kMiB = 1024 * 1024;
    if (bytes >= kMiB && bytes % kMiB == 0) return SpaceNumberInsert(std::to_string(bytes / kMiB)) + " MB";
    if (bytes >= kKiB && bytes % kKiB == 0) return SpaceNumberInsert(std::to_string(bytes / kKiB)) + " KB";
    return SpaceNumberInsert(std::to_string(bytes)) + (bytes == 1 ? " byte" : " bytes");
}

std::string InputFileProblem(fs::file_type type, std::uintmax_t size, std::uintmax_t maxBytes) {
    switch (type) {
    case fs::file_type::regular:
        if (size > maxBytes) return "it is larger than " + ByteSizeText(maxBytes) + ", the most Zephon reads";
        return "";
    case fs::file_type::not_found:
        return "there is no such file";
    case fs::file_type::directory:
        return "it is a folder, not a file";
    case fs::file_type::fifo:
        return "it is a named pipe (FIFO), not a regular file";
    case fs::file_type::character:
    case fs::file_type::block:
        return "it is a device, not a regular file";
    case fs::file_type::socket:
        return "it is a socket, not a regular file";
    default:
        return "it is not a regular file";
    }
}

std::string CheckInputFile(const fs::path& path, std::uintmax_t maxBytes) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec); // follows symbolic links
    if (ec && status.type() != fs::file_type::not_found) return ec.message();
    std::uintmax_t size = 0;
    if (status.type() == fs::file_type::regular) {
        size = fs::file_size(path, ec);
        if (ec) return ec.message();
    }
    return InputFileProblem(status.type(), size, maxBytes);
}

bool ReadInputStream(std::FILE* stream, std::string& content, std::string& error, std::uintmax_t maxBytes) {
    content.clear();
    char chunk[65536];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stream);
        if (got == 0) break;
        if (content.size() + got > maxBytes) {
            content.clear();
            content.shrink_to_fit();
            error = "it is larger than " + ByteSizeText(maxBytes) + ", the most Zephon reads";
            return false;
        }
        content.append(chunk, got);
    }
    if (std::ferror(stream) != 0) {
        content.clear();
        error = "it could not be read";
        return false;
    }
    return true;
}

bool ReadWholeFile(const fs::path& path, std::string& content, std::string& error, std::uintmax_t maxBytes) {
    content.clear();
#ifdef ZEPHON_POSIX_INPUT
    // Opened without waiting (a FIFO without a writer would block an ordinary open), then judged by
    // what was opened, so that nothing can swap the file between the check and the read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = errno == ENOENT ? "there is no such file" : ErrnoText(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = ErrnoText(errno);
        ::close(fd);
        return false;
    }
    const fs::file_type type = TypeOfMode(info.st_mode);
    const std::uintmax_t size = info.st_size > 0 ? static_cast<std::uintmax_t>(info.st_size) : 0;
    error = InputFileProblem(type, size, maxBytes);
    if (!error.empty()) {
        ::close(fd);
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        error = ErrnoText(errno);
        ::close(fd);
        return false;
    }
#else
    error = CheckInputFile(path, maxBytes);
    if (!error.empty()) return false;
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    if (file == nullptr) {
        error = ErrnoText(errno);
        return false;
    }
#endif
    const bool read = ReadInputStream(file, content, error, maxBytes);
    std::fclose(file);
    return read;
}
