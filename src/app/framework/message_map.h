#pragma once
// The message map of a window class: a static table of (message, handler)
// pairs per class, chained to the base class's table. Plain C++ so that the
// lookup can be tested without the window system.
#include <cstdint>
#include <span>

namespace quorvenda::framework {

template <class Handler>
struct MessageMapEntry {
    unsigned message;
    Handler handler;
};

template <class Handler>
struct MessageMap {
    const MessageMap* base;
    std::span<const MessageMapEntry<Handler>> entries;
};

// The handler of the most derived map that lists the message, or null when no
// map in the chain does (the message then gets the default handling).
template <class Handler>
const Handler* findHandler(const MessageMap<Handler>* map, unsigned message) {
    for (; map != nullptr; map = map->base) {
        for (const auto& entry : map->entries) {
            if (entry.message == message) return &entry.handler;
        }
    }
    return nullptr;
}

// A point packed into a message's LPARAM (a mouse message's cursor position):
// x in the low 16 bits, y in the next 16, each signed, since a point left of
// or above the window's origin (a second monitor) is negative.
struct MessagePoint {
    int x = 0;
    int y = 0;
};

constexpr MessagePoint pointFromLParam(std::intptr_t lParam) {
    const auto bits = static_cast<std::uintptr_t>(lParam);
    return {static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>((bits >> 16) & 0xFFFF)};
}

// One window message as the window procedure received it.
struct WindowMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// Makes `message` the current one for the duration of a handler and puts the
// previous one back afterwards: a handler that runs a nested message loop (a
// message box) must still see its own message when it calls the default handling.
class CurrentMessageScope {
public:
    CurrentMessageScope(WindowMessage& current, const WindowMessage& message) : current_(current), saved_(current) {
        current_ = message;
    }
    ~CurrentMessageScope() { current_ = saved_; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

private:
    WindowMessage& current_;
    WindowMessage saved_;
};

}  // namespace quorvenda::framework
