#pragma once
// Opening a data file on Windows so that it never stands in another
// program's way: the user's spreadsheet or editor may hold it open, write it
// in place or rename a new copy over it while the clock reads it.
#include <string>

namespace quorvenda {

// A read-only C runtime descriptor (binary mode) for the file at the
// Shift-JIS path, opened sharing read, write and delete with everyone; -1
// when it cannot be opened (missing, a folder, or held by a program that
// denies all sharing). The caller closes it with _close.
int openSharedForReading(const std::string& shiftJisPath);

}  // namespace quorvenda
