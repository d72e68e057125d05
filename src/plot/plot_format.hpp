// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The stored look of plots, curves and points, and how each is laid out in data files.
//
// A colour travels in files as three integers, red, green and blue, each component times 256
// (0 to 65280); reading divides each by 256 and packs the low bytes again. None of the formats
// ends a line of its own except between the lines of a plot format.

#include <string>

#include "base/data_handle_stream.hpp"
#include "base/record.hpp"
#include "plot/canvas.hpp"

void WriteColor(CDataHandleStream& stream, zephon::plot::Color color);
zephon::plot::Color ReadColor(CDataHandleStream& stream);

// A font description: face name, height and style bits (1 bold, 2 italic).
class CTextFormat : public CRecord {
  public:
    static constexpr long kBold = 1;
    static constexpr long kItalic = 2;

    CTextFormat() = default;
    CTextFormat(std::string name, long size, long style)
        : mFontName(std::move(name)), mSize(size), mStyle(style) {}

    // Face name, size and style on the current line.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    // Height mSize, weight 700 when bold else 400, italic when the italic bit is set.
    zephon::plot::Font ToFont() const;
    // The reverse: a weight of 501 or more counts as bold; the height is kept whole.
    void SetFromFont(const zephon::plot::Font& font);

    std::string mFontName = "Arial";
    long mSize = 10;
    long mStyle = 0;
};

// The look of a curve: pen width in pixels and colour.
class CCurveFormat : public CRecord {
  public:
    CCurveFormat() = default;
    CCurveFormat(short size, zephon::plot::Color color) : mSize(size), mColor(color) {}

    // Size and the three colour numbers: four fields on the current line.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    short mSize = 3;
    zephon::plot::Color mColor = zephon::plot::kRed;
};

// The look of a point or a list of points: marker half-size, colour and marker shape.
class CPointFormat : public CRecord {
  public:
    CPointFormat() = default;
    CPointFormat(short size, zephon::plot::Color color, short selector)
        : mSize(size), mColor(color), mSelector(selector) {}

    // Size, the three colour numbers and the selector: five fields on the current line.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    short mSize = 3;
    zephon::plot::Color mColor = zephon::plot::kRed;
    short mSelector = 3;
};

// The persistent state of one plot: default and current axis ranges, legend position, fonts.
class CPlotFormat : public CRecord {
  public:
    // Four lines: the ten numbers, then the legend, labels and graduation fonts, each on its own
    // line. Write ends no line after the last font; the caller does.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    double mMinX = 0;
    double mMinY = 0;
    double mMaxX = 1;
    double mMaxY = 1;
    double mCurrentMinX = 0;
    double mCurrentMaxX = 1;
    double mCurrentMinY = 0;
    double mCurrentMaxY = 1;
    double mLegendX = 0;
    double mLegendY = 0;
    CTextFormat mLegendFormat;
    CTextFormat mLabelsFormat;
    CTextFormat mTicksFormat;
};
