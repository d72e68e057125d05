// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The drop-down lists of the point and curve settings dialogs: item n of a list stands for the
// value n + 1 (marker shape, marker size, line thickness). A value without an item selects
// nothing, and confirming a list with nothing selected keeps the value the object had, so that
// a marker never becomes invisible (size 0) or takes a shape that does not exist.

#include <array>

constexpr int kMarkerShapeChoices = 12; // "Filled circle" ... "Empty diamond"
constexpr int kMarkerSizeChoices = 10;  // "1" ... "10"
constexpr int kThicknessChoices = 3;    // "Normal", "Double", "Triple"
constexpr std::array<const char*, kThicknessChoices> kThicknessNames{"Normal", "Double", "Triple"};

// The list position that shows a value; -1 (nothing selected) when the list has no item for it.
constexpr int ChoiceOf(int value, int count) {
    return value >= 1 && value <= count ? value - 1 : -1;
}

// The value a confirmed list gives: the chosen item's, or the old value with nothing chosen.
constexpr int ValueOfChoice(int position, int count, int oldValue) {
    return position >= 0 && position < count ? position + 1 : oldValue;
}
