#include "render/cairo/cairo_gdi.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "core/utf8_from_shift_jis.h"
#include "render/cairo/cairo_handles.h"
#include "render/cairo/cairo_strokes.h"
#include "render/cairo/gdi_geometry.h"
#include "render/cairo/image_pixels.h"
#include "render/cairo/pango_font.h"
#include "render/dc_state.h"
#include "render/recently_used.h"

namespace quorvenda {

namespace {

// Cairo's image surfaces end at 32767 pixels a side; the pixel count is held
// to an 8K screen's worth so that no call allocates absurd memory.
constexpr int largestBitmapSide = 32767;
constexpr long long largestBitmapPixels = 1LL << 25;
// Shapes and copies reaching beyond this are refused: Cairo's fixed-point
// coordinates end near 2^23, and nothing that far out is on any bitmap.
constexpr int largestShapeCoordinate = 1 << 16;
constexpr int widestPen = 1 << 12;
constexpr int halfWhite = 3 * 255 / 2;  // brightness splitting black from white on a monochrome bitmap
constexpr const char* japanese = "ja";
constexpr int nonAntialiasedQuality = 3;  // NONANTIALIASED_QUALITY

struct Pen {
    PenStyle style = PenStyle::solid;
    int width = 1;
    Colour colour = black;
};

struct Bitmap {
    CairoSurfacePtr surface;
    bool monochrome = false;
};

struct Object {
    ObjectKind kind = ObjectKind::pen;
    bool stock = false;
    Pen pen;
    PangoFontDescriptionPtr font;
    bool hardEdges = false;  // a font asked for without antialiasing
    std::string layoutKey;   // a font's: what its layouts are kept by, made once
    Bitmap bitmap;
};

// Where a surface device context draws: an image the caller owns.
struct SurfaceTarget {
    cairo_surface_t* image = nullptr;
    CairoRegionPtr clip;  // drawing limited to it; none: the whole image
};

// One device context as a drawing call uses it: its state and, for a surface
// device context, its target (a memory device context draws on its bitmap).
struct Dc {
    DcState& state;
    SurfaceTarget* surface = nullptr;
    cairo_region_t* clip() const { return surface != nullptr ? surface->clip.get() : nullptr; }
};

// `cr` limited to the device context's clip, if it has one.
CairoPtr clipped(const Dc& dc, CairoPtr cr) {
    cairo_region_t* clip = dc.clip();
    if (clip == nullptr) return cr;
    const int count = cairo_region_num_rectangles(clip);
    for (int i = 0; i < count; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(clip, i, &r);
        cairo_rectangle(cr.get(), r.x, r.y, r.width, r.height);
    }
    cairo_clip(cr.get());
    return cr;
}

std::uintptr_t raw(GdiObject object) {
    return static_cast<std::uintptr_t>(object);
}
std::uintptr_t raw(DcHandle dc) {
    return static_cast<std::uintptr_t>(dc);
}

bool usableSize(int width, int height) {
    return width > 0 && height > 0 && width <= largestBitmapSide && height <= largestBitmapSide &&
           static_cast<long long>(width) * height <= largestBitmapPixels;
}

bool withinShapeReach(std::initializer_list<int> coordinates) {
    return std::all_of(coordinates.begin(), coordinates.end(),
                       [](int c) { return c >= -largestShapeCoordinate && c <= largestShapeCoordinate; });
}

// Every field of a font description, as one key: two descriptions with the
// same key lay any text out alike.
std::string describedFont(const PangoFontDescription* font) {
    const char* family = pango_font_description_get_family(font);
    std::string key = family != nullptr ? family : "";
    for (const int field :
         {static_cast<int>(pango_font_description_get_style(font)),
          static_cast<int>(pango_font_description_get_variant(font)),
          static_cast<int>(pango_font_description_get_weight(font)),
          static_cast<int>(pango_font_description_get_stretch(font)), pango_font_description_get_size(font),
          static_cast<int>(pango_font_description_get_size_is_absolute(font)),
          static_cast<int>(pango_font_description_get_gravity(font)),
          static_cast<int>(pango_font_description_get_set_fields(font))}) {
        key += '\n';
        key += std::to_string(field);
    }
    return key;
}

// A Pango context for Japanese texts, antialiased as asked.
GObjectPtr<PangoContext> textContext(PangoFontMap* fontMap, cairo_antialias_t antialias) {
    GObjectPtr<PangoContext> context(pango_font_map_create_context(fontMap));
    pango_context_set_language(context.get(), pango_language_from_string(japanese));
    CairoFontOptionsPtr options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), antialias);
    pango_cairo_context_set_font_options(context.get(), options.get());
    return context;
}

}  // namespace

