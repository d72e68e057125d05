// SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <expat.h>

#include <map>

#include "plot/graph_object.hpp"
#include "plot/svg_canvas.hpp"

using namespace zephon::plot;

namespace {

struct ParseResult {
    bool wellFormed = false;
    std::string error;
    std::map<std::string, int> elements; // element name -> count
    std::string text;                    // character data of all text elements
};

ParseResult ParseXml(const std::string& xml) {
    ParseResult result;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &result);
    XML_SetStartElementHandler(parser, [](void* data, const XML_Char* name, const XML_Char**) {
        ++static_cast<ParseResult*>(data)->elements[name];
    });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* s, int length) {
        static_cast<ParseResult*>(data)->text.append(s, static_cast<std::size_t>(length));
    });
    result.wellFormed = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
    if (!result.wellFormed) {
        result.error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                       std::to_string(XML_GetCurrentLineNumber(parser));
    }
    XML_ParserFree(parser);
    return result;
}

// Checks that the document parses; returns what was found.
ParseResult ExpectWellFormed(const SvgCanvas& canvas) {
    const std::string svg = canvas.GetSvg();
    ParseResult result = ParseXml(svg);
    EXPECT_TRUE(result.wellFormed) << result.error << "\n" << svg;
    EXPECT_EQ(result.elements["svg"], 1);
    return result;
}

} // namespace

TEST(SvgCanvas, EveryMarkerShape) {
    SvgCanvas canvas(400, 100);
    for (int selector = 1; selector <= kMarkerCount; ++selector) {
        DrawPoint(canvas, selector, 3, MakeColor(0, 128, 0), 20 * selector, 30);
        DrawPoint(canvas, selector, 4, MakeColor(0, 0, 191), 20 * selector, 60);
    }
    const ParseResult result = ExpectWellFormed(canvas);
    EXPECT_EQ(result.elements.at("ellipse"), 4);
    EXPECT_EQ(result.elements.at("rect"), 4);
    EXPECT_EQ(result.elements.at("line"), 8);
    EXPECT_EQ(result.elements.at("polygon"), 12);
    // An odd marker's ellipse is centred half a pixel off the point, in plain decimal notation.
    EXPECT_NE(canvas.GetSvg().find("<ellipse cx=\"20.5\" cy=\"30.5\" rx=\"3.5\" ry=\"3.5\""),
              std::string::npos);
}

TEST(SvgCanvas, CurveWithCaptionLegendAndText) {
    SvgCanvas canvas(300, 200);
    canvas.SetClip(Rect{0, 0, 300, 200});
    const Rect plot{40, 10, 290, 170};

    CGraphCurve curve;
    curve.mName = "Bubble & dew <branch>";
    curve.mSize = 2;
    curve.mForeColor = MakeColor(170, 170, 170);
    curve.mLabel = "API 35.5\xC2\xB0";
    curve.mLabelAnchor = CPointRecord(0.5, 0.5);
    curve.addPoint(0, 0);
    curve.addPoint(0.4, 0.7);
    curve.addPoint(0.6, 0.6, true);
    curve.addPoint(1.2, 0.9);
    CGraphPointCurve points;
    points.mName = "Inclusion \"A1\"";
    points.mSelector = 9;
    points.addPoint(0.2, 0.3);
    CGraphText text;
    text.mString = "Trapping: 1200 bar";
    CGraphLegend legend;
    legend.mX = 0.7;
    legend.mY = 1;
    legend.mRefObjectList.Add(&curve);
    legend.mRefObjectList.Add(&points);

    for (CGraphObject* object : std::initializer_list<CGraphObject*>{&curve, &points, &text}) {
        object->SetPlotArea(plot, 0, 1, 0, 1);
        object->CalculateCoordinates();
        object->Draw(canvas);
    }
    // The caption, placed as the view places captions.
    std::vector<CPlotLabel> labels;
    canvas.SetFont(Font{});
    curve.CollectLabels(canvas, labels);
    for (const CPlacedLabel& placed : PlaceLabels(labels, plot, {}))
        canvas.DrawText(labels[placed.label].text, placed.box, kTextLeft | kTextTop);
    // The legend takes the size of its two lines of 12-pixel text, with its padding and samples.
    const Size size = legend.Measure(canvas);
    legend.PlaceAt({150, 20, 150 + size.cx, 20 + size.cy});
    legend.Draw(canvas);
    EXPECT_EQ(size.cy, 2 * 5 + 24);
    EXPECT_EQ(size.cx, 2 * 5 + 30 + SvgCanvas::MeasureText(Font{}, curve.mName).cx);

    const ParseResult result = ExpectWellFormed(canvas);
    EXPECT_EQ(result.elements.at("polyline"), 2);
    EXPECT_EQ(result.elements.at("text"), 4);
    EXPECT_EQ(result.elements.at("clipPath"), 3);
    EXPECT_NE(result.text.find("Bubble & dew <branch>"), std::string::npos);
    EXPECT_NE(result.text.find("Inclusion \"A1\""), std::string::npos);
    EXPECT_NE(result.text.find("API 35.5\xC2\xB0"), std::string::npos);
}

