#pragma once
// Window class names derived from the class's defining values, so that equal
// requests share one registered class and different ones never collide.
#include <cstdint>
#include <string>

namespace quorvenda::framework {

// Handles are passed as their integer values.
std::string windowClassName(std::uintptr_t instance, unsigned classStyle, std::uintptr_t cursor,
                            std::uintptr_t background, std::uintptr_t icon);

}  // namespace quorvenda::framework
