#include "formats/animation_import.h"
#include "formats/natural_order.h"
#include "formats/picture_convert.h"
#include "formats/picture_header.h"
#include "test_bytes.h"

#include <QRect>
#include <QTest>
#include <numeric>
#include <random>

using namespace glimmer::formats;

namespace {

// A built-in tray frame: every converted frame must start like it (header and palette).
const std::string& builtinFrame()
{
    static const std::string bytes = fileBytes(GLIMMER_BUILTIN_FRAME).value_or("");
    return bytes;
}

long paletteColour(int index)
{
    const std::string& b = builtinFrame();
    return static_cast<long>(le32(b, le32(b, 18) + le32(b, le32(b, 18)) + 4u * index) & 0xFFFFFF);
}

// The frame made of a width x height picture whose pixel (x, y) is pixel(x, y), a pair of
// 0xRRGGBB and alpha, as its icon file reads back row by row; empty when the conversion fails
// or the file is not laid out like a built-in frame.
template <typename Pixel> std::vector<long> frameOf(int width, int height, Pixel pixel)
{
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto [rgb, alpha] = pixel(x, y);
            bytes.insert(bytes.end(), {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8),
                                       std::uint8_t(rgb), std::uint8_t(alpha)});
        }
    }
    const auto frame = convertToFrame({width, height, std::size_t(width) * 4, bytes});
    const std::string icon = frame ? encodeFrame(*frame) : std::string();
    if (icon.size() != 318 || icon.compare(0, 126, builtinFrame(), 0, 126) != 0)
        return {};
    std::vector<long> pixels;
    for (int i = 0; i < 256; ++i)
        pixels.push_back(iconPixel(icon, i % 16, i / 16));
    return pixels;
}

} // namespace

