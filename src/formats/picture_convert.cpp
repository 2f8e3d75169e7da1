#include "formats/picture_convert.h"

#include "formats/icon_writer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>
#include <vector>

namespace glimmer::formats {
namespace {

constexpr unsigned kHalfAlpha = 128;

// The validated region of a picture; every offset it hands out lies inside `bytes`.
class Region final {
public:
    Region(const RgbaPicture& picture, const PictureRegion& r)
        : bytes_(picture.bytes), stride_(picture.bytesPerLine),
          origin_(static_cast<std::size_t>(r.y) * picture.bytesPerLine +
                  static_cast<std::size_t>(r.x) * 4u),
          width_(r.width), height_(r.height)
    {
    }

    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint8_t* pixel(int x, int y) const
    {
        return &bytes_[origin_ + static_cast<std::size_t>(y) * stride_ +
                       static_cast<std::size_t>(x) * 4u];
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t stride_;
    std::size_t origin_;
    int width_;
    int height_;
};

bool isClear(const std::uint8_t* p)
{
    return p[3] < kHalfAlpha;
}

// Pixels that end up the same in a frame whatever their neighbours: equal, or both clear.
bool alike(const std::uint8_t* p, const std::uint8_t* q)
{
    return std::memcmp(p, q, 4) == 0 || (isClear(p) && isClear(q));
}

bool rowsAlike(const Region& r, int y0, int y1)
{
    const auto bytes = static_cast<std::size_t>(r.width()) * 4u;
    if (std::memcmp(r.pixel(0, y0), r.pixel(0, y1), bytes) == 0)
        return true;
    for (int x = 0; x < r.width(); ++x)
        if (!alike(r.pixel(x, y0), r.pixel(x, y1)))
            return false;
    return true;
}

// The side of the largest uniform square blocks the region is made of, when the picture of
// one pixel a block fits in a frame; 0 otherwise. A block side must divide every position
// where a pixel differs from its left or upper neighbour (and the sides), so the side is
// the greatest common divisor of those positions; the scan stops once it is too small.
int blockSide(const Region& r)
{
    const int w = r.width();
    const int h = r.height();
    const int needed = (std::max(w, h) + kFrameSide - 1) / kFrameSide;
    int side = std::gcd(w, h);
    for (int y = 0; y < h && side >= needed; ++y) {
        for (int x = 0; x < w && side >= needed;) {
            // [x, x + side) is one block's share of this row.
            const std::uint8_t* first = r.pixel(x, y);
            const int end = x + side;
            int i = x + 1;
            while (i < end && alike(r.pixel(i, y), first))
                ++i;
            if (i < end)
                side = std::gcd(side, i);
            x = i;
        }
        if (y % side != 0 && !rowsAlike(r, y, y - 1))
            side = std::gcd(side, y);
    }
    return side >= needed ? side : 0;
}

std::uint8_t frameColour(unsigned red, unsigned green, unsigned blue, unsigned alpha)
{
    if (alpha < kHalfAlpha)
        return kClearPixel;
    return nearestStandardColour(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                                 static_cast<std::uint8_t>(blue));
}

// Where a frame's picture of `w` x `h` goes: centred, the odd pixel of a margin after it.
struct Placement {
    int left;
    int top;
};

Placement centred(int w, int h)
{
    return {(kFrameSide - w) / 2, (kFrameSide - h) / 2};
}

// Block pictures: one sample a block, each repeated `scale` times in both directions.
FramePixels enlargeBlocks(const Region& r, int side)
{
    const int scale = kFrameSide / (std::max(r.width(), r.height()) / side);
    const int w = r.width() / side * scale;
    const int h = r.height() / side * scale;
    const Placement at = centred(w, h);
    FramePixels frame;
    frame.fill(kClearPixel);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = r.pixel(x / scale * side, y / scale * side);
            frame[static_cast<std::size_t>((at.top + y) * kFrameSide + at.left + x)] =
                frameColour(p[0], p[1], p[2], p[3]);
        }
    }
    return frame;
}

// How source pixels fall on frame pixels along one axis. Measured in units of
// 1 / (source * frame) of the axis, source pixel i covers [i * frame, (i+1) * frame) and frame
// pixel j covers [j * source, (j+1) * source). Frame pixel j takes source pixels [begin, end)
// whole; when `split` is not 0, source pixel `end` straddles the border and gives `split`
// units to j and the rest of its `frame` units to j + 1.
struct Span {
    int begin;
    int end;
    unsigned split;
};

std::vector<Span> spans(int source, int frame)
{
    std::vector<Span> out(static_cast<std::size_t>(frame), Span{0, 0, 0});
    int begin = 0;
    for (int j = 0; j < frame; ++j) {
        const std::int64_t border = std::int64_t{j + 1} * source;
        const auto end = static_cast<int>(border / frame); // pixels before it end by the border
        const auto split = static_cast<unsigned>(border - std::int64_t{end} * frame);
        out[static_cast<std::size_t>(j)] = {begin, end, split};
        begin = split > 0 ? end + 1 : end;
    }
    return out;
}

// Adds pixel p, premultiplied and weighted, to the four sums at `into`.
void addWeighted(std::uint64_t* into, const std::uint8_t* p, unsigned weight)
{
    const unsigned a = p[3];
    into[0] += std::uint64_t{weight} * (p[0] * a);
    into[1] += std::uint64_t{weight} * (p[1] * a);
    into[2] += std::uint64_t{weight} * (p[2] * a);
    into[3] += std::uint64_t{weight} * a;
}

// Any other picture: an alpha-weighted box filter over the exact area of each frame pixel.
// Sums are exact integers: a frame pixel's weights add up to width * height units, at most
// 2^25, times 255 * 255 per channel, well inside 64 bits.
FramePixels averageArea(const Region& r)
{
    const int w = r.width();
    const int h = r.height();
    const int longer = std::max(w, h);
    const auto scaled = [longer](int length) {
        const std::int64_t rounded =
            (std::int64_t{length} * kFrameSide * 2 + longer) / (std::int64_t{longer} * 2);
        return std::max(1, static_cast<int>(rounded));
    };
    const int fw = scaled(w);
    const int fh = scaled(h);
    const std::vector<Span> across = spans(w, fw);
    const std::vector<Span> down = spans(h, fh);

    // One source row at a time: `row` gets the row's sums per frame column, which are then
    // added, weighted, to the one or two frame rows the source row falls on.
    std::vector<std::uint64_t> row(static_cast<std::size_t>(fw + 1) * 4u);
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(fw * (fh + 1)) * 4u, 0);
    int frameRow = 0;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* line = r.pixel(0, y);
        std::fill(row.begin(), row.end(), 0);
        for (int j = 0; j < fw; ++j) {
            const Span& s = across[static_cast<std::size_t>(j)];
            // Whole pixels, at most 16384 of them: 255 * 255 each stays within 32 bits.
            std::uint32_t whole[4] = {0, 0, 0, 0};
            for (int x = s.begin; x < s.end; ++x) {
                const std::uint8_t* p = line + static_cast<std::size_t>(x) * 4u;
                const unsigned a = p[3];
                whole[0] += p[0] * a;
                whole[1] += p[1] * a;
                whole[2] += p[2] * a;
                whole[3] += a;
            }
            std::uint64_t* into = &row[static_cast<std::size_t>(j) * 4u];
            for (int c = 0; c < 4; ++c)
                into[c] += std::uint64_t{whole[c]} * static_cast<unsigned>(fw);
            if (s.split > 0) {
                const std::uint8_t* p = line + static_cast<std::size_t>(s.end) * 4u;
                addWeighted(into, p, s.split);
                addWeighted(into + 4, p, static_cast<unsigned>(fw) - s.split);
            }
        }
        // Source row y lies in frame row frameRow, or straddles it and the next one.
        while (frameRow + 1 < fh && y >= down[static_cast<std::size_t>(frameRow + 1)].begin)
            ++frameRow;
        const Span& s = down[static_cast<std::size_t>(frameRow)];
        const unsigned head = y == s.end ? s.split : static_cast<unsigned>(fh);
        std::uint64_t* into = &sums[static_cast<std::size_t>(frameRow * fw) * 4u];
        const std::size_t count = static_cast<std::size_t>(fw) * 4u;
        for (std::size_t i = 0; i < count; ++i)
            into[i] += head * row[i];
        if (head < static_cast<unsigned>(fh))
            for (std::size_t i = 0; i < count; ++i)
                into[count + i] += (static_cast<unsigned>(fh) - head) * row[i];
    }

    const std::uint64_t area = std::uint64_t(w) * std::uint64_t(h);
    const Placement at = centred(fw, fh);
    FramePixels frame;
    frame.fill(kClearPixel);
    for (int y = 0; y < fh; ++y) {
        for (int x = 0; x < fw; ++x) {
            const std::uint64_t* s = &sums[static_cast<std::size_t>(y * fw + x) * 4u];
            const std::uint64_t alpha = s[3];
            if (alpha < kHalfAlpha * area)
                continue;
            const auto mean = [alpha](std::uint64_t sum) {
                return static_cast<unsigned>((sum + alpha / 2) / alpha);
            };
            frame[static_cast<std::size_t>((at.top + y) * kFrameSide + at.left + x)] =
                frameColour(mean(s[0]), mean(s[1]), mean(s[2]), 255);
        }
    }
    return frame;
}

