// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <cstdint>
#include <memory>

#include "base/data_handle_stream.hpp"

// Base of every persistent record. A record reads and writes itself through a CDataHandleStream;
// the base operations do nothing.
class CRecord {
  public:
    CRecord() = default;
    CRecord(const CRecord&) = default;
    CRecord& operator=(const CRecord&) = default;
    virtual ~CRecord() = default;

    virtual void Read(CDataHandleStream& stream);
    virtual void Write(CDataHandleStream& stream);

    // Kind tag used to tell records apart behind a graph object (1 isopleth, 2 isochore, 3 trapping
    // line); never written to a file.
    std::int32_t mInfo = 0;
};

// Base of the record lists: a list is itself a record, so it can be a field of another record.
class CRecordList : public CRecord {};

// Reads the items of a list whose element count was just read.
//
// `readOne` creates an item, lets it read itself and returns it (a std::unique_ptr); `append` takes
// ownership of it. Reading stops at the first failed read, so a damaged count never makes more items
// than the file can fill: the item during which the failure happened is kept when it got at least one
// field, and dropped when nothing at all could be read for it. A negative count reads nothing.
template <class ReadOne, class Append>
void ReadRecordItems(CDataHandleStream& stream, long count, ReadOne readOne, Append append) {
    for (long i = 0; i < count && !stream.HasError(); ++i) {
        const unsigned long before = stream.SuccessfulReads();
        auto item = readOne();
        if (stream.SuccessfulReads() == before) break; // nothing read: the file ends here
        append(std::move(item));
    }
}
