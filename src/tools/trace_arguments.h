#pragma once
// The command line of quorvenda-trace:
//   --at YYYY-MM-DDTHH:MM:SS --client WIDTHxHEIGHT [--dir DIRECTORY] [--text-height PIXELS] [--dpi DPI]
#include <optional>
#include <string>
#include <vector>

#include "core/calendar.h"
#include "core/dpi_scale.h"

namespace quorvenda {

struct TraceArguments {
    LocalTime at;  // weekday worked out from the date
    int clientWidth = 0;
    int clientHeight = 0;
    std::string directory;          // empty: current directory
    std::optional<int> textHeight;  // nothing: the recording surface's own
    std::optional<int> dpi;         // of the window drawn for; nothing: 96
};

inline constexpr int largestClientSide = 10000;
inline constexpr int largestTextHeight = 10000;

inline constexpr const char* traceUsage =
    "usage: quorvenda-trace --at YYYY-MM-DDTHH:MM:SS --client WIDTHxHEIGHT [--dir DIRECTORY]"
    " [--text-height PIXELS] [--dpi DPI]";

// Nothing when an argument is missing, repeated, unknown or malformed, or a value is out of range.
std::optional<TraceArguments> parseTraceArguments(const std::vector<std::string>& args);

}  // namespace quorvenda
