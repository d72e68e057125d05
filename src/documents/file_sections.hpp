// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Sections a document appends to its file after everything that readers of earlier versions read:
// those readers stop before them, so such a file still opens there as it did. A section is a tag
// word, the number of words it holds and those words. A reader hands each section whose tag it
// knows to that section's reader, as a stream of the section's words alone, and passes over the
// others, so that sections added later disturb it no more than this one disturbs older readers.

#include <functional>
#include <map>
#include <string>

#include "base/data_handle_stream.hpp"

using CSectionWriter = std::function<void(CDataHandleStream&)>;
using CSectionReaders = std::map<std::string, std::function<void(CDataHandleStream&)>>;

// Writes what `write` writes as a section tagged `tag` (one word, no blanks), line by line.
void WriteTrailingSection(CDataHandleStream& stream, const std::string& tag, const CSectionWriter& write);

// Reads sections from the stream's position to its end. A section with fewer words than it
// announces, or whose reader fails, marks the stream damaged and ends the reading.
void ReadTrailingSections(CDataHandleStream& stream, const CSectionReaders& readers);