struct CairoGdi::State {
    State(CairoSystemFont font, CairoKeying keyedAs)
        : keying(keyedAs),
          systemFontSpec(std::move(font)),
          fontMap(pango_cairo_font_map_new()),
          // Grey antialiasing: a text's pixels are blends of its colour and what lies beneath, never colour fringes.
          smoothContext(textContext(fontMap.get(), CAIRO_ANTIALIAS_GRAY)),
          hardContext(textContext(fontMap.get(), CAIRO_ANTIALIAS_NONE)),
          fonts(smoothContext.get()),
          blackPen(addStock(ObjectKind::pen)),
          systemFont(addStock(ObjectKind::font)),
          defaultBitmap(addStock(ObjectKind::bitmap)),
          dcs(blackPen, systemFont, defaultBitmap) {
        objects[raw(systemFont)].font = fonts.fontFor(systemFontSpec.family, systemFontSpec.pixelHeight);
        objects[raw(systemFont)].hardEdges = keying == CairoKeying::hardEdges;
        keyLayoutsOf(objects[raw(systemFont)]);
        objects[raw(defaultBitmap)].bitmap = monochromeBitmap(1, 1);
    }

    static void keyLayoutsOf(Object& font) {
        font.layoutKey = describedFont(font.font.get()) + (font.hardEdges ? "\nhard" : "");
    }

    GdiObject addStock(ObjectKind kind) {
        const GdiObject handle = nextHandle<GdiObject>();
        objects[raw(handle)].kind = kind;
        objects[raw(handle)].stock = true;
        return handle;
    }

    template <typename Handle>
    Handle nextHandle() {
        return static_cast<Handle>(next++);
    }

