// SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <random>

#include "plot/plot_format.hpp"

using namespace zephon::plot;

namespace {

template <class T> std::string Written(T& format) {
    CDataHandleStream stream;
    format.Write(stream);
    return stream.Text();
}

// Written, read back and written again.
template <class T> std::string Rewritten(const std::string& text) {
    CDataHandleStream in = CDataHandleStream::FromText(text);
    T copy;
    copy.Read(in);
    EXPECT_FALSE(in.HasError());
    return Written(copy);
}

} // namespace

TEST(FormatText, ColoursTravelAsComponentsTimes256) {
    CCurveFormat curve(3, 0x00123456);
    EXPECT_EQ(Written(curve), "3\t22016\t13312\t4608\t");
    CPointFormat point; // defaults: size 3, red, filled square
    EXPECT_EQ(Written(point), "3\t65280\t0\t0\t3\t");
    CPointFormat blue(3, MakeColor(0, 0, 191), 1);
    EXPECT_EQ(Written(blue), "3\t0\t0\t48896\t1\t");

    // Reading divides by 256 and keeps the low byte of each quotient.
    CDataHandleStream in = CDataHandleStream::FromText("2 65535 511 65536");
    CCurveFormat read;
    read.Read(in);
    EXPECT_FALSE(in.HasError());
    EXPECT_EQ(read.mSize, 2);
    EXPECT_EQ(read.mColor, MakeColor(255, 1, 0));
}

TEST(FormatText, PlotFormatLayout) {
    CPlotFormat format;
    EXPECT_EQ(Written(format),
              "0\t1\t0\t1\t0\t1\t0\t1\t0\t0\t\nArial\t10\t0\t\nArial\t10\t0\t\nArial\t10\t0\t");

    format.mMinX = -12.5;
    format.mMaxX = 450;
    format.mCurrentMinX = 350.2;
    format.mCurrentMaxX = 350.4;
    format.mLegendY = 0.000125;
    format.mLabelsFormat = CTextFormat("Times New Roman", 16, CTextFormat::kBold | CTextFormat::kItalic);
    CDataHandleStream stream;
    stream.SetFixed(2);
    format.Write(stream);
    // A zoomed range keeps its digits even when the file is written with few of them, and the
    // caller's setting is back in force afterwards.
    EXPECT_EQ(stream.Text(), "-12.5\t450\t0\t1\t350.2\t350.4\t0\t1\t0\t0.000125\t\n"
                             "Arial\t10\t0\t\nTimes_New_Roman\t16\t3\t\nArial\t10\t0\t");
    EXPECT_EQ(stream.mTypeConversion, 1);
    EXPECT_EQ(stream.mDigitsNumber, 2);

    CDataHandleStream in = CDataHandleStream::FromText(stream.Text());
    CPlotFormat read;
    read.Read(in);
    EXPECT_DOUBLE_EQ(read.mCurrentMinX, 350.2);
    EXPECT_DOUBLE_EQ(read.mCurrentMaxX, 350.4);
    EXPECT_EQ(read.mLabelsFormat.mFontName, "Times New Roman");
    EXPECT_EQ(read.mLabelsFormat.mStyle, 3);
}

TEST(FormatText, MissingNumbersZeroTheRest) {
    CDataHandleStream in = CDataHandleStream::FromText("5\t65280\t0\t");
    CPointFormat point;
    point.Read(in);
    EXPECT_TRUE(in.HasError());
    EXPECT_EQ(point.mSize, 5);
    EXPECT_EQ(point.mColor, kRed); // red and green read, blue 0
    EXPECT_EQ(point.mSelector, 0);

    // A plot format cut in its first line: what precedes the cut is kept, every later number
    // is 0 and every font name empty.
    CDataHandleStream cut = CDataHandleStream::FromText("2\t8\t-1\tx3\t2\t");
    CPlotFormat format;
    format.Read(cut);
    EXPECT_TRUE(cut.HasError());
    EXPECT_EQ(format.mMinX, 2);
    EXPECT_EQ(format.mMaxX, 8);
    EXPECT_EQ(format.mMinY, -1);
    EXPECT_EQ(format.mMaxY, 0);
    EXPECT_EQ(format.mCurrentMinX, 0);
    EXPECT_EQ(format.mLegendY, 0);
    EXPECT_EQ(format.mTicksFormat.mFontName, "");
    EXPECT_EQ(format.mTicksFormat.mSize, 0);
}

TEST(FormatText, EveryFormatRoundTripsByteForByte) {
    std::mt19937 random(20261207);
    const auto number = [&](int digits) {
        std::uniform_real_distribution<double> value(-1e4, 1e4);
        return std::round(value(random) * std::pow(10, digits)) / std::pow(10, digits);
    };
    const auto integer = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto name = [&] {
        const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -";
        std::string text(static_cast<std::size_t>(integer(1, 30)), 'a');
        for (char& c : text)
            c = letters[static_cast<std::size_t>(integer(0, static_cast<int>(letters.size()) - 1))];
        return text;
    };
    for (int round = 0; round < 50; ++round) {
        const Color color = static_cast<Color>(integer(0, 0xFFFFFF));
        CPointFormat point(static_cast<short>(integer(-100, 30000)), color,
                           static_cast<short>(integer(0, 12)));
        const std::string pointText = Written(point);
        EXPECT_EQ(Rewritten<CPointFormat>(pointText), pointText);

        CCurveFormat curve(static_cast<short>(integer(0, 50)), color);
        const std::string curveText = Written(curve);
        EXPECT_EQ(Rewritten<CCurveFormat>(curveText), curveText);

        CTextFormat font(name(), integer(1, 400), integer(0, 3));
        const std::string fontText = Written(font);
        EXPECT_EQ(Rewritten<CTextFormat>(fontText), fontText);

        CPlotFormat plot;
        plot.mMinX = number(3);
        plot.mMaxX = number(8);
        plot.mMinY = number(0);
        plot.mMaxY = number(5);
        plot.mCurrentMinX = number(2) / 1e6;
        plot.mCurrentMaxX = number(4) * 1e6;
        plot.mCurrentMinY = number(1);
        plot.mCurrentMaxY = number(6);
        plot.mLegendX = number(2);
        plot.mLegendY = number(2);
        plot.mLegendFormat = CTextFormat(name(), integer(1, 100), integer(0, 3));
        plot.mLabelsFormat = CTextFormat(name(), integer(1, 100), integer(0, 3));
        plot.mTicksFormat = CTextFormat(name(), integer(1, 100), integer(0, 3));
        const std::string plotText = Written(plot);
        EXPECT_EQ(Rewritten<CPlotFormat>(plotText), plotText);
    }
}

TEST(FormatText, FontConversion) {
    const Font font = CTextFormat("Courier New", 14, CTextFormat::kBold | CTextFormat::kItalic).ToFont();
    EXPECT_EQ(font.face, "Courier New");
    EXPECT_EQ(font.height, 14);
    EXPECT_EQ(font.weight, 700);
    EXPECT_TRUE(font.italic);
    EXPECT_EQ(CTextFormat().ToFont().weight, 400);

    CTextFormat back;
    back.SetFromFont(Font{"Arial", 200, 501, false, 0});
    EXPECT_EQ(back.mStyle, CTextFormat::kBold);
    EXPECT_EQ(back.mSize, 200); // kept whole, not cut to 8 bits
    back.SetFromFont(Font{"Arial", 12, 500, true, 0});
    EXPECT_EQ(back.mStyle, CTextFormat::kItalic);
}
