// The options list's title reader: 12 bytes at offset 14, or nothing when
// the file is shorter than its header.
#include "formats/compiled_file.h"
#include "formats/number_field.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glimmer::formats;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    const auto title = readCompiledTitle(in);
    FUZZ_CHECK(title.has_value() == (size >= kCompiledHeaderSize));
    if (title) {
        const auto field =
            std::string_view(bytes).substr(kCompiledTitleOffset, kCompiledTitleWidth);
        FUZZ_CHECK(*title == trimRight(field));
        in.clear();
        FUZZ_CHECK(static_cast<std::size_t>(in.tellg()) == kCompiledHeaderSize);
    }
    return 0;
}
