// SPDX-License-Identifier: BSD-3-Clause
#include "plot/plot_format.hpp"

using zephon::plot::Color;

void WriteColor(CDataHandleStream& stream, Color color) {
    stream << static_cast<long>(zephon::plot::GetRed(color) * 256)
           << static_cast<long>(zephon::plot::GetGreen(color) * 256)
           << static_cast<long>(zephon::plot::GetBlue(color) * 256);
}

Color ReadColor(CDataHandleStream& stream) {
    long red = 0;
    long green = 0;
    long blue = 0;
    stream >> red >> green >> blue;
    // Only the low byte of each quotient counts, whatever the file holds.
    const auto component = [](long value) { return static_cast<unsigned>((value / 256) & 0xFF); };
    return zephon::plot::MakeColor(component(red), component(green), component(blue));
}

void CTextFormat::Read(CDataHandleStream& stream) {
    stream >> mFontName >> mSize >> mStyle;
}

void CTextFormat::Write(CDataHandleStream& stream) {
    stream << mFontName << mSize << mStyle;
}

zephon::plot::Font CTextFormat::ToFont() const {
    zephon::plot::Font font;
    font.face = mFontName;
    font.height = static_cast<int>(mSize);
    font.weight = (mStyle & kBold) ? 700 : 400;
    font.italic = (mStyle & kItalic) != 0;
    return font;
}

void CTextFormat::SetFromFont(const zephon::plot::Font& font) {
    mFontName = font.face;
    mSize = font.height;
    mStyle = (font.weight >= 501 ? kBold : 0) | (font.italic ? kItalic : 0);
}

void CCurveFormat::Read(CDataHandleStream& stream) {
    stream >> mSize;
    mColor = ReadColor(stream);
}

void CCurveFormat::Write(CDataHandleStream& stream) {
    stream << mSize;
    WriteColor(stream, mColor);
}

void CPointFormat::Read(CDataHandleStream& stream) {
    stream >> mSize;
    mColor = ReadColor(stream);
    stream >> mSelector;
}

void CPointFormat::Write(CDataHandleStream& stream) {
    stream << mSize;
    WriteColor(stream, mColor);
    stream << mSelector;
}

void CPlotFormat::Read(CDataHandleStream& stream) {
    stream >> mMinX >> mMaxX >> mMinY >> mMaxY >> mCurrentMinX >> mCurrentMaxX >> mCurrentMinY >>
        mCurrentMaxY >> mLegendX >> mLegendY;
    mLegendFormat.Read(stream);
    mLabelsFormat.Read(stream);
    mTicksFormat.Read(stream);
}

void CPlotFormat::Write(CDataHandleStream& stream) {
    // Axis ranges need more digits than the three a data file starts with: a zoomed range such as
    // 350.2 to 350.4 would otherwise come back as the empty range 350 to 350. The caller's
    // setting is restored afterwards for the fields that follow.
    const char savedType = stream.mTypeConversion;
    const char savedDigits = stream.mDigitsNumber;
    stream.SetGeneral(8);
    stream << mMinX << mMaxX << mMinY << mMaxY << mCurrentMinX << mCurrentMaxX << mCurrentMinY << mCurrentMaxY
           << mLegendX << mLegendY;
    stream.SetFormat(savedType, savedDigits);
    stream.NextLine();
    mLegendFormat.Write(stream);
    stream.NextLine();
    mLabelsFormat.Write(stream);
    stream.NextLine();
    mTicksFormat.Write(stream);
}
