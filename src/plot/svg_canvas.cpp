// SPDX-License-Identifier: BSD-3-Clause
#include "plot/svg_canvas.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/utf8_text.hpp"

namespace zephon::plot {

namespace {

// One character of a byte string: its code point and its length in bytes. A byte that does
// not start a valid UTF-8 sequence (overlong forms and surrogates included) is one Latin-1
// character.
std::pair<char32_t, std::size_t> DecodeCharacter(std::string_view s, std::size_t i) {
    const CUtf8Character character = DecodeUtf8(s, i);
    if (character.length == 0) return {static_cast<unsigned char>(s[i]), 1};
    return {character.code, character.length};
}

bool IsXmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Advance of one character in hundredths of the font height.
int Advance(char32_t c) {
    constexpr std::string_view narrow = "ijlI.,:;'!|`";
    constexpr std::string_view slim = " frt()[]{}-/\\\"*";
    constexpr std::string_view wide = "mwMW@%";
    if (c >= 0x80) return 60;
    const char a = static_cast<char>(c);
    if (narrow.find(a) != std::string_view::npos) return 25;
    if (slim.find(a) != std::string_view::npos) return 33;
    if (wide.find(a) != std::string_view::npos) return 83;
    if (a >= 'A' && a <= 'Z') return 67;
    if (a >= '0' && a <= '9') return 56;
    return 50;
}

void AppendInt(std::string& out, long long value) {
    out += std::to_string(value);
}

// Locale-independent, at most two decimals, no trailing zeros; values are held within +-1e9,
// far beyond any drawing, so the text always fits.
void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) value = 0;
    value = std::clamp(value, -1e9, 1e9);
    const double rounded = std::round(value * 100.0) / 100.0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded == 0 ? 0.0 : rounded,
                                      std::chars_format::fixed, 2);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (text.find('.') != std::string_view::npos) {
        while (text.back() == '0')
            text.remove_suffix(1);
        if (text.back() == '.') text.remove_suffix(1);
    }
    out += text;
}

void AppendAttribute(std::string& out, std::string_view name, long long value) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendInt(out, value);
    out += '"';
}

void AppendAttribute(std::string& out, std::string_view name, double value) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendNumber(out, value);
    out += '"';
}

std::string ColorText(Color c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", GetRed(c), GetGreen(c), GetBlue(c));
    return buffer;
}

} // namespace

void AppendXmlEscaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto [code, length] = DecodeCharacter(text, i);
        i += length;
        if (!IsXmlCharacter(code)) continue;
        switch (code) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            AppendUtf8(out, code);
        }
    }
}

SvgCanvas::SvgCanvas(int width, int height) : mWidth(std::max(width, 0)), mHeight(std::max(height, 0)) {}

Size SvgCanvas::MeasureText(const Font& font, std::string_view text) {
    // Font heights come from files: kept within a range where the products below are exact.
    const long long height = std::min<long long>(std::llabs(static_cast<long long>(font.height)), 1 << 20);
    long long advance = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [code, length] = DecodeCharacter(text, i);
        i += length;
        advance += Advance(code);
    }
    const long long factor = font.weight >= 501 ? 110 : 100;
    const double width = std::floor((static_cast<double>(advance) * height * factor + 5000) / 10000);
    return {static_cast<int>(std::min(width, 1073741824.0)), static_cast<int>(height)};
}

void SvgCanvas::SetClip(std::optional<Rect> clip) {
    if (clip) clip = clip->Normalized();
    mClip = clip;
}

std::string SvgCanvas::ClipAttribute(const std::optional<Rect>& clip) {
    if (!clip) return {};
    const auto key = std::make_tuple(clip->left, clip->top, clip->right, clip->bottom);
    auto it = mClipIds.find(key);
    if (it == mClipIds.end()) {
        const std::string id = "c" + std::to_string(mClipIds.size());
        mDefs += "<clipPath id=\"" + id + "\"><rect";
        AppendAttribute(mDefs, "x", static_cast<long long>(clip->left));
        AppendAttribute(mDefs, "y", static_cast<long long>(clip->top));
        AppendAttribute(mDefs, "width", static_cast<long long>(clip->Width()));
        AppendAttribute(mDefs, "height", static_cast<long long>(clip->Height()));
        mDefs += "/></clipPath>\n";
        it = mClipIds.emplace(key, id).first;
    }
    return " clip-path=\"url(#" + it->second + ")\"";
}

