// Arbitrary bytes through the line reader, every line through numberValue.
// The first byte picks the chunk size (1 to 256), so that byte-order marks,
// characters and line ends fall across chunk boundaries and a BOM-less text
// is read past its first chunk to tell UTF-8 from Shift-JIS.
#include <string>

#include "core/line_reader.h"
#include "core/number_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t chunkSize = std::size_t{data[0]} + 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    quorvenda::LineReader reader = quorvenda::lineReaderOver(bytes, chunkSize);
    quorvenda::LineReader wholeChunks = quorvenda::lineReaderOver(bytes);
    std::size_t total = 0;
    for (int i = 0; i < 64; ++i) {
        const std::string line = reader.nextLine();
        if (line != wholeChunks.nextLine()) __builtin_trap();  // chunk boundaries change nothing
        total += line.size();
        (void)quorvenda::numberValue(line);
    }
    if (total > bytes.size()) __builtin_trap();  // lines can only lose bytes, never gain them
    return 0;
}
