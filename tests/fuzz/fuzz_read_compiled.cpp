// Feeds arbitrary bytes to the .gx reader and checks what it reports against
// the layout: records come in order, each exactly L bytes, and the reader
// stops right after the last record.
#include "formats/compiled_file.h"
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

    int fired = 0;
    int iconSize = -1;
    int frameCount = -1;
    int lastFrame = 0;
    bool titleSeen = false;
    CompiledReadEvents events;
    events.onIconSize = [&](std::int16_t v) {
        FUZZ_CHECK(fired++ == 0);
        iconSize = v;
    };
    events.onSpeed = [&](std::int16_t) { FUZZ_CHECK(fired++ == 1); };
    events.onFrameCount = [&](std::int16_t v) {
        FUZZ_CHECK(fired++ == 2);
        frameCount = v;
    };
    events.onTitle = [&](std::string title) {
        FUZZ_CHECK(fired++ == 3);
        FUZZ_CHECK(title.size() <= kCompiledTitleWidth);
        FUZZ_CHECK(title.empty() || title.back() != ' ');
        FUZZ_CHECK(bytes.compare(kCompiledTitleOffset, title.size(), title) == 0);
        titleSeen = true;
    };
    events.onFrame = [&](int index, std::string_view record) {
        FUZZ_CHECK(titleSeen && index == lastFrame + 1 && index <= frameCount);
        FUZZ_CHECK(static_cast<int>(record.size()) == iconSize);
        FUZZ_CHECK(
            bytes.compare(kCompiledHeaderSize + static_cast<std::size_t>(lastFrame) * record.size(),
                          record.size(), record) == 0);
        lastFrame = index;
        return index < 200; // the loader stops early too
    };

    const auto outcome = readCompiled(in, events);
    if (outcome == CompiledReadOutcome::Complete) {
        FUZZ_CHECK(titleSeen);
        const int records = frameCount > 0 ? frameCount : 0;
        FUZZ_CHECK(lastFrame == records);
        const auto used =
            kCompiledHeaderSize +
            static_cast<std::size_t>(records) * static_cast<std::size_t>(records ? iconSize : 0);
        in.clear();
        FUZZ_CHECK(static_cast<std::size_t>(in.tellg()) == used);
    }
    if (outcome == CompiledReadOutcome::OtherVersion) {
        FUZZ_CHECK(fired == 0 && size >= 5);
    }
    if (outcome == CompiledReadOutcome::StoppedByCaller) {
        FUZZ_CHECK(lastFrame == 200);
    }
    return 0;
}