    static Bitmap monochromeBitmap(int width, int height) {
        return Bitmap{CairoSurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)), true};
    }

    GdiObject addBitmap(Bitmap bitmap) {
        if (cairo_surface_status(bitmap.surface.get()) != CAIRO_STATUS_SUCCESS) return noObject;
        const GdiObject handle = nextHandle<GdiObject>();
        Object& object = objects[raw(handle)];
        object.kind = ObjectKind::bitmap;
        object.bitmap = std::move(bitmap);
        return handle;
    }

    Object* find(GdiObject handle) {
        auto it = objects.find(raw(handle));
        return it == objects.end() ? nullptr : &it->second;
    }
    std::optional<Dc> find(DcHandle handle) {
        DcState* state = dcs.find(handle);
        if (state == nullptr) return std::nullopt;
        auto it = surfaces.find(raw(handle));
        return Dc{*state, it == surfaces.end() ? nullptr : &it->second};
    }

    // The surface a device context draws on, or null.
    cairo_surface_t* surfaceOf(const Dc& dc) {
        if (!dc.state.memory) return dc.surface != nullptr ? dc.surface->image : nullptr;
        Object* bitmap = find(dc.state.bitmap);
        return bitmap != nullptr ? bitmap->bitmap.surface.get() : nullptr;
    }

    bool monochrome(const Dc& dc) {
        if (!dc.state.memory) return false;
        Object* bitmap = find(dc.state.bitmap);
        return bitmap == nullptr || bitmap->bitmap.monochrome;
    }

    // The colour as the device context's bitmap holds it: black or white on a monochrome one.
    Colour shown(const Dc& dc, Colour colour) {
        if (!monochrome(dc)) return colour;
        const int brightness = static_cast<int>((colour & 0xFFu) + (colour >> 8 & 0xFFu) + (colour >> 16 & 0xFFu));
        return brightness > halfWhite ? white : black;
    }

    Pen penOf(const Dc& dc) {
        Object* pen = find(dc.state.pen);
        return pen != nullptr ? pen->pen : Pen{};
    }

    const Object& fontOf(const Dc& dc) {
        Object* font = find(dc.state.font);
        if (font == nullptr || !font->font) font = find(systemFont);
        return *font;
    }

    // Whether `colour` (as shown) drops out of the picture: white, on an
    // image that carries alpha, while the colour key is drawn as transparency.
    bool keyedOut(cairo_surface_t* surface, Colour shownColour) const {
        return keying == CairoKeying::alpha && shownColour == white &&
               cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    }

    // The source of what is drawn next on `cr`: the colour as the device
    // context shows it, or the clearing of every pixel covered where it is keyed out.
    void useColour(cairo_t* cr, const Dc& dc, Colour colour) {
        const Colour shownColour = shown(dc, colour);
        if (keyedOut(cairo_get_target(cr), shownColour)) {
            cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
            return;
        }
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        setSource(cr, shownColour);
    }

    std::uint32_t pixelFor(const Dc& dc, cairo_surface_t* surface, Colour colour) {
        const Colour shownColour = shown(dc, colour);
        return keyedOut(surface, shownColour) ? transparentPixel : pixelOf(shownColour);
    }

    // The layout of `text` (Shift-JIS) in the device context's font. Each text
    // is measured and drawn twice (shadow and text), and most are the same
    // from one repaint to the next: their layouts are kept, up to a bound.
    // They are keyed by what the font describes, not by the font object, as
    // a repaint makes its fonts afresh and deletes them when done.
    // A kept layout, and its logical extents (the cell), measured once.
    struct KeptLayout {
        GObjectPtr<PangoLayout> layout;
        PangoRectangle cell;
    };

    KeptLayout& layoutFor(const Dc& dc, std::string_view text) {
        const Object& fontObject = fontOf(dc);
        const PangoFontDescription* font = fontObject.font.get();
        LayoutKey key{fontObject.layoutKey, std::string(text)};
        if (KeptLayout* kept = layouts.find(key)) return *kept;
        GObjectPtr<PangoLayout> layout(
            pango_layout_new(fontObject.hardEdges ? hardContext.get() : smoothContext.get()));
        const std::string utf8 = utf8FromShiftJis(text);
        pango_layout_set_font_description(layout.get(), font);
        pango_layout_set_text(layout.get(), utf8.data(),
                              static_cast<int>(std::min<std::size_t>(utf8.size(), INT32_MAX)));
        PangoRectangle cell{};
        pango_layout_get_pixel_extents(layout.get(), nullptr, &cell);
        return layouts.keep(std::move(key), KeptLayout{std::move(layout), cell}, text.size());
    }

    // A one-pixel pen's pixels along a stroke. A dotted pen's gaps take the
    // background colour unless the background mode is transparent.
    void setPenPixels(const Dc& dc, cairo_surface_t* surface, const Pen& pen, const std::vector<Point>& pixels) {
        if (pen.style != PenStyle::dot) {
            setPixels(surface, pixels, pixelFor(dc, surface, pen.colour), dc.clip());
            return;
        }
        if (!dc.state.transparent) setPixels(surface, pixels, pixelFor(dc, surface, dc.state.bkColor), dc.clip());
        setPixels(surface, dottedPixels(pixels), pixelFor(dc, surface, pen.colour), dc.clip());
    }

    // The ellipse through the sweep in the device context's pen: a one-pixel
    // pen's pixels, dotted or solid, or a wide pen's stroke.
    void strokeCurve(const Dc& dc, const GdiEllipse& ellipse, ArcSweep sweep) {
        cairo_surface_t* surface = surfaceOf(dc);
        if (surface == nullptr) return;
        const Pen pen = penOf(dc);
        if (pen.width <= 1) {
            setPenPixels(dc, surface, pen, arcPixels(ellipse, sweep));
            return;
        }
        CairoPtr cr = clipped(dc, shapeContext(surface));
        traceEllipse(cr.get(), ellipse, sweep);
        useColour(cr.get(), dc, pen.colour);
        strokeWide(cr.get(), pen.width, Joins::alongCurve);
    }

    CairoKeying keying;
    CairoSystemFont systemFontSpec;
    GObjectPtr<PangoFontMap> fontMap;
    GObjectPtr<PangoContext> smoothContext;
    GObjectPtr<PangoContext> hardContext;
    JapaneseFontResolver fonts;
    using LayoutKey = std::pair<std::string, std::string>;
    // A repaint lays out about 30 texts; a long event name (up to 64 KiB of
    // it is shown) is kept too, but not many of them. The texts of the
    // second that has passed go first, so those shown each second stay.
    static constexpr std::size_t keptLayouts = 64;
    static constexpr std::size_t keptLayoutTextBytes = 512 * 1024;
    RecentlyUsed<LayoutKey, KeptLayout> layouts{keptLayouts, keptLayoutTextBytes};
    std::map<std::uintptr_t, Object> objects;
    std::uintptr_t next = 0x10;
    GdiObject blackPen;
    GdiObject systemFont;
    GdiObject defaultBitmap;
    DcBook dcs;                                        // after the stock objects it starts every device context with
    std::map<std::uintptr_t, SurfaceTarget> surfaces;  // of the surface device contexts
};

