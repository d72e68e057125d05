// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The base of every document: its title, file path and modified flag, the views that show it, and
// opening and saving through the text stream.
//
// Opening reads the whole file and hands it to ReadData. A file that cannot be read to its end still
// opens with what could be read, and the person is told that it was damaged and where reading
// stopped; saving over such a file asks first.
//
// Saving never destroys the previous file: the document is written to a temporary file beside the
// target, every write is checked, and only a complete file replaces the old one. A failed save says
// why and leaves the document modified. A file holds finite numbers only: a value that is not one
// (NaN or infinite, e.g. a result that could not be computed) is saved as 0 and the person is told.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/data_handle_stream.hpp"
#include "base/file_replace.hpp" // ReplaceFileContents: every save writes through it
#include "base/input_file.hpp"   // ReadWholeFile: every document and import reads through it
#include "documents/application_services.hpp"
#include "documents/document_changes.hpp"

class CWDocument;

// What opening does with a file of which nothing could be read as the document's kind (a text
// file renamed, another kind's file): the command-line tool reports it as damaged; the
// application refuses it and opens nothing.
enum class CUnreadableFile { OpenEmpty, Refuse };

// Why a file with nothing in it (no byte, or only blanks) is no document of any kind: every reader
// refuses it with these words.
inline constexpr const char* kEmptyFileReason = "the file is empty";

// Something that shows a document (a data table, a plot window) and refreshes when told.
class CDocumentView {
  public:
    virtual ~CDocumentView() = default;
    virtual void OnDocumentUpdate(CWDocument& document) = 0;
};

// Where reading of a file stopped, 1-based.
struct CReadStop {
    long line = 0;
    long column = 0;
    bool atEnd = false; // the file ended before everything expected was read
};

// Locates the token that follows the first `successfulReads` tokens of a text: where a reader that
// succeeded that many times stopped.
CReadStop LocateReadStop(std::string_view text, unsigned long successfulReads);

// A text with nothing but blanks in it: a file that is empty for every reader.
bool IsEmptyFileText(std::string_view text);

class CWDocument {
  public:
    explicit CWDocument(CApplicationServices& services) : mServices(services) {}
    CWDocument(const CWDocument&) = delete;
    CWDocument& operator=(const CWDocument&) = delete;
    virtual ~CWDocument() = default;

    // The document's own content; the base versions do nothing.
    virtual void ReadData(CDataHandleStream& stream);
    virtual void SaveData(CDataHandleStream& stream);

    // Opens a file into the document. False (the person told why) when it cannot be read; a damaged
    // file opens with what could be read, unless nothing at all could be read and the caller
    // refuses such files.
    bool OnOpenDocument(const std::filesystem::path& path,
                        CUnreadableFile unreadable = CUnreadableFile::OpenEmpty);
    // Opens a file's text that was read elsewhere (standard input), as if read from the path.
    bool OnOpenText(const std::string& content, const std::filesystem::path& path,
                    CUnreadableFile unreadable = CUnreadableFile::OpenEmpty);
    // Saves to a path. False (the person told why) when the file could not be written; the document
    // then stays modified and the previous file is untouched.
    bool OnSaveDocument(const std::filesystem::path& path);
    // Saves under the current path; false without one.
    bool Save() { return !mPathName.empty() && OnSaveDocument(mPathName); }
    virtual void OnCloseDocument();

    // The text the document writes, as a save would write it. A value that is not a finite number is
    // written as 0 (a save tells the person of it).
    std::string SaveToText();
    // The text a save to `path` writes and the warning that save gives (empty when none), for a
    // writer that puts the text in place itself once everything else has succeeded.
    struct CSaveText {
        std::string text;
        std::string warning;
    };
    CSaveText SaveToTextFor(const std::filesystem::path& path);

    // Whether the document holds anything (a record, a curve, a plot).
    virtual bool HasContent() const { return true; }
    // The kind of file, for messages: "an inclusion data file".
    virtual std::string FileKind() const { return "a Zephon file of this kind"; }

    const std::string& GetTitle() const { return mTitle; }
    void SetTitle(std::string title) { mTitle = std::move(title); }
    const std::filesystem::path& GetPathName() const { return mPathName; }
    bool IsModified() const { return mModified; }
    void SetModifiedFlag(bool modified = true) {
        mModified = modified;
        if (modified) ++mEditCount;
    }
    // How many times the document was marked modified: an undo history tells its own changes from
    // the others by it.
    long EditCount() const { return mEditCount; }

    // Undoable changes (a plot document's removals) go to the sink, which applies and keeps them;
    // without one they are applied and forgotten.
    void SetChangeSink(CDocumentChangeSink* sink) { mChangeSink = sink; }
    CDocumentChangeSink* GetChangeSink() const { return mChangeSink; }
    void Execute(std::unique_ptr<CDocumentChange> change);

    // How the last open went: whether the file was damaged, and where reading stopped.
    bool WasOpenedDamaged() const { return mOpenedDamaged; }
    const CReadStop& GetReadStop() const { return mReadStop; }
    // Why the last open failed, in a few words for a message (empty when it did not fail, or when no
    // short reason applies).
    const std::string& GetOpenFailure() const { return mOpenFailure; }

    void AddView(CDocumentView* view);
    void RemoveView(CDocumentView* view);
    const std::vector<CDocumentView*>& GetViews() const { return mViews; }
    void UpdateAllViews();

    CApplicationServices& Services() const { return mServices; }

  private:
    // The document's content into the stream, with the settings every save starts from.
    void WriteData(CDataHandleStream& stream);

    CApplicationServices& mServices;
    std::string mTitle;
    std::filesystem::path mPathName;
    bool mModified = false;
    long mEditCount = 0;
    CDocumentChangeSink* mChangeSink = nullptr;
    bool mOpenedDamaged = false;
    CReadStop mReadStop;
    std::string mOpenFailure;
    std::vector<CDocumentView*> mViews;
};
