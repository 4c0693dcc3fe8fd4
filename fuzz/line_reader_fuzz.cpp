// Arbitrary bytes through the line reader, every line through numberValue.
#include <string>

#include "core/line_reader.h"
#include "core/number_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    quorvenda::LineReader reader = quorvenda::lineReaderOver(bytes);
    std::size_t total = 0;
    for (int i = 0; i < 64; ++i) {
        const std::string line = reader.nextLine();
        total += line.size();
        (void)quorvenda::numberValue(line);
    }
    if (total > size) __builtin_trap();  // lines can only lose bytes, never gain them
    return 0;
}
