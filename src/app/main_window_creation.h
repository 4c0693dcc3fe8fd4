#pragma once
// Where the main window opens and the title it is created with. Portable, so
// that the windows standing in for the clock (the measuring baselines, the
// end-to-end tests' minimal window) open where it does, and the end-to-end
// tests take what they look for from here (tests/e2e/native/e2e_facts.cpp).

namespace quorvenda {

// The outer rectangle, frame included, in screen coordinates. Every start
// uses it: nothing of an earlier run's position or size is kept.
struct WindowPlacement {
    int x;
    int y;
    int width;
    int height;
};

inline constexpr WindowPlacement mainWindowPlacement{150, 100, 300, 440};

// Says that the title bar is rewritten every ten minutes; it stands until the first rewrite.
inline constexpr const char* creationTitle = "Quorvenda １０分毎にタイトルバーを書き直しています";

}  // namespace quorvenda
