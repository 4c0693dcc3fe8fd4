#include "render/cairo/drawn_pixels.h"

#include <cstddef>
#include <cstdint>
#include <utility>

#include "core/colour_settings.h"
#include "render/cairo/image_pixels.h"

namespace quorvenda {

namespace {

constexpr std::uint32_t rgbBits = 0x00FFFFFF;  // RGB24 leaves the top byte undefined
constexpr unsigned alphaShift = 24;

using Runs = std::vector<std::pair<int, int>>;  // [first, end) of each run of a row

// Whether a pixel of the image stays on the screen.
class DrawnTest {
public:
    explicit DrawnTest(cairo_format_t format) : alpha_(format == CAIRO_FORMAT_ARGB32) {}
    bool operator()(std::uint32_t pixel) const {
        return alpha_ ? (pixel >> alphaShift) != 0 : (pixel & rgbBits) != (pixelOf(colourKey) & rgbBits);
    }

private:
    bool alpha_;
};

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

std::vector<PixelRectangle> drawnRectangles(cairo_surface_t* image) {
    std::vector<PixelRectangle> rectangles;
    if (!drawableImage(image)) return rectangles;
    cairo_surface_flush(image);
    const PixelBounds bounds = boundsOf(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    const DrawnTest drawn(cairo_image_surface_get_format(image));
    Runs above;
    Runs runs;
    std::size_t bandStart = 0;  // the first rectangle of the band the row above belongs to
    for (int y = 0; y < bounds.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        collectRuns(row, bounds.width, drawn, runs);
        if (!runs.empty() && runs == above) {
            for (std::size_t i = bandStart; i < rectangles.size(); ++i) ++rectangles[i].height;
            continue;
        }
        bandStart = rectangles.size();
        for (const auto& [first, end] : runs) rectangles.push_back(PixelRectangle{first, y, end - first, 1});
        std::swap(above, runs);
    }
    return rectangles;
}

}  // namespace quorvenda