CairoGdi::CairoGdi(CairoSystemFont systemFont, CairoKeying keying)
    : state_(std::make_unique<State>(std::move(systemFont), keying)) {}

CairoGdi::~CairoGdi() = default;

DcHandle CairoGdi::createSurfaceDC(cairo_surface_t* target) {
    if (!drawableImage(target)) return noDc;
    const DcHandle handle = state_->nextHandle<DcHandle>();
    state_->dcs.openWindowDc(handle);
    state_->surfaces[raw(handle)].image = target;
    return handle;
}

void CairoGdi::clipTo(DcHandle dc, const std::vector<Rect>& areas) {
    auto it = state_->surfaces.find(raw(dc));
    if (it == state_->surfaces.end()) return;
    SurfaceTarget* found = &it->second;
    found->clip.reset(cairo_region_create());
    for (const Rect& a : areas) {
        if (a.right <= a.left || a.bottom <= a.top) continue;
        const cairo_rectangle_int_t r{a.left, a.top, a.right - a.left, a.bottom - a.top};
        cairo_region_union_rectangle(found->clip.get(), &r);
    }
}

GdiObject CairoGdi::createPen(PenStyle style, int width, Colour colour) {
    const GdiObject handle = state_->nextHandle<GdiObject>();
    Object& object = state_->objects[raw(handle)];
    object.kind = ObjectKind::pen;
    // Width 0 is one pixel; a dotted pen wider than that draws solid, as GDI's does.
    const int pixels = static_cast<int>(std::clamp<long long>(std::llabs(static_cast<long long>(width)), 1, widestPen));
    object.pen = Pen{pixels > 1 ? PenStyle::solid : style, pixels, colour & 0xFFFFFFu};
    return handle;
}

GdiObject CairoGdi::createFont(const FontSpec& fontSpec) {
    const GdiObject handle = state_->nextHandle<GdiObject>();
    Object& object = state_->objects[raw(handle)];
    object.kind = ObjectKind::font;
    object.font = state_->fonts.fontFor(fontSpec, state_->systemFontSpec.pixelHeight);
    object.hardEdges = fontSpec.quality == nonAntialiasedQuality || state_->keying == CairoKeying::hardEdges;
    State::keyLayoutsOf(object);
    return handle;
}

GdiObject CairoGdi::createCompatibleBitmap(DcHandle dc, int width, int height) {
    bool monochrome = false;
    cairo_format_t format = CAIRO_FORMAT_RGB24;
    if (dc != noDc) {
        const std::optional<Dc> found = state_->find(dc);
        if (!found) return noObject;
        monochrome = state_->monochrome(*found);  // a memory DC's bitmap format: a fresh one's is monochrome
        // A surface DC's own format: an off-screen picture with alpha copies onto it with its alpha.
        if (!found->state.memory) format = cairo_image_surface_get_format(found->surface->image);
    }
    if (width == 0 || height == 0) return state_->addBitmap(State::monochromeBitmap(1, 1));
    if (!usableSize(width, height)) return noObject;
    if (monochrome) return state_->addBitmap(State::monochromeBitmap(width, height));
    return state_->addBitmap(Bitmap{CairoSurfacePtr(cairo_image_surface_create(format, width, height))});
}

GdiObject CairoGdi::createMonochromeBitmap(int width, int height) {
    if (width == 0 || height == 0) return state_->addBitmap(State::monochromeBitmap(1, 1));
    if (!usableSize(width, height)) return noObject;
    return state_->addBitmap(State::monochromeBitmap(width, height));
}

GdiObject CairoGdi::getStockObject(StockObject which) {
    return which == StockObject::blackPen ? state_->blackPen : state_->systemFont;
}

bool CairoGdi::deleteObject(GdiObject object) {
    Object* found = state_->find(object);
    if (!found) return false;
    if (found->stock) return true;  // stock objects live on, and deleting one does no harm
    if (state_->dcs.selectedAnywhere(object)) return false;
    state_->objects.erase(raw(object));
    return true;
}

