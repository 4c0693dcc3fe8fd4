#pragma once
// Fonts as Pango draws them: a GDI font description or the desktop's
// interface font, in a fontconfig face that has Japanese glyphs.
#include <pango/pango.h>

#include <map>
#include <string>

#include "render/cairo/cairo_handles.h"
#include "render/gdi_api.h"

namespace quorvenda {

// The character height in device pixels of a desktop font setting such as
// "IPAGothic 10", "Sans 13px" or "IPAGothic": a size in points at `dpi` (the
// device pixels' DPI), an absolute size in logical pixels times the scale
// factor only, and where the setting names no size, GTK's default of 10 points.
int desktopFontPixelHeight(const PangoFontDescription* setting, int dpi, int scaleFactor);

class JapaneseFontResolver {
public:
    // `context` measures the faces (a font's cell height for its size) and outlives this object.
    explicit JapaneseFontResolver(PangoContext* context) : context_(context) {}

    // The font CreateFont describes: a negative height is the character (em)
    // height, a positive one the cell height (ascent plus descent), 0 the
    // default height; weight as GDI's (0: normal), italic. The face name is
    // Shift-JIS.
    PangoFontDescriptionPtr fontFor(const FontSpec& requested, int defaultPixelHeight);
    // A family (UTF-8) at a character height in device pixels.
    PangoFontDescriptionPtr fontFor(const std::string& family, int pixelHeight);

private:
    PangoFontDescriptionPtr describe(const std::string& family, int height, int weight, bool italic,
                                     int defaultPixelHeight);
    // The fontconfig family that `family` resolves to with Japanese glyphs; cached.
    const std::string& japaneseFamily(const std::string& family, int weight, bool italic);
    // Ascent plus descent per pixel of character height, of the face `description` names.
    double cellPerEm(const PangoFontDescription* description);

    PangoContext* context_;
    std::map<std::string, std::string> families_;
    std::map<std::string, double> cellRatios_;
};

}  // namespace quorvenda
