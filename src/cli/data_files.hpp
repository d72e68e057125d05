#pragma once
// Reading and writing Zephon data files for the command-line tool.
//
// The records read themselves leniently (a damaged file reads as zeros after the first bad
// field); the tool is stricter: a file that cannot be read to its end is refused with the file
// name and the line of the first field that could not be read.

#include <filesystem>
#include <string>

#include "base/data_handle_stream.hpp"
#include "base/record.hpp"

namespace zephon::cli {

enum class CFileKind { Inclusions, Correlation, FluidModel, AlphaBetaPlot, PhaseDiagram, Unknown };

// By extension (.inc, .abe, .flu, .abp, .ptd; case-insensitive).
CFileKind KindOfFile(const std::filesystem::path& path);
const char* DescribeKind(CFileKind kind);

// How far a read went.
struct CReadOutcome {
    bool complete = true;      // every field read
    bool trailingText = false; // text left after the last field read
    int line = 0;              // line of the first field that failed, or of the trailing text
    bool atEnd = false;        // the failure was the end of the file
};

// The whole file as text; a usage error naming the file when it cannot be read.
std::string ReadFileText(const std::filesystem::path& path);

// Where reading `text` with `stream` stopped (the stream has read a record from that text).
CReadOutcome CheckRead(const std::string& text, const CDataHandleStream& stream);

// Reads the file into the record; a usage error "FILE: line N: ..." when it cannot be read to its
// end or holds text after its data.
void LoadRecord(const std::filesystem::path& path, CRecord& record);

// Writes what `write` puts in a stream into the file (through a temporary file in the same
// folder, renamed into place). A usage error naming the file when it cannot be written.
void SaveText(const std::filesystem::path& path, const std::string& text);
void SaveRecord(const std::filesystem::path& path, CRecord& record);

// Text of a record as it is written to a file.
std::string RecordText(CRecord& record);

} // namespace zephon::cli
