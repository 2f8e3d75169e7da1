// Feeds arbitrary bytes to what the thumbnail is made from: the records of a file the
// player plays must be exactly those the reader hands over, and the thumbnail's size,
// for sides taken from the first bytes, must fit the size asked for and keep whole
// pixels where it enlarges.
#include "formats/thumbnail.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace glimmer::formats;

void checkRecords(const std::string& bytes)
{
    std::vector<std::string> handedOver;
    int count = 0;
    CompiledReadEvents events;
    events.onFrameCount = [&](std::int16_t frames) { count = frames; };
    events.onFrame = [&](int, std::string_view record) {
        handedOver.emplace_back(record);
        return handedOver.size() <= static_cast<std::size_t>(kMaxFrames);
    };
    std::istringstream in(bytes);
    const bool plays = readCompiled(in, events) == CompiledReadOutcome::Complete && count >= 1;

    const auto records = playableRecords(bytes);
    FUZZ_CHECK(records.has_value() == plays);
    if (!records)
        return;
    FUZZ_CHECK(records->size() == handedOver.size());
    for (std::size_t i = 0; i < records->size(); ++i)
        FUZZ_CHECK((*records)[i] == handedOver[i]);
}

void checkSize(int width, int height, int size)
{
    const auto got = thumbnailSize(width, height, size);
    FUZZ_CHECK(got.has_value() == (width >= 1 && height >= 1 && size >= 1));
    if (!got)
        return;
    const int box = size < kLargestThumbnail ? size : kLargestThumbnail;
    FUZZ_CHECK(got->width >= 1 && got->height >= 1 && got->width <= box && got->height <= box);
    if (got->factor == 0) {
        FUZZ_CHECK(width > box || height > box);
        FUZZ_CHECK(got->width == box || got->height == box);
        return;
    }
    FUZZ_CHECK(got->width == width * got->factor && got->height == height * got->factor);
    // The largest whole factor: one more would not fit.
    FUZZ_CHECK(width * (got->factor + 1) > box || height * (got->factor + 1) > box);
}

int number(const std::uint8_t* data)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | data[i];
    return static_cast<int>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkRecords(std::string(reinterpret_cast<const char*>(data), size));
    if (size >= 12)
        checkSize(number(data), number(data + 4), number(data + 8));
    return 0;
}
