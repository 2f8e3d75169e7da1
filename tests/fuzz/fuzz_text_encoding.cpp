// Windows-1252 conversion and number fields on arbitrary bytes: every byte
// string survives the trip through UTF-8, and UTF-8 that converts comes back
// unchanged.
#include "formats/number_field.h"
#include "formats/text_encoding.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glimmer::formats;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const auto utf8 = windows1252ToUtf8(bytes);
    const auto back = utf8ToWindows1252(utf8);
    FUZZ_CHECK(back && *back == bytes);

    if (const auto converted = utf8ToWindows1252(bytes)) {
        FUZZ_CHECK(windows1252ToUtf8(*converted) == bytes);
    }

    if (const auto number = parseInt16(bytes)) {
        // A number reads back from its own decimal text.
        FUZZ_CHECK(parseInt16(std::to_string(*number)) == number);
    }
    return 0;
}
