// SPDX-License-Identifier: BSD-3-Clause
#include "base/file_replace.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The kernel's own limit on links followed in one path.
constexpr int kMaxLinks = 40;

std::string ErrnoText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// Why a path that exists cannot be replaced by a new file; empty when it can.
std::string RefusalFor(const fs::path& path, const struct stat& status) {
    if (S_ISDIR(status.st_mode)) return "a folder of that name exists";
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return "it is a device, not a file";
    if (S_ISFIFO(status.st_mode)) return "it is a named pipe, not a file";
    if (S_ISSOCK(status.st_mode)) return "it is a socket, not a file";
    if (!S_ISREG(status.st_mode)) return "it is not an ordinary file";
    // Renaming would replace a file its owner protected from writing (root may write anything).
    if (::access(path.c_str(), W_OK) != 0) {
        if (errno == EACCES || errno == EPERM) return "the file is write-protected";
        if (errno == EROFS) return "the file system is read-only";
    }
    return {};
}

class CDescriptor {
  public:
    explicit CDescriptor(int fd) : mFd(fd) {}
    ~CDescriptor() {
        if (mFd >= 0) ::close(mFd);
    }
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    int Get() const { return mFd; }
    // Closes now; the error of the close, or 0.
    int Close() {
        const int fd = mFd;
        mFd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

  private:
    int mFd;
};

bool WriteAll(int fd, std::string_view text, int& error) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file of our own beside the target (O_EXCL: never an existing one); -1 with the reason.
int CreateTemporary(const fs::path& folder, const fs::path& target, fs::path& temporary, int& error) {
    static std::atomic<unsigned> counter{0};
    std::mt19937 random(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()) +
                        counter++);
    for (int attempt = 0; attempt < 20; ++attempt) {
        temporary = folder / ("." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        error = errno;
        if (error != EEXIST) break;
    }
    return -1;
}

// The replacement takes the owner, group and permissions of the file it replaces. Giving a file
// away is for root; a group the user belongs to is allowed; what is refused keeps the user's.
void TakeOwnerAndPermissions(int fd, const struct stat& previous) {
    const bool sameOwner = previous.st_uid == ::geteuid() && previous.st_gid == ::getegid();
    if (!sameOwner && ::fchown(fd, previous.st_uid, previous.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), previous.st_gid) != 0) {
        // Neither is allowed: the replacement stays the user's.
    }
    // After the owner: changing it may clear the set-id bits.
    ::fchmod(fd, previous.st_mode & 07777);
}

// The rename itself is made durable by flushing the folder; a file system that cannot do that is no
// reason to call a finished save a failure.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool ResolveFileLinks(const fs::path& path, fs::path& resolved, std::string& error) {
    resolved = path;
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(resolved.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return true;
        if (links == kMaxLinks) {
            error = "its symbolic links go round in a loop";
            return false;
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(resolved, ec);
        if (ec) {
            error = "its symbolic link cannot be read (" + ec.message() + ")";
            return false;
        }
        resolved = next.is_absolute() ? next : resolved.parent_path() / next;
    }
}

CPreparedReplacement::~CPreparedReplacement() {
    Abandon();
}

CPreparedReplacement::CPreparedReplacement(CPreparedReplacement&& other) noexcept
    : mTarget(std::move(other.mTarget)), mTemporary(std::move(other.mTemporary)) {
    other.mTemporary.clear();
}

void CPreparedReplacement::Abandon() {
    if (mTemporary.empty()) return;
    ::unlink(mTemporary.c_str());
    mTemporary.clear();
}

bool CPreparedReplacement::Prepare(const fs::path& path, std::string_view text, std::string& error) {
    Abandon();
    fs::path target;
    if (!ResolveFileLinks(path, target, error)) return false;
    struct stat previous {};
    const bool exists = ::stat(target.c_str(), &previous) == 0;
    if (exists) {
        error = RefusalFor(target, previous);
        if (!error.empty()) return false;
    }

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path temporary;
    int openError = 0;
    CDescriptor file(CreateTemporary(folder, target, temporary, openError));
    if (file.Get() < 0) {
        error = "a new file cannot be created in its folder (" + ErrnoText(openError) + ")";
        return false;
    }
    if (exists) TakeOwnerAndPermissions(file.Get(), previous);

    int writeError = 0;
    bool ok = WriteAll(file.Get(), text, writeError);
    if (ok && ::fsync(file.Get()) != 0 && errno != EINVAL) {
        ok = false;
        writeError = errno;
    }
    if (const int closeError = file.Close(); ok && closeError != 0) {
        ok = false;
        writeError = closeError;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = "writing failed (" + ErrnoText(writeError) + ")";
        return false;
    }
    mTarget = target;
    mTemporary = temporary;
    return true;
}

bool CPreparedReplacement::Commit(std::string& error) {
    if (mTemporary.empty()) {
        error = "nothing was prepared";
        return false;
    }
    if (::rename(mTemporary.c_str(), mTarget.c_str()) != 0) {
        const int renameError = errno;
        Abandon();
        error = "the file could not be replaced (" + ErrnoText(renameError) + ")";
        return false;
    }
    mTemporary.clear();
    SyncFolder(mTarget.has_parent_path() ? mTarget.parent_path() : fs::path("."));
    return true;
}

bool ReplaceFileContents(const fs::path& path, std::string_view text, std::string& error) {
    CPreparedReplacement replacement;
    return replacement.Prepare(path, text, error) && replacement.Commit(error);
}
