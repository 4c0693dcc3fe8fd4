#include "tools/trace_arguments.h"

#include <string_view>

namespace quorvenda {

namespace {

// Exactly `digits` ASCII digits from `pos`, within [low, high].
std::optional<int> fixedNumber(std::string_view text, std::size_t pos, std::size_t digits, int low, int high) {
    if (pos + digits > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = pos; i < pos + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::optional<LocalTime> parseLocalTime(std::string_view text) {
    // YYYY-MM-DDTHH:MM:SS
    constexpr std::string_view shape = "0000-00-00T00:00:00";
    if (text.size() != shape.size()) return std::nullopt;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] != '0' && text[i] != shape[i]) return std::nullopt;
    }
    const auto year = fixedNumber(text, 0, 4, 1, 9999);
    const auto month = fixedNumber(text, 5, 2, 1, 12);
    if (!year || !month) return std::nullopt;
    const auto day = fixedNumber(text, 8, 2, 1, daysInMonthOf(*month, isLeapYear(*year)));
    const auto hour = fixedNumber(text, 11, 2, 0, 23);
    const auto minute = fixedNumber(text, 14, 2, 0, 59);
    const auto second = fixedNumber(text, 17, 2, 0, 59);
    if (!day || !hour || !minute || !second) return std::nullopt;
    return LocalTime{*year, *month, *day, *hour, *minute, *second, weekdayOf(*year, *month, *day)};
}

// One to five digits, within [low, high].
std::optional<int> parsePixels(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    return fixedNumber(text, 0, text.size(), low, high);
}

}  // namespace

std::optional<TraceArguments> parseTraceArguments(const std::vector<std::string>& args) {
    TraceArguments result;
    bool haveAt = false, haveClient = false, haveDir = false;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return std::nullopt;
        const std::string_view option = args[i];
        const std::string_view value = args[i + 1];
        if (option == "--at" && !haveAt) {
            const auto at = parseLocalTime(value);
            if (!at) return std::nullopt;
            result.at = *at;
            haveAt = true;
        } else if (option == "--client" && !haveClient) {
            const auto x = value.find('x');
            if (x == std::string_view::npos) return std::nullopt;
            const auto width = parsePixels(value.substr(0, x), 0, largestClientSide);
            const auto height = parsePixels(value.substr(x + 1), 0, largestClientSide);
            if (!width || !height) return std::nullopt;
            result.clientWidth = *width;
            result.clientHeight = *height;
            haveClient = true;
        } else if (option == "--dir" && !haveDir && !value.empty()) {
            result.directory = value;
            haveDir = true;
        } else if (option == "--text-height" && !result.textHeight) {
            result.textHeight = parsePixels(value, 1, largestTextHeight);
            if (!result.textHeight) return std::nullopt;
        } else if (option == "--dpi" && !result.dpi) {
            result.dpi = parsePixels(value, lowestDpi, highestDpi);
            if (!result.dpi) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!haveAt || !haveClient) return std::nullopt;
    return result;
}

}  // namespace quorvenda