bool readable(const RgbaPicture& picture)
{
    if (!pictureSizeAllowed(picture.width, picture.height))
        return false;
    const auto rowBytes = static_cast<std::size_t>(picture.width) * 4u;
    if (picture.bytesPerLine < rowBytes)
        return false;
    // The last row needs only its pixels; the rows before it need bytesPerLine each.
    const auto before = static_cast<std::size_t>(picture.height - 1);
    const std::size_t size = picture.bytes.size();
    return size >= rowBytes && (before == 0 || (size - rowBytes) / before >= picture.bytesPerLine);
}

bool inside(const RgbaPicture& picture, const PictureRegion& r)
{
    return r.x >= 0 && r.y >= 0 && r.width > 0 && r.height > 0 &&
           std::int64_t{r.x} + r.width <= picture.width &&
           std::int64_t{r.y} + r.height <= picture.height;
}

} // namespace

bool pictureSizeAllowed(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           std::int64_t{width} * height <= kMaxPicturePixels;
}

std::optional<FramePixels> convertToFrame(const RgbaPicture& picture, const PictureRegion& region)
{
    if (!readable(picture) || !inside(picture, region))
        return std::nullopt;
    const Region r(picture, region);
    if (const int side = blockSide(r); side > 0)
        return enlargeBlocks(r, side);
    return averageArea(r);
}

std::optional<FramePixels> convertToFrame(const RgbaPicture& picture)
{
    return convertToFrame(picture, {0, 0, picture.width, picture.height});
}

std::string encodeFrame(const FramePixels& frame)
{
    return encodeIcon(kFrameSide, kFrameSide, frame);
}

std::uint8_t nearestStandardColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    std::uint8_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < kStandardPalette.size(); ++i) {
        const std::uint32_t rgb = kStandardPalette[i];
        const int r = static_cast<int>(rgb >> 16);
        const int g = static_cast<int>((rgb >> 8) & 0xFFu);
        const int b = static_cast<int>(rgb & 0xFFu);
        const int dr = red - r;
        const int dg = green - g;
        const int db = blue - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<std::uint8_t>(i);
        }
    }
    return best;
}

} // namespace glimmer::formats
