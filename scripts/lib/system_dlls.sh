# shellcheck shell=bash
# The system DLLs that quorvenda.exe may import, and how to read the imports
# of a program file: for the end-to-end hardening test and the size
# measurement. Sourced.

# What the program needs from its first instant, each one part of Windows
# itself, so that no DLL of the same name can be planted beside it. The file
# dialog (comdlg32.dll) and the shell (shell32.dll) are loaded from System32
# at the first right-click: imported, they would be loaded at every start.
SYSTEM_DLLS='gdi32.dll kernel32.dll msvcrt.dll user32.dll'

# imported_dlls EXE: the DLLs that EXE's import table names, in lower case,
# one a line, in table order.
imported_dlls() { x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print tolower($3) }'; }

# may_import DLL: whether DLL (in lower case) is one the program may import.
may_import() { [[ " $SYSTEM_DLLS " == *" $1 "* ]]; }
