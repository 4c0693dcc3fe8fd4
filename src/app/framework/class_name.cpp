#include "app/framework/class_name.h"

#include <cinttypes>
#include <cstdio>

namespace quorvenda::framework {

std::string windowClassName(std::uintptr_t instance, unsigned classStyle, std::uintptr_t cursor,
                            std::uintptr_t background, std::uintptr_t icon) {
    // Five 64-bit values in hex stay far below the 256-character limit of a class name.
    char name[128];
    std::snprintf(name, sizeof name, "Quorvenda:%" PRIxPTR ":%x:%" PRIxPTR ":%" PRIxPTR ":%" PRIxPTR, instance,
                  classStyle, cursor, background, icon);
    return name;
}

}  // namespace quorvenda::framework
