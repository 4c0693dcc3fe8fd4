#include "render/cairo/drawn_pixels.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/colour_settings.h"
#include "render/cairo/image_pixels.h"

namespace quorvenda {

namespace {

constexpr std::uint32_t rgbBits = 0x00FFFFFF;  // RGB24 leaves the top byte undefined
constexpr unsigned alphaShift = 24;

// Whether a pixel of the image stays on the screen.
class DrawnTest {
public:
    explicit DrawnTest(cairo_format_t format)
        : alpha_(format == CAIRO_FORMAT_ARGB32), key_(pixelOf(colourKey) & rgbBits) {}
    bool operator()(std::uint32_t pixel) const {
        return alpha_ ? (pixel >> alphaShift) != 0 : (pixel & rgbBits) != key_;
    }

private:
    bool alpha_;
    std::uint32_t key_;
};

template <typename Runs>
void collectRuns(const std::uint32_t* row, int width, const DrawnTest& drawn, Runs& runs) {
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && !drawn(row[x])) ++x;
        const int first = x;
        while (x < width && drawn(row[x])) ++x;
        if (x > first) runs.emplace_back(first, x);
    }
}

}  // namespace

bool DrawnPixelRuns::update(cairo_surface_t* image, const std::vector<Rect>& changed) {
    if (!drawableImage(image)) {
        const bool had = std::any_of(rows_.begin(), rows_.end(), [](const Runs& runs) { return !runs.empty(); });
        rows_.clear();
        width_ = -1;
        return had;
    }
    cairo_surface_flush(image);
    const PixelBounds bounds = boundsOf(image);
    const cairo_format_t format = cairo_image_surface_get_format(image);
    std::vector<char> reread(static_cast<std::size_t>(bounds.height), 0);
    if (bounds.width != width_ || format != format_ || rows_.size() != reread.size()) {
        width_ = bounds.width;
        format_ = format;
        rows_.assign(reread.size(), Runs{});
        std::fill(reread.begin(), reread.end(), 1);
    }
    for (const Rect& area : changed) {
        const int top = std::clamp(area.top, 0, bounds.height);
        const int bottom = std::clamp(area.bottom, 0, bounds.height);
        std::fill(reread.begin() + top, reread.begin() + bottom, 1);
    }
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    const DrawnTest drawn(format);
    bool differs = false;
    Runs runs;
    for (int y = 0; y < bounds.height; ++y) {
        if (reread[static_cast<std::size_t>(y)] == 0) continue;
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        collectRuns(row, bounds.width, drawn, runs);
        Runs& kept = rows_[static_cast<std::size_t>(y)];
        if (runs != kept) {
            kept.swap(runs);
            differs = true;
        }
    }
    return differs;
}

std::vector<PixelRectangle> DrawnPixelRuns::rectangles() const {
    std::vector<PixelRectangle> rectangles;
    std::size_t bandStart = 0;  // the first rectangle of the band the row above belongs to
    const Runs* above = nullptr;
    for (std::size_t y = 0; y < rows_.size(); ++y) {
        const Runs& runs = rows_[y];
        if (!runs.empty() && above != nullptr && runs == *above) {
            for (std::size_t i = bandStart; i < rectangles.size(); ++i) ++rectangles[i].height;
            continue;
        }
        bandStart = rectangles.size();
        for (const auto& [first, end] : runs)
            rectangles.push_back(PixelRectangle{first, static_cast<int>(y), end - first, 1});
        above = &runs;
    }
    return rectangles;
}

std::vector<PixelRectangle> drawnRectangles(cairo_surface_t* image) {
    DrawnPixelRuns runs;
    runs.update(image, {});
    return runs.rectangles();
}

}  // namespace quorvenda
