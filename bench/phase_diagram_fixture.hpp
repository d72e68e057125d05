// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What the plot benchmarks share: a P-T document of 20 computed envelopes and 40 isochores saved
// once to a file, and a canvas that discards everything it is given (so that only the document
// and view work is timed).

#include <filesystem>

#include "documents/phase_diag_document.hpp"
#include "plot/canvas.hpp"
#include "silent_services.hpp"

class NullCanvas : public zephon::plot::Canvas {
  public:
    void SetPen(const zephon::plot::Pen&) override {}
    void SetBrush(const zephon::plot::Brush&) override {}
    void SetFont(const zephon::plot::Font&) override {}
    void SetTextColor(zephon::plot::Color) override {}
    void SetClip(std::optional<zephon::plot::Rect> clip) override { mClip = clip; }
    std::optional<zephon::plot::Rect> GetClip() const override { return mClip; }
    void DrawLine(zephon::plot::Point, zephon::plot::Point) override { ++calls; }
    void DrawPolyline(std::span<const zephon::plot::Point> points) override { calls += points.size(); }
    void DrawRectangle(const zephon::plot::Rect&) override { ++calls; }
    void DrawEllipse(const zephon::plot::Rect&) override { ++calls; }
    void DrawPolygon(std::span<const zephon::plot::Point>) override { ++calls; }
    void FillRect(const zephon::plot::Rect&, zephon::plot::Color) override { ++calls; }
    zephon::plot::Size GetTextExtent(std::string_view text) const override {
        return {static_cast<int>(7 * text.size()), 14};
    }
    void DrawText(std::string_view, const zephon::plot::Rect&, unsigned) override { ++calls; }

    std::size_t calls = 0;

  private:
    std::optional<zephon::plot::Rect> mClip;
};

// The file of the 20-envelope, 40-isochore document, computed on first use.
inline const std::filesystem::path& TwentyEnvelopesFile() {
    static const std::filesystem::path path = [] {
        SilentServices services;
        CPhaseDiagDocument document(services);
        for (int d = 0; d < 20; ++d) {
            CPhaseDiagram* diagram =
                document.CalculateImmiscibilityLoop(1, 0.5 + 0.02 * d, 0.2, 0, 0, 0, nullptr, "");
            for (double th : {80.0, 100.0}) {
                double density = 0, volume = 0;
                CIsochor* mono = nullptr;
                if (diagram) document.CalculateIsochor(diagram, th, 1, density, volume, &mono);
            }
        }
        auto file = std::filesystem::temp_directory_path() / "zephon-bench-20-envelopes.ptd";
        document.OnSaveDocument(file);
        return file;
    }();
    return path;
}