std::string SvgCanvas::PatternId(Color color, HatchStyle hatch) {
    const auto key = std::make_pair(color, static_cast<int>(hatch));
    auto it = mPatternIds.find(key);
    if (it != mPatternIds.end()) return it->second;
    const std::string id = "h" + std::to_string(mPatternIds.size());
    std::string path;
    switch (hatch) {
    case HatchStyle::Horizontal:
        path = "M0 4H8";
        break;
    case HatchStyle::Vertical:
        path = "M4 0V8";
        break;
    case HatchStyle::ForwardDiagonal:
        path = "M0 0L8 8";
        break;
    case HatchStyle::BackwardDiagonal:
        path = "M0 8L8 0";
        break;
    case HatchStyle::Cross:
        path = "M0 4H8M4 0V8";
        break;
    case HatchStyle::DiagonalCross:
        path = "M0 0L8 8M0 8L8 0";
        break;
    }
    mDefs += "<pattern id=\"" + id +
             "\" width=\"8\" height=\"8\" patternUnits=\"userSpaceOnUse\"><path d=\"" + path +
             "\" stroke=\"" + ColorText(color) + "\" stroke-width=\"1\" fill=\"none\"/></pattern>\n";
    mPatternIds.emplace(key, id);
    return id;
}

std::string SvgCanvas::StrokeAttributes() const {
    if (mPen.style == PenStyle::None) return " stroke=\"none\"";
    const int width = std::max(mPen.width, 1);
    std::string out = " stroke=\"" + ColorText(mPen.color) + "\"";
    AppendAttribute(out, "stroke-width", static_cast<long long>(width));
    if (mPen.style == PenStyle::Dash) out += " stroke-dasharray=\"6,3\"";
    if (mPen.style == PenStyle::Dot) out += " stroke-dasharray=\"1,2\"";
    if (width > 1) out += " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
    return out;
}

std::string SvgCanvas::FillAttribute(const Brush& brush) {
    switch (brush.style) {
    case BrushStyle::Solid:
        return " fill=\"" + ColorText(brush.color) + "\"";
    case BrushStyle::Hatched:
        return " fill=\"url(#" + PatternId(brush.color, brush.hatch) + ")\"";
    case BrushStyle::Hollow:
        break;
    }
    return " fill=\"none\"";
}

void SvgCanvas::AppendPoints(std::span<const Point> points) {
    mBody += " points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i) mBody += ' ';
        AppendInt(mBody, points[i].x);
        mBody += ',';
        AppendInt(mBody, points[i].y);
    }
    mBody += '"';
}

void SvgCanvas::DrawLine(Point from, Point to) {
    if (mPen.style == PenStyle::None) return;
    mBody += "<line";
    AppendAttribute(mBody, "x1", static_cast<long long>(from.x));
    AppendAttribute(mBody, "y1", static_cast<long long>(from.y));
    AppendAttribute(mBody, "x2", static_cast<long long>(to.x));
    AppendAttribute(mBody, "y2", static_cast<long long>(to.y));
    mBody += StrokeAttributes() + ClipAttribute(mClip) + "/>\n";
}

void SvgCanvas::DrawPolyline(std::span<const Point> points) {
    if (points.size() < 2 || mPen.style == PenStyle::None) return;
    mBody += "<polyline";
    AppendPoints(points);
    mBody += " fill=\"none\"" + StrokeAttributes() + ClipAttribute(mClip) + "/>\n";
}

void SvgCanvas::DrawRectangle(const Rect& box) {
    const Rect r = box.Normalized();
    mBody += "<rect";
    AppendAttribute(mBody, "x", static_cast<long long>(r.left));
    AppendAttribute(mBody, "y", static_cast<long long>(r.top));
    AppendAttribute(mBody, "width", static_cast<long long>(r.Width()));
    AppendAttribute(mBody, "height", static_cast<long long>(r.Height()));
    mBody += FillAttribute(mBrush) + StrokeAttributes() + ClipAttribute(mClip) + "/>\n";
}