TEST(SvgCanvas, AnyNameGivesWellFormedXml) {
    SvgCanvas canvas(100, 100);
    canvas.SetFont(Font{"Odd<&>\"face\"", 12, 700, true, 90});
    // Markup, control characters, a lone continuation byte, a Latin-1 degree sign, a cut
    // UTF-8 sequence and an encoded surrogate.
    const std::string name = std::string("a<b>&c\"d'e\x01\x1F\x80\xB0 f\xE2\x82") + "\xED\xA0\x80" + "g";
    canvas.DrawText(name, Rect{0, 0, 100, 100}, kTextHCenter | kTextVCenter);
    canvas.SetBrush(Brush::Hatched(kBlack, HatchStyle::DiagonalCross));
    canvas.DrawRectangle(Rect{10, 10, 40, 40});
    canvas.SetBrush(Brush::Hatched(kBlack, HatchStyle::Vertical));
    canvas.SetPen(Pen{1, kBlack, PenStyle::Dot});
    canvas.DrawPolygon(std::vector<Point>{{0, 0}, {10, 0}, {5, 8}});
    canvas.FillRect(Rect{50, 50, 40, 40}, kWhite);
    const ParseResult result = ExpectWellFormed(canvas);
    EXPECT_EQ(result.elements.at("pattern"), 2);
    EXPECT_NE(result.text.find("a<b>&c\"d'e"), std::string::npos);
    EXPECT_NE(result.text.find("\xC2\xB0 f"), std::string::npos); // the stray byte read as Latin-1
    EXPECT_NE(canvas.GetSvg().find("rotate(-90 50 50)"), std::string::npos);
}

TEST(SvgCanvas, TextMetricAndPlacement) {
    const Font arial{"Arial", 12, 400, false, 0};
    EXPECT_EQ(SvgCanvas::MeasureText(arial, ""), (Size{0, 12}));
    // "Th 125": T 0.67, h 0.50, space 0.33, digits 0.56 each -> 3.18 x 12 = 38.16.
    EXPECT_EQ(SvgCanvas::MeasureText(arial, "Th 125"), (Size{38, 12}));
    Font bold = arial;
    bold.weight = 700;
    EXPECT_EQ(SvgCanvas::MeasureText(bold, "Th 125").cx, 42);
    // One character per code point, whatever its length in bytes.
    EXPECT_EQ(SvgCanvas::MeasureText(arial, "\xC2\xB0").cx, SvgCanvas::MeasureText(arial, "\xB0").cx);

    SvgCanvas canvas(200, 100);
    canvas.SetFont(arial);
    canvas.DrawText("Th 125", Rect{100, 20, 140, 40}, kTextRight | kTextBottom);
    const std::string svg = canvas.GetSvg();
    // Right-aligned: starts 38 pixels left of the right edge; baseline 20 % of the height above
    // the bottom; clipped to its box.
    EXPECT_NE(svg.find("<text x=\"102\" y=\"37.6\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("<clipPath id=\"c0\"><rect x=\"100\" y=\"20\" width=\"40\" height=\"20\"/>"),
              std::string::npos);
}
