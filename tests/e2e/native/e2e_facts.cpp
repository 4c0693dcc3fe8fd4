// e2e-facts: prints what the end-to-end tests look for of the program, as
// bash assignments for the harness to evaluate, taken from the program's own
// constants so that the tests keep no copy of them: where the main window
// opens and the title it opens with, the background, slot and footer colours
// as a screenshot shows them, and the pens of the month and day hands as
// quorvenda-trace names them.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "app/main_window_creation.h"
#include "core/palette.h"
#include "render/drawing_kit.h"
#include "render/recording_gdi.h"
#include "render/shadowed_text.h"
#include "core/utf8_from_shift_jis.h"

namespace quorvenda {
namespace {

// In single quotes, so the shell takes any text as it is.
std::string shellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + '\'';
}

// rrggbb: red first, as a pixel of a screenshot reads, where a COLORREF has it last.
std::string screenColour(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", colour & 0xFFu, (colour >> 8) & 0xFFu, (colour >> 16) & 0xFFu);
    return text;
}

std::string penWords(const RecordingGdi& gdi, const CPen& pen) {
    return tracePenWords(*gdi.objectInfo(pen.GetSafeHandle()));
}

// 125 %, 150 % and 200 %, the display scales of most laptops and monitors.
constexpr int scaledTestDpis[] = {120, 144, 192};

void printFacts(std::ostream& out) {
    const WindowPlacement& at = mainWindowPlacement;
    out << "E2E_CREATION_TITLE=" << shellQuoted(utf8FromShiftJis(creationTitle)) << '\n';
    out << "E2E_WINDOW_GEOMETRY='" << at.x << ' ' << at.y << ' ' << at.width << ' ' << at.height << "'\n";
    out << "E2E_BACKGROUND_COLOUR=" << screenColour(backgroundColour) << '\n';
    out << "E2E_SLOT_COLOURS=(";
    const char* separator = "";
    for (Colour colour : slotColours) {
        out << separator << screenColour(colour);
        separator = " ";
    }
    out << ")\n";
    out << "E2E_FOOTER_COLOUR=" << screenColour(footerColour) << '\n';
    RecordingGdi gdi;
    const DrawingKit kit(gdi, black, designDpi);
    out << "E2E_MONTH_HAND_PEN=" << shellQuoted(penWords(gdi, kit.monthHandPen)) << '\n';
    out << "E2E_DAY_HAND_PEN=" << shellQuoted(penWords(gdi, kit.dayHandPen)) << '\n';
    // The same at the display scales the tests run at, keyed by DPI.
    out << "declare -gA E2E_WINDOW_GEOMETRY_AT E2E_MONTH_HAND_PEN_AT E2E_DAY_HAND_PEN_AT E2E_SHADOW_AT\n";
    for (int dpi : scaledTestDpis) {
        const WindowPlacement scaled = mainWindowPlacementAt(dpi);
        const DrawingKit scaledKit(gdi, black, dpi);
        out << "E2E_WINDOW_GEOMETRY_AT[" << dpi << "]='" << scaled.x << ' ' << scaled.y << ' ' << scaled.width << ' '
            << scaled.height << "'\n";
        out << "E2E_MONTH_HAND_PEN_AT[" << dpi << "]=" << shellQuoted(penWords(gdi, scaledKit.monthHandPen)) << '\n';
        out << "E2E_DAY_HAND_PEN_AT[" << dpi << "]=" << shellQuoted(penWords(gdi, scaledKit.dayHandPen)) << '\n';
        out << "E2E_SHADOW_AT[" << dpi << "]=" << scaledToDpi(shadowDistance, dpi) << '\n';
    }
}

}  // namespace
}  // namespace quorvenda

int main() {
    quorvenda::printFacts(std::cout);
    return std::cout.flush() ? 0 : 1;
}
