#include "cli/data_files.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "cli/command_line.hpp"

namespace zephon::cli {

namespace fs = std::filesystem;

CFileKind KindOfFile(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".inc") return CFileKind::Inclusions;
    if (extension == ".abe") return CFileKind::Correlation;
    if (extension == ".flu") return CFileKind::FluidModel;
    if (extension == ".abp") return CFileKind::AlphaBetaPlot;
    if (extension == ".ptd") return CFileKind::PhaseDiagram;
    return CFileKind::Unknown;
}

const char* DescribeKind(CFileKind kind) {
    switch (kind) {
    case CFileKind::Inclusions:
        return "inclusion data";
    case CFileKind::Correlation:
        return "alpha-beta correlation";
    case CFileKind::FluidModel:
        return "fluid model";
    case CFileKind::AlphaBetaPlot:
        return "alpha-beta plot";
    case CFileKind::PhaseDiagram:
        return "P-T phase diagram";
    case CFileKind::Unknown:
        break;
    }
    return "unknown";
}

std::string ReadFileText(const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw UsageError(path.string() + ": is a folder, not a data file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UsageError(path.string() + ": cannot open the file (" + std::strerror(errno) + ")");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw UsageError(path.string() + ": cannot read the file");
    return text.str();
}

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Start offsets of the white-space separated tokens of the text.
std::vector<std::size_t> TokenStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        if (i >= text.size()) break;
        starts.push_back(i);
        while (i < text.size() && !IsSpace(text[i]))
            ++i;
    }
    return starts;
}

int LineAt(const std::string& text, std::size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
}

} // namespace

CReadOutcome CheckRead(const std::string& text, const CDataHandleStream& stream) {
    CReadOutcome outcome;
    const auto starts = TokenStarts(text);
    const std::size_t read = stream.SuccessfulReads();
    if (stream.HasError()) {
        outcome.complete = false;
        if (read < starts.size()) {
            outcome.line = LineAt(text, starts[read]);
        } else {
            outcome.atEnd = true;
            outcome.line = LineAt(text, text.size());
        }
        return outcome;
    }
    if (read < starts.size()) {
        outcome.trailingText = true;
        outcome.line = LineAt(text, starts[read]);
    }
    return outcome;
}

void LoadRecord(const fs::path& path, CRecord& record) {
    const std::string text = ReadFileText(path);
    CDataHandleStream stream = CDataHandleStream::FromText(text);
    record.Read(stream);
    const CReadOutcome outcome = CheckRead(text, stream);
    const std::string where = path.string() + ": line " + std::to_string(outcome.line) + ": ";
    if (!outcome.complete) {
        if (outcome.atEnd)
            throw UsageError(where + "the file ends before its data is complete (damaged file?)");
        throw UsageError(where + "this field cannot be read (damaged file?)");
    }
    if (outcome.trailingText)
        throw UsageError(where + "unexpected text after the end of the data (damaged file?)");
}

void SaveText(const fs::path& path, const std::string& text) {
    fs::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw UsageError(path.string() + ": cannot write the file (" + std::strerror(errno) + ")");
        out << text;
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw UsageError(path.string() + ": cannot write the file");
        }
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw UsageError(path.string() + ": cannot write the file (" + ec.message() + ")");
    }
}

std::string RecordText(CRecord& record) {
    CDataHandleStream stream;
    record.Write(stream);
    return stream.Text();
}

void SaveRecord(const fs::path& path, CRecord& record) {
    SaveText(path, RecordText(record));
}

} // namespace zephon::cli
