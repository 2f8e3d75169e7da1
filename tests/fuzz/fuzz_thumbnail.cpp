// Feeds arbitrary bytes to what a thumbnail is made of: a file plays exactly when the
// reader reads it whole with 1..50 frames, its records lie where the layout puts them,
// and the size, for sides taken from the first bytes, fits the box in whole pixels.
#include "formats/thumbnail.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

using namespace glimmer::formats;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::int16_t count = 0;
    CompiledReadEvents events;
    events.onFrameCount = [&](std::int16_t frames) { count = frames; };
    std::istringstream in(bytes);
    const bool whole = readCompiled(in, events) == CompiledReadOutcome::Complete;
    const auto records = playableRecords(bytes);
    FUZZ_CHECK(records.has_value() == (whole && count >= 1 && count <= kMaxFrames));
    // The records one after the other from the end of the header, all of one length.
    for (std::size_t i = 0; records && i < records->size(); ++i)
        FUZZ_CHECK((*records)[i] ==
                   std::string_view(bytes).substr(kCompiledHeaderSize + i * records->front().size(),
                                                  records->front().size()));

    if (size < 12)
        return 0;
    int side[3];
    for (int n = 0; n < 3; ++n)
        side[n] = static_cast<int>(std::uint32_t{data[4 * n]} << 24 | data[4 * n + 1] << 16 |
                                   data[4 * n + 2] << 8 | data[4 * n + 3]);
    const auto [width, height, asked] = side;
    const auto got = thumbnailSize(width, height, asked);
    FUZZ_CHECK(got.has_value() == (width >= 1 && height >= 1 && asked >= 1));
    if (!got)
        return 0;
    const int box = asked < kLargestThumbnail ? asked : kLargestThumbnail;
    FUZZ_CHECK(got->width >= 1 && got->height >= 1 && got->width <= box && got->height <= box);
    if (got->factor == 0) { // reduced: the frame did not fit, its longer side fills the box
        FUZZ_CHECK((width > box || height > box) && (got->width == box || got->height == box));
        return 0;
    }
    FUZZ_CHECK(got->width == width * got->factor && got->height == height * got->factor);
    FUZZ_CHECK(width * (got->factor + 1) > box || height * (got->factor + 1) > box);
    return 0;
}
