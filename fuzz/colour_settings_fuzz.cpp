// An arbitrary colour settings file and everything derived from it.
#include "core/colour_settings.h"
#include "fuzz_folder.h"

using namespace quorvenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::writeFile(colourSettingsFileName, data, size);
    const ColourSettings s = readColourSettings(fuzzing::scratchFolder());
    if (handColour(s) > 0xFFFFFF) __builtin_trap();
    if ((windowAlpha(s) & 1) == 0) __builtin_trap();  // always odd, never invisible
    const auto flags = layeredWindowFlags(s);
    if (flags != 2 && flags != 3) __builtin_trap();
    return 0;
}