class TestPictureConvert final : public QObject {
    Q_OBJECT

private slots:
    // Random pixel art with clear pixels (their colour random too), enlarged k times.
    void blockPictures_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("shown"); // the factor the frame shows the art at
        QTest::newRow("16x16 as it is") << 16 << 16 << 1 << 1;
        QTest::newRow("16x16 at 2x") << 16 << 16 << 2 << 1;
        QTest::newRow("16x16 at 3x") << 16 << 16 << 3 << 1;
        QTest::newRow("16x16 at 4x") << 16 << 16 << 4 << 1;
        QTest::newRow("16x9 at 3x, centred") << 16 << 9 << 3 << 1;
        QTest::newRow("5x13 at 4x, centred") << 5 << 13 << 4 << 1;
        QTest::newRow("8x8 at 4x fills the frame at 2x") << 8 << 8 << 4 << 2;
        QTest::newRow("7x5 enlarged 2x") << 7 << 5 << 1 << 2;
    }

    void blockPictures()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, k);
        QFETCH(int, shown);
        std::mt19937 random(static_cast<unsigned>(width * 1000 + height * 10 + k));
        std::vector<long> art;
        for (int i = 0; i < width * height; ++i)
            art.push_back(random() % 17 == 16 ? -1 : paletteColour(int(random() % 16)));
        const std::vector<long> got = frameOf(width * k, height * k, [&](int x, int y) {
            const long c = art[std::size_t(y / k * width + x / k)];
            return c < 0 ? std::pair(long(random() & 0xFFFFFF), int(random() % 128))
                         : std::pair(c, 255);
        });
        QCOMPARE(got.size(), std::size_t(256));
        const int left = (16 - width * shown) / 2;
        const int top = (16 - height * shown) / 2;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int ax = (x - left) / shown;
                const int ay = (y - top) / shown;
                const bool inside = x >= left && y >= top && ax < width && ay < height;
                QCOMPARE(got[std::size_t(y * 16 + x)],
                         inside ? art[std::size_t(ay * width + ax)] : -1L);
            }
        }
    }

    // A 32x32 checkerboard of two pixels; two alike ones make a uniform picture.
    void colourAndAlpha_data()
    {
        QTest::addColumn<long>("first");
        QTest::addColumn<int>("firstAlpha");
        QTest::addColumn<long>("second");
        QTest::addColumn<int>("secondAlpha");
        QTest::addColumn<long>("expected");
        for (int i = 0; i < 16; ++i) {
            const long c = paletteColour(i);
            QTest::addRow("palette %d", i) << c << 255 << c << 255 << c;
        }
        const auto uniform = [](const char* name, long colour, long expected) {
            QTest::newRow(name) << colour << 255 << colour << 255 << expected;
        };
        uniform("near red", 0xF01010, 0xFF0000);
        uniform("dark grey", 0x707070, 0x808080);
        uniform("off white", 0xE8E8E8, 0xFFFFFF);
        uniform("khaki", 0x90A000, 0x808000);
        // 32^2 + 96^2 from grey, 96^2 + 32^2 + 64^2 from silver: plain RGB distance.
        uniform("pale green", 0x60E080, 0x808080);
        QTest::newRow("alpha 127 is clear") << 0xFF0000L << 127 << 0xFF0000L << 127 << -1L;
        QTest::newRow("alpha 128 is opaque") << 0xFF0000L << 128 << 0xFF0000L << 128 << 0xFF0000L;
        QTest::newRow("mean alpha 127.5 is clear") << 0xFF0000L << 255 << 0x0000FFL << 0 << -1L;
        QTest::newRow("clear pixels do not tint") << 0L << 255 << 0xFFFFFFL << 1 << 0L;
        QTest::newRow("opaque pixels mix") << 0xFF0000L << 200 << 0x0000FFL << 200 << 0x800080L;
    }

    void colourAndAlpha()
    {
        QFETCH(long, first);
        QFETCH(int, firstAlpha);
        QFETCH(long, second);
        QFETCH(int, secondAlpha);
        QFETCH(long, expected);
        const auto got = frameOf(32, 32, [&](int x, int y) {
            return (x + y) % 2 ? std::pair(second, secondAlpha) : std::pair(first, firstAlpha);
        });
        QCOMPARE(got, std::vector<long>(256, expected));
    }

    // Random noise in pairs of equal pixels side by side: not blocks, since the rows differ,
    // so only averaging applies. Alpha is 130 everywhere: a frame pixel that got less than
    // its whole area turns clear.
    void aspect_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QRect>("opaque");
        QTest::newRow("64x32") << 64 << 32 << QRect(0, 4, 16, 8);
        QTest::newRow("33x16") << 33 << 16 << QRect(0, 4, 16, 8);
        QTest::newRow("30x100") << 30 << 100 << QRect(5, 0, 5, 16);
        QTest::newRow("17x17") << 17 << 17 << QRect(0, 0, 16, 16);
        QTest::newRow("20x20") << 20 << 20 << QRect(0, 0, 16, 16);
        QTest::newRow("1000x1") << 1000 << 1 << QRect(0, 7, 16, 1);
    }

    void aspect()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QRect, opaque);
        std::mt19937 random(static_cast<unsigned>(width));
        long colour = 0;
        const std::vector<long> got = frameOf(width, height, [&](int x, int) {
            colour = x % 2 ? colour : long(random() & 0xFFFFFF);
            return std::pair(colour, 130);
        });
        QCOMPARE(got.size(), std::size_t(256));
        for (int i = 0; i < 256; ++i)
            QCOMPARE(got[std::size_t(i)] != -1, opaque.contains(i % 16, i / 16));
    }

    void stillFrames_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("side"); // frame width
        QTest::newRow("strip of 4") << QSize(64, 16) << 4 << 16;
        QTest::newRow("strip of 3") << QSize(48, 16) << 3 << 16;
        QTest::newRow("twice as wide: one frame") << QSize(64, 32) << 1 << 64;
        QTest::newRow("square") << QSize(16, 16) << 1 << 16;
        QTest::newRow("not a multiple") << QSize(48, 17) << 1 << 48;
        QTest::newRow("1-pixel frames") << QSize(300, 1) << 300 << 1;
        QTest::newRow("too wide") << QSize(16385, 1) << 0 << 0;
        QTest::newRow("too many pixels") << QSize(8192, 8192) << 0 << 0;
    }

    void stillFrames()
    {
        QFETCH(QSize, size);
        QFETCH(int, count);
        QFETCH(int, side);
        const auto frames = glimmer::formats::stillFrames(size.width(), size.height());
        QCOMPARE(int(frames.size()), count);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            QCOMPARE(frames[i].x, int(i) * side);
            QCOMPARE(frames[i].width, side);
            QCOMPARE(frames[i].height, size.height());
        }
    }

    // The canvas an animated picture declares, read before anything is decoded.
    void declaredCanvas_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QSize>("canvas"); ///< invalid: nothing declared
        QTest::newRow("GIF89a 4096 x 4096")
            << QByteArray("GIF89a\x00\x10\x00\x10\xF0\x00\x00", 13) << QSize(4096, 4096);
        QTest::newRow("GIF87a 300 x 2")
            << QByteArray("GIF87a\x2C\x01\x02\x00", 10) << QSize(300, 2);
        QTest::newRow("GIF cut short") << QByteArray("GIF89a\x00\x10", 8) << QSize();
        QTest::newRow("animated WebP 2049 x 2048")
            << QByteArray("RIFF\0\0\0\0WEBPVP8X\0\0\0\0\x10\0\0\0\x00\x08\x00\xFF\x07\x00", 30)
            << QSize(2049, 2048);
        QTest::newRow("plain WebP")
            << QByteArray("RIFF\0\0\0\0WEBPVP8 ").leftJustified(30, '\0') << QSize();
        QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1A\n").leftJustified(30, '\0') << QSize();
    }

    void declaredCanvas()
    {
        QFETCH(QByteArray, start);
        QFETCH(QSize, canvas);
        const auto got = glimmer::formats::declaredCanvas(start.toStdString());
        QCOMPARE(got ? QSize(got->width, got->height) : QSize(), canvas);
        if (got)
            QCOMPARE(canvasSizeAllowed(*got), qint64(canvas.width()) * canvas.height() <= 1 << 22);
    }

    void naturalOrder_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("order");
        QTest::newRow("numbers by value") << QByteArray("Walk 2") << QByteArray("Walk 10") << -1;
        QTest::newRow("letters ignore case") << QByteArray("a") << QByteArray("B") << -1;
        QTest::newRow("zeros do not count") << QByteArray("x9") << QByteArray("x010") << -1;
        QTest::newRow("equal value by bytes") << QByteArray("x007") << QByteArray("x7") << -1;
        QTest::newRow("beyond 64 bits")
            << QByteArray("a99999999999999999999") << QByteArray("a100000000000000000000") << -1;
        QTest::newRow("prefix first") << QByteArray("Walk") << QByteArray("walk 1") << -1;
        QTest::newRow("UTF-8 after ASCII") << QByteArray("z") << QByteArray("\xC3\xA9") << -1;
        QTest::newRow("same") << QByteArray("frame 01") << QByteArray("frame 01") << 0;
    }

    void naturalOrder()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, order);
        const auto sign = [](std::strong_ordering o) { return o < 0 ? -1 : o > 0 ? 1 : 0; };
        QCOMPARE(sign(compareNatural(a.toStdString(), b.toStdString())), order);
        QCOMPARE(sign(compareNatural(b.toStdString(), a.toStdString())), -order);
    }

    void frameCap_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("kept");
        QTest::newRow("50") << 50 << 50;
        QTest::newRow("51") << 51 << 50;
        QTest::newRow("120") << 120 << 50;
    }

    void frameCap()
    {
        QFETCH(int, count);
        QFETCH(int, kept);
        std::vector<int> frames(std::size_t(count), 0);
        std::iota(frames.begin(), frames.end(), 0);
        QCOMPARE(keepFirstFrames(frames), count > kept);
        QCOMPARE(int(frames.size()), kept);
        QCOMPARE(frames.back(), kept - 1);
    }

    // Steps 1..10 stand for 600, 500, 400, 300, 250, 200, 150, 100, 50 and 10 ms.
    void speedStep_data()
    {
        QTest::addColumn<QList<int>>("delays");
        QTest::addColumn<int>("step");
        QTest::newRow("no frames") << QList<int>{} << 5;
        QTest::newRow("no delay known") << QList<int>{0, -1} << 5;
        QTest::newRow("100 ms") << QList<int>{100} << 8;
        QTest::newRow("unknown ones left out") << QList<int>{0, 100, 100} << 8;
        QTest::newRow("slowest") << QList<int>{2000} << 1;
        QTest::newRow("mean of 30 and 70") << QList<int>{30, 70} << 9;
        QTest::newRow("between 250 and 200: slower") << QList<int>{225} << 5;
        QTest::newRow("nearer 50 than 100") << QList<int>{70, 70, 80} << 9;
    }

    void speedStep()
    {
        QFETCH(QList<int>, delays);
        QFETCH(int, step);
        const std::vector<int> ms(delays.begin(), delays.end());
        QCOMPARE(speedStepForDelays(ms), step);
    }
};

QTEST_APPLESS_MAIN(TestPictureConvert)
#include "tst_picture_convert.moc"
