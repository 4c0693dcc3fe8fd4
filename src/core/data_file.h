#pragma once
// Opening the two data files: read-only, and on Windows without sharing, so
// that no other program can open the file while it is being read.
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
// cannot be opened: missing, held open by another program, a directory.
// A read error part-way makes the remaining lines read as missing. A file
// saved as UTF-8 or UTF-16 gives its lines converted to Shift-JIS.
std::optional<std::vector<std::string>> readFirstLines(const std::string& path, int count);

}  // namespace quorvenda
