#pragma once
// Opening the two data files: read-only, and on Windows sharing read, write
// and delete, so that an editor holding or saving the file meanwhile is never
// refused and never keeps the clock from reading it.
#include <optional>
#include <string>
#include <vector>

namespace quorvenda {

// Where the data files are looked up: empty means the process's current directory.
struct DataFolder {
    std::string directory;

    std::string pathOf(const char* fileName) const;
};

inline constexpr const char* eventListFileName = "quorvendadata1.txt";
inline constexpr const char* colourSettingsFileName = "quorvendacolor.ini";

// The first `count` lines of the file (missing lines empty), or nothing when it
// cannot be opened: missing, held by a program that denies all sharing, a
// directory.
// A read error part-way makes the remaining lines read as missing. A file
// saved as UTF-8 or UTF-16 gives its lines converted to Shift-JIS.
std::optional<std::vector<std::string>> readFirstLines(const std::string& path, int count);

}  // namespace quorvenda
