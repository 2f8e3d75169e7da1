// Feeds arbitrary bytes to the .rgx reader. Whatever it reads successfully,
// the writer must either refuse or write so that it reads back the same.
#include "formats/raw_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glimmer::formats;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = decodeRaw(bytes);
    FUZZ_CHECK(read.paths.size() <= 50);
    if (read.outcome != RawReadOutcome::Ok) {
        return 0;
    }
    FUZZ_CHECK(read.frameCount <= 50);
    FUZZ_CHECK(read.paths.size() ==
               static_cast<std::size_t>(read.frameCount > 0 ? read.frameCount : 0));

    const auto written =
        encodeRaw({read.title, std::to_string(read.speed), std::to_string(read.frameCount),
                   std::to_string(read.iconSize), read.paths});
    if (written.error != RawWriteError::None) {
        FUZZ_CHECK(written.bytes.empty());
        return 0;
    }
    const auto again = decodeRaw(written.bytes);
    FUZZ_CHECK(again.outcome == RawReadOutcome::Ok);
    FUZZ_CHECK(again.title == read.title);
    FUZZ_CHECK(again.speed == read.speed);
    FUZZ_CHECK(again.frameCount == read.frameCount);
    FUZZ_CHECK(again.iconSize == read.iconSize);
    FUZZ_CHECK(again.paths == read.paths);
    return 0;
}