DcHandle CairoGdi::createCompatibleDC(DcHandle dc) {
    if (dc != noDc && state_->dcs.find(dc) == nullptr) return noDc;
    const DcHandle handle = state_->nextHandle<DcHandle>();
    state_->dcs.openMemoryDc(handle);
    return handle;
}

bool CairoGdi::deleteDC(DcHandle dc) {
    state_->surfaces.erase(raw(dc));
    return state_->dcs.close(dc);
}

GdiObject CairoGdi::selectObject(DcHandle dc, GdiObject object) {
    Object* selected = state_->find(object);
    if (selected == nullptr) return noObject;
    return state_->dcs.select(dc, object, selected->kind).previous;
}

Colour CairoGdi::setBkColor(DcHandle dc, Colour colour) {
    DcState* found = state_->dcs.find(dc);
    if (found == nullptr) return 0xFFFFFFFFu;  // CLR_INVALID
    return std::exchange(found->bkColor, colour & 0xFFFFFFu);
}

void CairoGdi::extTextOutOpaque(DcHandle dc, const Rect& rect) {
    const std::optional<Dc> found = state_->find(dc);
    if (!found) return;
    cairo_surface_t* surface = state_->surfaceOf(*found);
    if (surface == nullptr) return;
    const PixelBounds bounds = boundsOf(surface);
    // Given right to left or bottom up, the rectangle is the same one.
    const int left = std::clamp(std::min(rect.left, rect.right), 0, bounds.width);
    const int right = std::clamp(std::max(rect.left, rect.right), 0, bounds.width);
    const int top = std::clamp(std::min(rect.top, rect.bottom), 0, bounds.height);
    const int bottom = std::clamp(std::max(rect.top, rect.bottom), 0, bounds.height);
    if (left >= right || top >= bottom) return;
    CairoPtr cr = clipped(*found, shapeContext(surface));
    state_->useColour(cr.get(), *found, found->state.bkColor);
    cairo_rectangle(cr.get(), left, top, right - left, bottom - top);
    cairo_fill(cr.get());
}

void CairoGdi::setBkModeTransparent(DcHandle dc) {
    if (DcState* found = state_->dcs.find(dc)) found->transparent = true;
}

void CairoGdi::setBkModeOpaque(DcHandle dc) {
    if (DcState* found = state_->dcs.find(dc)) found->transparent = false;
}

Colour CairoGdi::setTextColor(DcHandle dc, Colour colour) {
    DcState* found = state_->dcs.find(dc);
    if (found == nullptr) return 0xFFFFFFFFu;  // CLR_INVALID
    return std::exchange(found->textColor, colour & 0xFFFFFFu);
}

void CairoGdi::textOut(DcHandle dc, int x, int y, std::string_view text) {
    const std::optional<Dc> found = state_->find(dc);
    if (!found || !withinShapeReach({x, y})) return;
    cairo_surface_t* surface = state_->surfaceOf(*found);
    if (surface == nullptr) return;
    const State::KeptLayout& kept = state_->layoutFor(*found, text);
    CairoPtr cr = clipped(*found, CairoPtr(cairo_create(surface)));
    if (!found->state.transparent) {
        const PangoRectangle& cell = kept.cell;
        state_->useColour(cr.get(), *found, found->state.bkColor);
        cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
        cairo_rectangle(cr.get(), x, y, cell.width, cell.height);
        cairo_fill(cr.get());
    }
    state_->useColour(cr.get(), *found, found->state.textColor);
    cairo_move_to(cr.get(), x, y);
    pango_cairo_show_layout(cr.get(), kept.layout.get());
}

TextExtent CairoGdi::getTextExtent(DcHandle dc, std::string_view text) {
    const std::optional<Dc> found = state_->find(dc);
    if (!found) return {};
    const PangoRectangle& cell = state_->layoutFor(*found, text).cell;
    return TextExtent{cell.width, cell.height};
}

void CairoGdi::moveTo(DcHandle dc, int x, int y) {
    if (DcState* found = state_->dcs.find(dc)) found->position = {x, y};
}

