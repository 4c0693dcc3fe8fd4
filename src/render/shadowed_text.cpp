#include "render/shadowed_text.h"

#include "core/palette.h"
#include "core/wrapping_int.h"

namespace quorvenda {

void drawShadowedText(CDC& dc, Point shadow, Point text, Colour colour, std::string_view content) {
    dc.SetTextColor(shadowColour);
    dc.TextOut(shadow.x, shadow.y, content);
    dc.SetTextColor(colour);
    dc.TextOut(text.x, text.y, content);
}

void drawShadowedText(CDC& dc, Point text, int distance, Colour colour, std::string_view content) {
    const Point shadow{wrapAdd(text.x, distance), wrapAdd(text.y, distance)};
    drawShadowedText(dc, shadow, text, colour, content);
}

}  // namespace quorvenda
