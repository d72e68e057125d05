// SPDX-License-Identifier: BSD-3-Clause
#include "documents/w_document.hpp"

#include <algorithm>
#include <exception>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsBlank);
}

std::string DisplayName(const fs::path& path) {
    return path.filename().string();
}

// The file reads back (its readers refuse anything but finite numbers), and the person learns that
// values which were no numbers are 0 in it.
std::string NonFiniteWarning(const fs::path& path, const CDataHandleStream& stream) {
    const unsigned long count = stream.NonFiniteWrites();
    if (count == 0) return {};
    const std::string values =
        count == 1 ? "1 value of the document is" : std::to_string(count) + " values of the document are";
    return "The file \"" + DisplayName(path) + "\" was saved, but " + values +
           " not a number (NaN or infinite; " + (count == 1 ? "on" : "the first on") + " line " +
           std::to_string(stream.FirstNonFiniteLine()) +
           "). A data file holds finite numbers only: 0 stands in " + (count == 1 ? "its" : "their") +
           " place.";
}

} // namespace

bool IsEmptyFileText(std::string_view text) {
    return IsBlankText(text);
}

CReadStop LocateReadStop(std::string_view text, unsigned long successfulReads) {
    CReadStop stop;
    long line = 1;
    long column = 1;
    std::size_t pos = 0;
    unsigned long token = 0;
    auto advance = [&](char c) {
        if (c == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    };
    while (true) {
        while (pos < text.size() && IsBlank(text[pos]))
            advance(text[pos++]);
        if (pos >= text.size()) {
            stop.line = line;
            stop.column = column;
            stop.atEnd = true;
            return stop;
        }
        if (token == successfulReads) {
            stop.line = line;
            stop.column = column;
            return stop;
        }
        while (pos < text.size() && !IsBlank(text[pos]))
            advance(text[pos++]);
        ++token;
    }
}

void CWDocument::ReadData(CDataHandleStream&) {}

void CWDocument::SaveData(CDataHandleStream&) {}

bool CWDocument::OnOpenDocument(const fs::path& path, CUnreadableFile unreadable) {
    std::string content;
    std::string error;
    if (!ReadWholeFile(path, content, error)) {
        mServices.ShowMessage({"Zephon cannot open the file \"" + path.string() + "\": " + error + ".", "",
                               CMessageIcon::Warning, false});
        return false;
    }
    return OnOpenText(content, path, unreadable);
}

bool CWDocument::OnOpenText(const std::string& content, const fs::path& path, CUnreadableFile unreadable) {
    // The document is named before it reads, so that what it opens while reading carries its name.
    mPathName = path;
    mTitle = DisplayName(path);
    mOpenFailure.clear();
    // A file cut to nothing (a failed copy, a full disk) must not pass for a document without data.
    if (IsBlankText(content)) {
        mOpenFailure = kEmptyFileReason;
        mServices.ShowMessage({"Zephon cannot open the file \"" + path.string() + "\": " + mOpenFailure +
                                   " (it holds no data of any kind).",
                               "", CMessageIcon::Warning, false});
        return false;
    }
    CDataHandleStream stream = CDataHandleStream::FromText(content);
    stream.SetGeneral(3);
    try {
        ReadData(stream);
    } catch (const std::exception& failure) {
        mServices.ShowMessage(
            {"Zephon cannot open the file \"" + path.string() + "\": " + failure.what() + ".", "",
             CMessageIcon::Warning, false});
        mModified = true; // what was read so far is not the file
        return false;
    }

    mModified = false;
    mOpenedDamaged = stream.HasError();
    mReadStop = mOpenedDamaged ? LocateReadStop(content, stream.SuccessfulReads()) : CReadStop{};
    if (mOpenedDamaged && !HasContent() && unreadable == CUnreadableFile::Refuse) {
        mServices.ShowMessage(
            {"Zephon cannot open the file \"" + path.string() + "\": it is not " + FileKind() +
                 " (no record could be read from it; reading stopped at line " +
                 std::to_string(mReadStop.line) + ", column " + std::to_string(mReadStop.column) + ").",
             "", CMessageIcon::Warning, false});
        return false;
    }
    if (mOpenedDamaged) {
        std::string where = mReadStop.atEnd ? "the file ends at line " + std::to_string(mReadStop.line) +
                                                  " before all of its content could be read"
                                            : "reading stopped at line " + std::to_string(mReadStop.line) +
                                                  ", column " + std::to_string(mReadStop.column);
        mServices.ShowMessage({"The file \"" + DisplayName(path) + "\" is damaged: " + where +
                                   ". The document shows what could be read before that point.",
                               "", CMessageIcon::Warning, false});
    }
    UpdateAllViews();
    return true;
}

CWDocument::CSaveText CWDocument::SaveToTextFor(const fs::path& path) {
    CDataHandleStream stream;
    WriteData(stream);
    std::string warning = NonFiniteWarning(path, stream);
    return {stream.Text(), std::move(warning)};
}

std::string CWDocument::SaveToText() {
    CDataHandleStream stream;
    WriteData(stream);
    return stream.Text();
}

void CWDocument::WriteData(CDataHandleStream& stream) {
    stream.SetGeneral(3);
    SaveData(stream);
}

bool CWDocument::OnSaveDocument(const fs::path& path) {
    std::error_code ec;
    if (mOpenedDamaged && !mPathName.empty() && fs::equivalent(path, mPathName, ec)) {
        const bool replace = mServices.AskYesNo(
            "The file \"" + DisplayName(path) +
                "\" was damaged and could be read only in part. Saving replaces it with what the document "
                "holds now; what could not be read is lost. Save anyway?",
            "");
        if (!replace) return false;
    }

    CDataHandleStream stream;
    std::string error;
    try {
        WriteData(stream);
    } catch (const std::exception& failure) {
        error = failure.what();
    }
    if (!error.empty() || !ReplaceFileContents(path, stream.Text(), error)) {
        mServices.ShowMessage({"Zephon could not save the file \"" + path.string() + "\": " + error +
                                   ". The document was not saved; a previous file of that name is unchanged.",
                               "", CMessageIcon::Warning, false});
        return false;
    }
    mPathName = path;
    mTitle = DisplayName(path);
    mModified = false;
    mOpenedDamaged = false;
    if (std::string warning = NonFiniteWarning(path, stream); !warning.empty())
        mServices.ShowMessage({std::move(warning), "", CMessageIcon::Warning, false});
    return true;
}

void CWDocument::OnCloseDocument() {
    mServices.DocumentClosing(*this);
}

void CWDocument::Execute(std::unique_ptr<CDocumentChange> change) {
    if (!change) return;
    if (mChangeSink != nullptr) {
        mChangeSink->Execute(std::move(change));
        return;
    }
    change->Apply();
}

void CWDocument::AddView(CDocumentView* view) {
    if (view != nullptr && std::find(mViews.begin(), mViews.end(), view) == mViews.end())
        mViews.push_back(view);
}

void CWDocument::RemoveView(CDocumentView* view) {
    mViews.erase(std::remove(mViews.begin(), mViews.end(), view), mViews.end());
}

void CWDocument::UpdateAllViews() {
    // A view may detach itself while refreshing.
    const std::vector<CDocumentView*> views = mViews;
    for (CDocumentView* view : views)
        view->OnDocumentUpdate(*this);
}
