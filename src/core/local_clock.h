#pragma once
// The one call on the platform's C runtime that the calendar makes: a
// calendar time broken down into local time, by the rules the runtime takes
// from TZ and the system. Implemented in core/win32 (localtime_s) and
// core/posix (localtime_r), both safe to call again while one result is in use.
#include <ctime>

namespace quorvenda {

// All fields zero when the runtime cannot convert `time`.
std::tm localBrokenDownTime(std::time_t time);

}  // namespace quorvenda
