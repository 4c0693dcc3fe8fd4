#include "perf/drive/drive_options.h"

#include <charconv>
#include <utility>

namespace quorvenda::drive {

namespace {

constexpr long maxCount = 1000L * 1000L * 1000L;

std::optional<long> countFrom(const std::string& text, long least) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || value < least || value > maxCount) return std::nullopt;
    return value;
}

}  // namespace

std::optional<DriveOptions> parseDriveOptions(const std::vector<std::string>& args, std::string& error) {
    struct CountOption {
        const char* name;
        long DriveOptions::*field;
        long least;
    };
    static const CountOption countOptions[] = {
        {"--paints", &DriveOptions::paints, 1},
        {"--soak", &DriveOptions::soakRepaints, 1},
        {"--warmup", &DriveOptions::warmupRepaints, 0},
    };
    DriveOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--first-paint") {
            options.measure = true;
            continue;
        }
        if (arg == "--repaint") {
            static const std::pair<const char*, RepaintKind> kinds[] = {
                {"forced", RepaintKind::forced}, {"tick", RepaintKind::tick}, {"whole", RepaintKind::whole}};
            const std::string kind = i + 1 < args.size() ? args[++i] : std::string();
            bool known = false;
            for (const auto& [name, value] : kinds) {
                if (kind == name) options.repaint = value, known = true;
            }
            if (!known) {
                error = "--repaint needs forced, tick or whole";
                return std::nullopt;
            }
            continue;
        }
        const CountOption* match = nullptr;
        for (const auto& option : countOptions)
            if (arg == option.name) match = &option;
        if (match == nullptr) {
            error = "unknown option " + arg;
            return std::nullopt;
        }
        const auto count = i + 1 < args.size() ? countFrom(args[i + 1], match->least) : std::nullopt;
        if (!count) {
            error = arg + " needs a count from " + std::to_string(match->least) + " to " + std::to_string(maxCount);
            return std::nullopt;
        }
        options.*(match->field) = *count;
        options.measure = true;
        ++i;
    }
    return options;
}

}  // namespace quorvenda::drive
