#pragma once
// A scratch directory per test, removed afterwards, for reading real files.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/data_file.h"

namespace quorvenda::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorvenda-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    void write(const char* name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary | std::ios::trunc) << bytes;
    }
    void remove(const char* name) const { std::filesystem::remove_all(path_ / name); }
    void makeDirectory(const char* name) const { std::filesystem::create_directory(path_ / name); }
    DataFolder folder() const { return DataFolder{path_.string()}; }

private:
    std::filesystem::path path_;
};

}  // namespace quorvenda::testing