void CairoGdi::lineTo(DcHandle dc, int x, int y) {
    const std::optional<Dc> found = state_->find(dc);
    if (!found) return;
    const Point from = std::exchange(found->state.position, Point{x, y});
    cairo_surface_t* surface = state_->surfaceOf(*found);
    if (surface == nullptr) return;
    const Pen pen = state_->penOf(*found);
    const PixelBounds bounds = boundsOf(surface);
    if (pen.width <= 1) {
        const std::vector<Point> pixels = linePixels(from, {x, y}, bounds);
        state_->setPenPixels(*found, surface, pen, pixels);
        return;
    }
    // A wide pen's line has round ends at both points; only the part near the bitmap goes to Cairo.
    CurvePoint start{static_cast<double>(from.x), static_cast<double>(from.y)};
    CurvePoint end{static_cast<double>(x), static_cast<double>(y)};
    const double margin = pen.width;
    if (!clipSegment(start, end, {-margin, -margin}, {bounds.width + margin, bounds.height + margin})) return;
    CairoPtr cr = clipped(*found, shapeContext(surface));
    tracePolyline(cr.get(), {start, end});
    state_->useColour(cr.get(), *found, pen.colour);
    strokeWide(cr.get(), pen.width, Joins::round);
}

void CairoGdi::ellipse(DcHandle dc, int left, int top, int right, int bottom) {
    const std::optional<Dc> found = state_->find(dc);
    if (!found || !withinShapeReach({left, top, right, bottom})) return;
    cairo_surface_t* surface = state_->surfaceOf(*found);
    if (surface == nullptr) return;
    const GdiEllipse shape = ellipseInBox(left, top, right, bottom);
    {
        // The device context's brush is the stock white brush, which nothing changes.
        CairoPtr cr = clipped(*found, shapeContext(surface));
        traceEllipse(cr.get(), shape, wholeEllipse());
        cairo_close_path(cr.get());
        state_->useColour(cr.get(), *found, white);
        cairo_fill(cr.get());
    }
    state_->strokeCurve(*found, shape, wholeEllipse());
}

void CairoGdi::arc(DcHandle dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    const std::optional<Dc> found = state_->find(dc);
    if (!found || !withinShapeReach({left, top, right, bottom, xStart, yStart, xEnd, yEnd})) return;
    const GdiEllipse shape = ellipseInBox(left, top, right, bottom);
    state_->strokeCurve(*found, shape, arcSweep(shape, xStart, yStart, xEnd, yEnd));
}

void CairoGdi::stretchBlt(DcHandle dst, int x, int y, int width, int height, DcHandle src, int xSrc, int ySrc,
                          int widthSrc, int heightSrc) {
    const std::optional<Dc> to = state_->find(dst);
    const std::optional<Dc> from = state_->find(src);
    if (!to || !from || width == 0 || height == 0 || widthSrc == 0 || heightSrc == 0) return;
    if (!withinShapeReach({x, y, width, height, xSrc, ySrc, widthSrc, heightSrc})) return;
    cairo_surface_t* target = state_->surfaceOf(*to);
    cairo_surface_t* source = state_->surfaceOf(*from);
    if (target == nullptr || source == nullptr) return;
    // A source of the other format is converted first, and one on the target
    // itself copied, so the copy never reads what it writes.
    CairoSurfacePtr copy;
    const bool fromMonochrome = state_->monochrome(*from);
    const bool toMonochrome = state_->monochrome(*to);
    if (fromMonochrome && !toMonochrome) {
        copy = convertedCopy(source, PixelConversion::toColour, to->state.textColor, to->state.bkColor);
    } else if (!fromMonochrome && toMonochrome) {
        copy = convertedCopy(source, PixelConversion::toMonochrome, black, from->state.bkColor);
    } else if (source == target) {
        copy = convertedCopy(source, PixelConversion::none, black, white);
    }
    if (copy) source = copy.get();
    const PixelBounds sourceBounds = boundsOf(source);
    CairoPtr cr = clipped(*to, CairoPtr(cairo_create(target)));
    cairo_translate(cr.get(), x, y);
    cairo_scale(cr.get(), static_cast<double>(width) / widthSrc, static_cast<double>(height) / heightSrc);
    cairo_translate(cr.get(), -xSrc, -ySrc);
    cairo_rectangle(cr.get(), 0, 0, sourceBounds.width, sourceBounds.height);
    cairo_clip(cr.get());
    cairo_set_source_surface(cr.get(), source, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_NEAREST);
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(cr.get(), xSrc, ySrc, widthSrc, heightSrc);
    cairo_fill(cr.get());
}

void CairoGdi::yieldTimeSlice() {
    std::this_thread::yield();
}

}  // namespace quorvenda