void SvgCanvas::DrawEllipse(const Rect& box) {
    const Rect r = box.Normalized();
    mBody += "<ellipse";
    AppendAttribute(mBody, "cx", (r.left + r.right) / 2.0);
    AppendAttribute(mBody, "cy", (r.top + r.bottom) / 2.0);
    AppendAttribute(mBody, "rx", r.Width() / 2.0);
    AppendAttribute(mBody, "ry", r.Height() / 2.0);
    mBody += FillAttribute(mBrush) + StrokeAttributes() + ClipAttribute(mClip) + "/>\n";
}

void SvgCanvas::DrawPolygon(std::span<const Point> points) {
    if (points.empty()) return;
    mBody += "<polygon";
    AppendPoints(points);
    mBody += FillAttribute(mBrush) + StrokeAttributes() + ClipAttribute(mClip) + "/>\n";
}

void SvgCanvas::FillRect(const Rect& box, Color color) {
    const Rect r = box.Normalized();
    mBody += "<rect";
    AppendAttribute(mBody, "x", static_cast<long long>(r.left));
    AppendAttribute(mBody, "y", static_cast<long long>(r.top));
    AppendAttribute(mBody, "width", static_cast<long long>(r.Width()));
    AppendAttribute(mBody, "height", static_cast<long long>(r.Height()));
    mBody += FillAttribute(Brush::Solid(color)) + " stroke=\"none\"" + ClipAttribute(mClip) + "/>\n";
}

void SvgCanvas::DrawText(std::string_view text, const Rect& box, unsigned flags) {
    const Rect r = box.Normalized();
    const Size extent = GetTextExtent(text);
    const double degrees = std::isfinite(mFont.rotation) ? std::fmod(mFont.rotation, 360.0) : 0.0;
    const auto [cx, cy] = PlaceTextCentre(r, extent, degrees, flags);

    const double ascent = 0.8 * extent.cy;
    std::optional<Rect> clip = mClip;
    if (!(flags & kTextNoClip)) clip = clip ? r.Intersect(*clip) : r;

    std::string element = "<text";
    AppendAttribute(element, "x", cx - extent.cx / 2.0);
    AppendAttribute(element, "y", cy - extent.cy / 2.0 + ascent);
    element += " font-family=\"";
    AppendXmlEscaped(element, mFont.face);
    element += '"';
    AppendAttribute(element, "font-size", static_cast<long long>(extent.cy));
    if (mFont.weight >= 501) element += " font-weight=\"bold\"";
    if (mFont.italic) element += " font-style=\"italic\"";
    element += " fill=\"" + ColorText(mTextColor) + "\"";
    const bool rotated = degrees != 0;
    if (rotated) {
        element += " transform=\"rotate(";
        AppendNumber(element, -degrees);
        element += ' ';
        AppendNumber(element, cx);
        element += ' ';
        AppendNumber(element, cy);
        element += ")\"";
    }
    if (!rotated) element += ClipAttribute(clip);
    element += " xml:space=\"preserve\">";
    AppendXmlEscaped(element, text);
    element += "</text>";
    if (rotated) {
        // A clip on the rotated element itself would turn with it; a group keeps it upright.
        mBody += "<g" + ClipAttribute(clip) + ">" + element + "</g>\n";
    } else {
        mBody += element + "\n";
    }
}

std::string SvgCanvas::GetSvg() const {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
    AppendAttribute(out, "width", static_cast<long long>(mWidth));
    AppendAttribute(out, "height", static_cast<long long>(mHeight));
    out += " viewBox=\"0 0 " + std::to_string(mWidth) + " " + std::to_string(mHeight) + "\">\n";
    if (!mDefs.empty()) out += "<defs>\n" + mDefs + "</defs>\n";
    out += mBody;
    out += "</svg>\n";
    return out;
}

} // namespace zephon::plot
