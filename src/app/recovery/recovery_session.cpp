// SPDX-License-Identifier: BSD-3-Clause
#include "app/recovery/recovery_session.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <system_error>

#include "app/document_kinds.hpp"
#include "base/file_replace.hpp"
#include "base/input_file.hpp"

namespace fs = std::filesystem;

namespace {

constexpr const char* kLockName = "lock";
constexpr const char* kSessionPrefix = "session-";

std::string ErrnoText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// A line of the description holds no line break: "\" and the break are written "\\" and "\n".
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string Unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

fs::path DescriptionFile(const fs::path& folder, int number) {
    return folder / (std::to_string(number) + ".info");
}

// Opens the lock file and takes its lock without waiting; -1 when another program holds it or it
// cannot be opened.
int TakeLock(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

fs::path DefaultRecoveryFolder(const std::string& xdgStateHome, const fs::path& home) {
    // A relative XDG_STATE_HOME is ignored, as the XDG base directory rules require.
    const fs::path state = fs::path(xdgStateHome).is_absolute() ? fs::path(xdgStateHome)
                           : home.empty()                       ? fs::path()
                                                                : home / ".local" / "state";
    return state.empty() ? fs::path() : state / "zephon" / "recovery";
}

// ---- the running program's session ----

std::unique_ptr<CRecoverySession> CRecoverySession::Start(const fs::path& folder, std::string& error) {
    if (folder.empty()) {
        error = "there is no state folder (neither XDG_STATE_HOME nor HOME is set)";
        return nullptr;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = "the folder \"" + folder.string() + "\" cannot be made (" + ec.message() + ")";
        return nullptr;
    }
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path session =
            folder / (kSessionPrefix + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000));
        if (::mkdir(session.c_str(), 0700) != 0) {
            if (errno == EEXIST) continue;
            error = "the folder \"" + folder.string() + "\" cannot be written (" + ErrnoText(errno) + ")";
            return nullptr;
        }
        const int lock = TakeLock(session / kLockName);
        if (lock < 0) {
            error = "the folder \"" + folder.string() + "\" cannot be written (" + ErrnoText(errno) + ")";
            fs::remove_all(session, ec);
            return nullptr;
        }
        const std::string pid = std::to_string(::getpid()) + "\n";
        [[maybe_unused]] const ssize_t written = ::write(lock, pid.data(), pid.size()); // for a person only
        return std::unique_ptr<CRecoverySession>(new CRecoverySession(session, lock));
    }
    error = "no session folder of its own could be made in \"" + folder.string() + "\"";
    return nullptr;
}

CRecoverySession::CRecoverySession(fs::path folder, int lock) : mFolder(std::move(folder)), mLock(lock) {}

CRecoverySession::~CRecoverySession() {
    std::error_code ec;
    bool holdsCopies = false;
    for (const auto& entry : fs::directory_iterator(mFolder, ec))
        holdsCopies = holdsCopies || entry.path().filename() != kLockName;
    if (!holdsCopies) fs::remove_all(mFolder, ec);
    ::close(mLock);
}

fs::path CRecoverySession::CopyFile(int number, CDocumentKind kind) const {
    return mFolder / (std::to_string(number) + KindInfo(kind).extension);
}

bool CRecoverySession::Write(const CRecoveryCopy& copy, const std::string& text, std::string& error) const {
    // The copy first: a description always names a whole copy.
    return ReplaceFileContents(copy.file, text, error) &&
           ReplaceFileContents(DescriptionFile(mFolder, copy.number), DescribeCopy(copy), error);
}

void CRecoverySession::Remove(int number, CDocumentKind kind) const {
    std::error_code ec;
    fs::remove(DescriptionFile(mFolder, number), ec);
    fs::remove(CopyFile(number, kind), ec);
}

// ---- what earlier programs left ----

CRecoverableCopies::CRecoverableCopies(const fs::path& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const fs::path session = entry.path();
        if (!entry.is_directory(ec) || !session.filename().string().starts_with(kSessionPrefix)) continue;
        const int lock = TakeLock(session / kLockName);
        if (lock < 0) continue; // its program is still running
        std::size_t found = 0;
        for (const auto& file : fs::directory_iterator(session, ec)) {
            if (file.path().extension() != ".info") continue;
            std::string text, why;
            CRecoveryCopy copy;
            if (!ReadWholeFile(file.path(), text, why) || !ParseCopyDescription(text, copy)) continue;
            copy.file = session / (std::to_string(copy.number) + KindInfo(copy.kind).extension);
            if (!fs::is_regular_file(copy.file, ec)) continue;
            mCopies.push_back(copy);
            ++found;
        }
        if (found == 0) {
            // Nothing to offer: a program that ended before any document was copied.
            fs::remove_all(session, ec);
            ::close(lock);
            continue;
        }
        mSessions.push_back({session, lock});
    }
    std::stable_sort(mCopies.begin(), mCopies.end(),
                     [](const CRecoveryCopy& a, const CRecoveryCopy& b) { return a.changed < b.changed; });
}

CRecoverableCopies::~CRecoverableCopies() {
    for (const Session& session : mSessions)
        ::close(session.lock);
}

bool CRecoverableCopies::Read(const CRecoveryCopy& copy, std::string& text, std::string& error) {
    return ReadWholeFile(copy.file, text, error);
}

void CRecoverableCopies::DiscardAll() {
    std::error_code ec;
    for (const Session& session : mSessions) {
        fs::remove_all(session.folder, ec);
        ::close(session.lock);
    }
    mSessions.clear();
    mCopies.clear();
}

// ---- descriptions ----

std::string DescribeCopy(const CRecoveryCopy& copy) {
    return "number=" + std::to_string(copy.number) +
           "\nkind=" + std::string(KindInfo(copy.kind).extension + 1) + "\ntitle=" + Escaped(copy.title) +
           "\noriginal=" + Escaped(copy.original.string()) + "\nchanged=" + std::to_string(copy.changed) +
           "\n";
}

bool ParseCopyDescription(const std::string& text, CRecoveryCopy& copy) {
    bool number = false, kind = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        try {
            if (key == "number") {
                copy.number = std::stoi(value);
                number = true;
            } else if (key == "kind") {
                const auto known = KindOfFile("copy." + value);
                if (known) copy.kind = *known;
                kind = known.has_value();
            } else if (key == "title") {
                copy.title = Unescaped(value);
            } else if (key == "original") {
                copy.original = Unescaped(value);
            } else if (key == "changed") {
                copy.changed = std::stoll(value);
            }
        } catch (const std::exception&) {
            return false;
        }
    }
    return number && kind;
}
