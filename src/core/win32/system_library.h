#pragma once
// Finds a function of a System32 DLL, loading the DLL on first use. The file
// dialog and the shell are needed only after a right-click, and shcore only
// where user32 has no per-window DPI; loading them then, not at start-up,
// keeps the clock's start-up time and idle memory down. Only System32 is
// searched, never the data folder.
#include <windows.h>

namespace quorvenda {

template <typename Function>
Function systemLibraryFunction(const char* dllName, const char* functionName) {
    HMODULE module = LoadLibraryExA(dllName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) return nullptr;
    // Through void (*)(), the one function type any other converts to without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, functionName)));
}

}  // namespace quorvenda
