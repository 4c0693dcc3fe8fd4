#include "core/local_clock.h"

namespace quorvenda {

std::tm localBrokenDownTime(std::time_t time) {
    std::tm tm{};
    localtime_s(&tm, &time);
    return tm;
}

}  // namespace quorvenda
