// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The recovery copies on disk.
//
// They live in the user's state folder: $XDG_STATE_HOME/zephon/recovery (~/.local/state when
// XDG_STATE_HOME is not an absolute path). Every running program keeps a session folder of its own
// there, "session-<process id>-<random>", holding
//   lock          locked (flock) for the life of the program; the system lets go of it however
//                 the program ends, so a free lock is the sign of a program that ended without
//                 closing its documents, and a held one of a program still running;
//   <n>.<ext>     the copy of one modified document, in the program's own file format;
//   <n>.info      what the offer at the next start shows: kind, title, original file, time of the
//                 last change.
// Copies and their descriptions are written through ReplaceFileContents, as documents are saved, so
// a program killed while writing leaves the previous copy whole. The original files are never
// touched.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "documents/document_kind.hpp"

// One document as its copy describes it.
struct CRecoveryCopy {
    int number = 0;
    CDocumentKind kind = CDocumentKind::InclusionData;
    std::string title;              // the document's title when it was copied
    std::filesystem::path original; // its file; empty for a document never saved
    std::int64_t changed = 0;       // time of its last change, seconds since 1970 (UTC)
    std::filesystem::path file;     // the copy
};

// $XDG_STATE_HOME/zephon/recovery, or ~/.local/state/zephon/recovery; empty without either.
std::filesystem::path DefaultRecoveryFolder(const std::string& xdgStateHome,
                                            const std::filesystem::path& home);

// The session of this program.
class CRecoverySession {
  public:
    // Makes and locks a session folder of its own under `folder`; null with the reason when the
    // folder cannot be made or written.
    static std::unique_ptr<CRecoverySession> Start(const std::filesystem::path& folder, std::string& error);
    // Lets go of the lock; the folder goes too when it holds no copy (every document was saved,
    // closed or discarded).
    ~CRecoverySession();
    CRecoverySession(const CRecoverySession&) = delete;
    CRecoverySession& operator=(const CRecoverySession&) = delete;

    const std::filesystem::path& Folder() const { return mFolder; }
    std::filesystem::path CopyFile(int number, CDocumentKind kind) const;

    // Writes the copy, then its description; false with the reason when either cannot be written
    // (the previous copy then stays as it was). Safe to call from another thread than the others.
    bool Write(const CRecoveryCopy& copy, const std::string& text, std::string& error) const;
    // The copy and its description go.
    void Remove(int number, CDocumentKind kind) const;

  private:
    CRecoverySession(std::filesystem::path folder, int lock);

    std::filesystem::path mFolder;
    int mLock;
};

// The copies left by programs that are no longer running, oldest change first. The sessions they
// belong to stay locked by this object while it lives, so that a second program starting at the
// same moment does not offer them too.
class CRecoverableCopies {
  public:
    // Looks through every session folder under `folder` but the running program's own.
    explicit CRecoverableCopies(const std::filesystem::path& folder);
    ~CRecoverableCopies();
    CRecoverableCopies(const CRecoverableCopies&) = delete;
    CRecoverableCopies& operator=(const CRecoverableCopies&) = delete;

    const std::vector<CRecoveryCopy>& Copies() const { return mCopies; }
    // A copy's text; false with the reason when it cannot be read.
    static bool Read(const CRecoveryCopy& copy, std::string& text, std::string& error);
    // Every copy found goes, and the sessions' folders with them.
    void DiscardAll();

  private:
    struct Session {
        std::filesystem::path folder;
        int lock;
    };
    std::vector<Session> mSessions;
    std::vector<CRecoveryCopy> mCopies;
};

// The description file's text, and back (false for one that is not a description).
std::string DescribeCopy(const CRecoveryCopy& copy);
bool ParseCopyDescription(const std::string& text, CRecoveryCopy& copy);
