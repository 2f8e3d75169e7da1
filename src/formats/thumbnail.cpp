#include "formats/thumbnail.h"

#include <algorithm>
#include <sstream>
#include <string>

namespace glimmer::formats {

std::optional<std::vector<std::string_view>> playableRecords(std::string_view bytes)
{
    std::istringstream in{std::string(bytes)};
    int count = 0;
    std::size_t recordSize = 0;
    CompiledReadEvents events;
    events.onIconSize = [&](std::int16_t size) {
        recordSize = size > 0 ? static_cast<std::size_t>(size) : 0;
    };
    events.onFrameCount = [&](std::int16_t frames) { count = frames; };
    // More frames than slots end the reading at the first record: no need to read them.
    events.onFrame = [&](int, std::string_view) { return count <= kMaxFrames; };
    if (readCompiled(in, events) != CompiledReadOutcome::Complete || count < 1)
        return std::nullopt;

    std::vector<std::string_view> records;
    records.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        records.push_back(bytes.substr(
            kCompiledHeaderSize + static_cast<std::size_t>(i) * recordSize, recordSize));
    return records;
}

std::optional<ThumbnailSize> thumbnailSize(int frameWidth, int frameHeight, int size)
{
    if (frameWidth < 1 || frameHeight < 1 || size < 1)
        return std::nullopt;
    const int box = std::min(size, kLargestThumbnail);
    if (frameWidth <= box && frameHeight <= box) {
        const int factor = std::min(box / frameWidth, box / frameHeight);
        return ThumbnailSize{frameWidth * factor, frameHeight * factor, factor};
    }
    // The longer side takes the whole box, the shorter its share of it.
    const auto share = [box](int side, int longer) {
        return static_cast<int>(std::max<std::int64_t>(1, std::int64_t{side} * box / longer));
    };
    if (frameWidth >= frameHeight)
        return ThumbnailSize{box, share(frameHeight, frameWidth), 0};
    return ThumbnailSize{share(frameWidth, frameHeight), box, 0};
}

} // namespace glimmer::formats
