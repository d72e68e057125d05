// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <memory>
#include <string>

#include "base/data_handle_stream.hpp"
#include "base/record.hpp"

// The text a record writes, from the stream settings a document starts with (general, 3 digits).
inline std::string WriteText(CRecord& record) {
    CDataHandleStream stream;
    record.Write(stream);
    return stream.Text();
}

// A new record read from the text; `error` tells whether the stream flagged damage.
template <class T> std::unique_ptr<T> ReadText(const std::string& text, bool* error = nullptr) {
    auto record = std::make_unique<T>();
    auto stream = CDataHandleStream::FromText(text);
    record->Read(stream);
    if (error != nullptr) *error = stream.HasError();
    return record;
}
