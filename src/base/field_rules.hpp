// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Reading fields that must hold what the calculation itself accepts: a value outside its range, or
// a word the reader does not know, makes the file damaged at that field (the value reads as 0, the
// word as empty), so that a stored value never reaches a calculation or a picture that would refuse
// it as typed input.

#include <functional>
#include <string>
#include <type_traits>

#include "base/data_handle_stream.hpp"

// A number from `lowest` to `highest` (both included); a whole number for an int field (a flag: 0
// to 1).
template <class Number>
void ReadNumberIn(CDataHandleStream& stream, Number& value, std::type_identity_t<Number> lowest,
                  std::type_identity_t<Number> highest) {
    const unsigned long before = stream.SuccessfulReads();
    stream >> value;
    if (stream.HasError() || (value >= lowest && value <= highest)) return;
    value = 0;
    stream.RefuseFieldAfter(before);
}

// A number the rule accepts (no rule: any number the stream reads).
inline void ReadNumberIf(CDataHandleStream& stream, double& value,
                         const std::function<bool(double)>& accepts) {
    const unsigned long before = stream.SuccessfulReads();
    stream >> value;
    if (stream.HasError() || !accepts || accepts(value)) return;
    value = 0;
    stream.RefuseFieldAfter(before);
}

// A word the rule accepts (no rule: any word).
inline void ReadWordIf(CDataHandleStream& stream, std::string& word,
                       const std::function<bool(const std::string&)>& accepts) {
    const unsigned long before = stream.SuccessfulReads();
    stream >> word;
    if (stream.HasError() || !accepts || accepts(word)) return;
    word.clear();
    stream.RefuseFieldAfter(before);
}
