#pragma once
// The font the clock's texts are measured and drawn in during one repaint.
// Windows makes the stock system font once, for the system DPI. Where the
// window is at that DPI and the ANSI code page is 932, the system font draws
// Japanese at the right size: no font is made, and both device contexts keep
// the system font, exactly as always. Elsewhere the system font usually has
// no Japanese glyphs (a Western Windows draws boxes): a font of the system
// font's own description (height, weight, pitch) with the Shift-JIS character
// set and no face name lets the font mapper choose a Japanese face of the
// same size. On a monitor whose DPI is not the system's, under any code page,
// the font is a TrueType Japanese face of the system font's height scaled from
// the one DPI to the other: the system font's own face is a bitmap font that
// comes out only at whole multiples of its size.
// With hard edges (the window keys its white background out) every text font
// asks for output without antialiasing; where the system font itself would
// do, the font is the system font's whole description with only that quality
// changed, so that the glyphs are the same apart from their smoothing.
#include <windows.h>

#include <optional>

#include "render/gdi_objects.h"

namespace quorvenda {

// The font's description, for a repaint to make: none at the system DPI under
// code page 932 with smooth edges, or if the system font cannot be read: the
// texts then stay in the system font.
std::optional<FontSpec> textFontSpec(int windowDpi, int systemDpi, TextEdges edges, UINT ansiCodePage = GetACP());

// That font, made through `gdi`, which deletes it; no font where the description is none.
CGdiObject makeTextFont(GdiApi& gdi, int windowDpi, int systemDpi, TextEdges edges, UINT ansiCodePage = GetACP());

}  // namespace quorvenda
