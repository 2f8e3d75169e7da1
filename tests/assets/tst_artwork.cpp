// The built-in artwork as the program sees it: through the resources that glimmer_assets
// embeds.

#include "TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QtTest>

namespace {

// Decodes an icon file's bytes the way the program's picture loader does.
QImage decodeIco(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

unsigned le16(const QByteArray& b, int at)
{
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

unsigned le32(const QByteArray& b, int at)
{
    return le16(b, at) | le16(b, at + 2) << 16;
}

// Checks the one-image 16-colour layout: directory, entry and BITMAPINFOHEADER of a
// size x size icon, then the file length that layout implies.
void verifyIcoLayout(const QByteArray& b, int size)
{
    const int xorBytes = size * size / 2;
    const int andBytes = size * 4; // one mask row of up to 32 bits, padded, per pixel row
    const int expected = 6 + 16 + 40 + 64 + xorBytes + andBytes;
    QCOMPARE(b.size(), expected);
    QCOMPARE(le16(b, 0), 0u);                              // reserved
    QCOMPARE(le16(b, 2), 1u);                              // icon
    QCOMPARE(le16(b, 4), 1u);                              // one image
    QCOMPARE(int(static_cast<unsigned char>(b[6])), size); // width
    QCOMPARE(int(static_cast<unsigned char>(b[7])), size); // height
    QCOMPARE(int(static_cast<unsigned char>(b[8])), 16);   // colours
    QCOMPARE(le16(b, 10), 1u);                             // planes
    QCOMPARE(le16(b, 12), 4u);                             // bits per pixel
    QCOMPARE(le32(b, 14), static_cast<unsigned>(expected - 22));
    QCOMPARE(le32(b, 18), 22u); // image offset
    QCOMPARE(le32(b, 22), 40u); // header size
    QCOMPARE(le32(b, 26), static_cast<unsigned>(size));
    QCOMPARE(le32(b, 30), static_cast<unsigned>(2 * size)); // colour rows and mask rows
    QCOMPARE(le16(b, 36), 4u);
    QCOMPARE(le32(b, 38), 0u); // uncompressed
}

// Pixels in which two pictures of the same size differ.
int difference(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++n;
    return n;
}

} // namespace

class TestArtwork final : public QObject {
    Q_OBJECT

private slots:
    void trayFrames_data();
    void trayFrames();
    void otherIcons_data();
    void otherIcons();
    void appIcon_data();
    void appIcon();
};

void TestArtwork::trayFrames_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<int>("count");
    QTest::newRow("Lava Lamp") << "LL" << 23;
    QTest::newRow("Aquarium") << "FT" << 42;
    QTest::newRow("Busy Eyes") << "EY" << 22;
    QTest::newRow("Fuzzy T.V") << "TV" << 5;
    QTest::newRow("Cow") << "CW" << 10;
    QTest::newRow("Colour Wheel") << "SW" << 8;
}

void TestArtwork::trayFrames()
{
    QFETCH(QString, set);
    QFETCH(int, count);

    // Exactly the frames 00 to count-1, nothing more.
    const QStringList names = QDir(":/frames/" + set).entryList(QDir::Files, QDir::Name);
    QCOMPARE(names.size(), count);

    QList<QImage> frames;
    for (int i = 0; i < count; ++i) {
        const QString path =
            QStringLiteral(":/frames/%1/%2.ico").arg(set).arg(i, 2, 10, QChar('0'));
        const QByteArray bytes = glimmer::test::readFile(path);
        QVERIFY2(bytes.size() == 318, qPrintable(path));
        verifyIcoLayout(bytes, 16);
        const QImage image = decodeIco(bytes);
        QCOMPARE(image.size(), QSize(16, 16));
        int clear = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (qAlpha(image.pixel(x, y)) == 0)
                    ++clear;
        QVERIFY2(clear > 0 && clear < 256, qPrintable(path + " needs clear and opaque pixels"));
        frames.append(image);
    }

    // The loop has no still step and no seam: every frame differs from the next, and the
    // step from the last back to the first is no bigger than the biggest other step.
    int biggest = 0;
    for (int i = 0; i + 1 < count; ++i) {
        const int step = difference(frames[i], frames[i + 1]);
        QVERIFY2(
            step > 0,
            qPrintable(QStringLiteral("%1 frames %2 and %3 are alike").arg(set).arg(i).arg(i + 1)));
        biggest = qMax(biggest, step);
    }
    const int wrap = difference(frames.last(), frames.first());
    QVERIFY2(wrap > 0, qPrintable(set + " last and first frames are alike"));
    QVERIFY2(wrap <= biggest,
             qPrintable(QStringLiteral("%1 wraps with %2 changed pixels, more than %3")
                            .arg(set)
                            .arg(wrap)
                            .arg(biggest)));
}

void TestArtwork::otherIcons_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    for (const char* set : {"LL", "FT", "EY", "TV", "CW", "SW"})
        QTest::newRow(qPrintable(QStringLiteral("preview %1").arg(set)))
            << QStringLiteral(":/previews/%1.ico").arg(set) << 32;
    for (int i = 0; i < 5; ++i)
        QTest::newRow(qPrintable(QStringLiteral("about %1").arg(i)))
            << QStringLiteral(":/about/%1.ico").arg(i) << 32;
    for (int i = 0; i < 4; ++i)
        QTest::newRow(qPrintable(QStringLiteral("info %1").arg(i)))
            << QStringLiteral(":/editor/info%1.ico").arg(i) << 16;
    for (int i = 0; i < 3; ++i)
        QTest::newRow(qPrintable(QStringLiteral("compile %1").arg(i)))
            << QStringLiteral(":/editor/compile%1.ico").arg(i) << 16;
}

void TestArtwork::otherIcons()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    const QByteArray bytes = glimmer::test::readFile(path);
    QVERIFY2(!bytes.isEmpty(), qPrintable(path));
    verifyIcoLayout(bytes, size);
    const QImage image = decodeIco(bytes);
    QCOMPARE(image.size(), QSize(size, size));
    bool clear = false;
    bool opaque = false;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            (qAlpha(image.pixel(x, y)) == 0 ? clear : opaque) = true;
    QVERIFY(clear);
    QVERIFY(opaque);
}

void TestArtwork::appIcon_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void TestArtwork::appIcon()
{
    QFETCH(int, size);
    const QImage small(QStringLiteral(":/appicon/glimmerbox-16.png"));
    const QImage image(QStringLiteral(":/appicon/glimmerbox-%1.png").arg(size));
    QCOMPARE(small.size(), QSize(16, 16));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    // Pixel-crisp: each design pixel is a solid square, never a blend, enlarged by a
    // whole factor and centred in a clear border.
    const int scale = size / 16;
    const int margin = (size - 16 * scale) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int dx = x - margin, dy = y - margin;
            const bool inside = dx >= 0 && dy >= 0 && dx < 16 * scale && dy < 16 * scale;
            QVERIFY2(image.pixel(x, y) == (inside ? small.pixel(dx / scale, dy / scale) : 0u),
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
