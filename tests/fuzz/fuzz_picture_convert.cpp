// The picture converter and the import helpers on arbitrary bytes. The first seven bytes set
// the picture's size, its line padding and a region; the rest are its pixels, as many as
// there happen to be. A frame holds only palette indexes and clear pixels; a small picture
// enlarged by a whole factor gives the same frame as the picture itself; the natural order
// is a total order.
#include "formats/animation_import.h"
#include "formats/icon_writer.h"
#include "formats/natural_order.h"
#include "formats/picture_convert.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

using namespace glimmer::formats;

namespace {

void checkFrame(const FramePixels& frame)
{
    for (const std::uint8_t p : frame)
        FUZZ_CHECK(p < 16 || p == kClearPixel);
    FUZZ_CHECK(encodeFrame(frame).size() == 318);
}

// The same picture with every pixel made a k x k block.
std::vector<std::uint8_t> enlarged(std::span<const std::uint8_t> pixels, int w, int h, int k)
{
    std::vector<std::uint8_t> out(static_cast<std::size_t>(w * h * k * k) * 4);
    for (int y = 0; y < h * k; ++y)
        for (int x = 0; x < w * k; ++x)
            for (int c = 0; c < 4; ++c)
                out[static_cast<std::size_t>((y * w * k + x) * 4 + c)] =
                    pixels[static_cast<std::size_t>((y / k * w + x / k) * 4 + c)];
    return out;
}

void checkOrder(std::string_view a, std::string_view b, std::string_view c)
{
    const std::strong_ordering ab = compareNatural(a, b);
    FUZZ_CHECK((ab == 0) == (a == b));
    FUZZ_CHECK(compareNatural(b, a) == (0 <=> ab));
    if (ab < 0 && compareNatural(b, c) < 0)
        FUZZ_CHECK(compareNatural(a, c) < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 7)
        return 0;
    const int w = 1 + data[0] % 48;
    const int h = 1 + data[1] % 48;
    const std::size_t line = static_cast<std::size_t>(w) * 4 + data[2] % 9;
    const std::span<const std::uint8_t> pixels(data + 7, size - 7);

    // The rest of the input as it is, possibly too short: refused, never over-read.
    const RgbaPicture picture{w, h, line, pixels};
    const PictureRegion region{data[3] % (w + 1), data[4] % (h + 1), data[5] % (w + 2),
                               data[6] % (h + 2)};
    const bool fits = region.width > 0 && region.height > 0 && region.x + region.width <= w &&
                      region.y + region.height <= h;
    const bool enough = pixels.size() >= line * static_cast<std::size_t>(h - 1) + w * 4u;
    const auto frame = convertToFrame(picture, region);
    FUZZ_CHECK(frame.has_value() == (fits && enough));
    if (frame)
        checkFrame(*frame);

    // A picture of up to 16x16 enlarged 2 to 4 times comes back as the picture itself.
    const int sw = 1 + data[0] % 16;
    const int sh = 1 + data[1] % 16;
    const int k = 2 + data[2] % 3;
    std::vector<std::uint8_t> small(static_cast<std::size_t>(sw * sh) * 4, 0);
    for (std::size_t i = 0; i < small.size() && i < pixels.size(); ++i)
        small[i] = pixels[i];
    const auto once = convertToFrame({sw, sh, static_cast<std::size_t>(sw) * 4, small});
    const std::vector<std::uint8_t> big = enlarged(small, sw, sh, k);
    const auto again = convertToFrame({sw * k, sh * k, static_cast<std::size_t>(sw * k) * 4, big});
    FUZZ_CHECK(once && again && *once == *again);

    // Helpers on the raw bytes.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkOrder(text.substr(0, size / 3), text.substr(size / 3, size / 3),
               text.substr(2 * size / 3));
    const auto frames = stillFrames(static_cast<int>(data[0] << 8 | data[1]), data[2]);
    FUZZ_CHECK(frames.size() <= static_cast<std::size_t>(kMaxPictureSide));
    for (const PictureRegion& r : frames)
        FUZZ_CHECK(r.x >= 0 && r.width > 0 && r.x + r.width <= (data[0] << 8 | data[1]));
    std::vector<int> delays;
    for (std::size_t i = 0; i + 4 <= pixels.size() && delays.size() < 64; i += 4)
        delays.push_back(static_cast<int>(static_cast<std::uint32_t>(pixels[i]) << 24 |
                                          pixels[i + 1] << 16 | pixels[i + 2] << 8 |
                                          pixels[i + 3]));
    const int step = speedStepForDelays(delays);
    FUZZ_CHECK(step >= 1 && step <= 10);
    return 0;
}
