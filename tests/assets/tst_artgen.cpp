// The artwork generator: its icon encoder, its self-check, and that running it reproduces the
// committed files.

#include "TestFiles.h"
#include "canvas.h"
#include "catalog.h"
#include "ico_writer.h"
#include "palette.h"

#include <QBuffer>
#include <QDirIterator>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <utility>

using namespace glimmer::artgen;

namespace {

QImage decode(const std::vector<std::uint8_t>& bytes)
{
    QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// Every file below root, as paths relative to it.
QStringList filesBelow(const QString& root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out.append(QDir(root).relativeFilePath(it.next()));
    out.sort();
    return out;
}

// A canvas whose every pixel differs from its neighbours', so a swapped row, a swapped
// nibble or a shifted mask bit shows up.
Canvas pattern(int size)
{
    Canvas c(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            c.set(x, y,
                  (x * 7 + y * 3) % 17 == 16 ? Clear : static_cast<Colour>((x * 7 + y * 3) % 17));
    return c;
}

Animation animationOf(const std::string& code, std::vector<Canvas> frames)
{
    return {code, code, std::move(frames), 0};
}

// A 16x16 frame with pixel (i % 16, i / 16) set, the rest clear.
Canvas dot(int i)
{
    Canvas c(16, 16);
    c.set(i % 16, i / 16, Red);
    return c;
}

std::vector<Animation> validSets()
{
    std::vector<Animation> sets;
    for (const auto& [code, count] :
         {std::pair{"LL", 23}, {"FT", 42}, {"EY", 22}, {"TV", 5}, {"CW", 10}, {"SW", 8}}) {
        std::vector<Canvas> frames;
        for (int i = 0; i < count; ++i)
            frames.push_back(dot(i));
        sets.push_back(animationOf(code, frames));
    }
    return sets;
}

} // namespace

class TestArtgen final : public QObject {
    Q_OBJECT

private slots:
    void encodedIconDecodesToTheCanvas_data();
    void encodedIconDecodesToTheCanvas();
    void checkAcceptsValidSets();
    void checkFindsFaults_data();
    void checkFindsFaults();
    void regeneratingReproducesCommittedFiles();
};

void TestArtgen::encodedIconDecodesToTheCanvas_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("length");
    QTest::newRow("16x16") << 16 << 318;
    QTest::newRow("32x32") << 32 << 766;
}

void TestArtgen::encodedIconDecodesToTheCanvas()
{
    QFETCH(int, size);
    QFETCH(int, length);
    const Canvas canvas = pattern(size);
    const std::vector<std::uint8_t> bytes = encodeIco(canvas);
    QCOMPARE(static_cast<int>(bytes.size()), length);
    const QImage image = decode(bytes);
    QCOMPARE(image.size(), QSize(size, size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Colour c = canvas.at(x, y);
            const QRgb got = image.pixel(x, y);
            if (c == Clear) {
                QVERIFY2(qAlpha(got) == 0,
                         qPrintable(QStringLiteral("%1,%2 should be clear").arg(x).arg(y)));
            } else {
                QCOMPARE(qAlpha(got), 255);
                QCOMPARE(got & 0xFFFFFFu, paletteRgb[static_cast<std::size_t>(c)]);
            }
        }
    }
}

void TestArtgen::checkAcceptsValidSets()
{
    QVERIFY(checkAnimations(validSets()).empty());
    // And the real artwork passes too.
    const std::vector<std::string> problems = checkAnimations(trayAnimations());
    QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
}

void TestArtgen::checkFindsFaults_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("a frame too few") << 0;
    QTest::newRow("two neighbours alike") << 1;
    QTest::newRow("last like first") << 2;
    QTest::newRow("seam bigger than any step") << 3;
    QTest::newRow("no clear pixel") << 4;
    QTest::newRow("nothing opaque") << 5;
    QTest::newRow("not 16x16") << 6;
}

void TestArtgen::checkFindsFaults()
{
    QFETCH(int, fault);
    std::vector<Animation> sets = validSets();
    std::vector<Canvas>& tv = sets[3].frames; // five dots, one step of 2 pixels each
    switch (fault) {
    case 0:
        tv.pop_back();
        break;
    case 1:
        tv[2] = tv[1];
        break;
    case 2:
        tv[4] = tv[0];
        break;
    case 3:
        // Frame i shows dots 0 to i: every step adds one dot, the seam takes four away.
        for (int i = 1; i < 5; ++i) {
            tv[static_cast<std::size_t>(i)] = tv[static_cast<std::size_t>(i - 1)];
            tv[static_cast<std::size_t>(i)].set(i, 0, Red);
        }
        break;
    case 4:
        tv[2].fillRect(0, 0, 16, 16, Blue);
        break;
    case 5:
        tv[2] = Canvas(16, 16);
        break;
    case 6:
        tv[2] = Canvas(16, 15);
        tv[2].set(0, 0, Red);
        break;
    }
    QVERIFY(!checkAnimations(sets).empty());
}

void TestArtgen::regeneratingReproducesCommittedFiles()
{
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString assets = out.filePath("assets");
    const QString sheet = out.filePath("artwork.png");
    QProcess generator;
    generator.start(QStringLiteral(GLIMMER_ARTGEN), {assets, sheet});
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QVERIFY2(generator.exitCode() == 0, generator.readAllStandardError().constData());

    const QString committed = QStringLiteral(GLIMMER_SOURCE_DIR "/assets");
    QStringList expected = filesBelow(committed);
    expected.removeAll("CMakeLists.txt");
    QCOMPARE(filesBelow(assets), expected);

    for (const QString& name : expected) {
        const QString made = assets + '/' + name;
        const QString kept = committed + '/' + name;
        if (name.endsWith(".png")) {
            // PNG bytes depend on the compression library; the pixels must not.
            const QImage a = QImage(made).convertToFormat(QImage::Format_ARGB32);
            const QImage b = QImage(kept).convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(!a.isNull() && a == b, qPrintable(name));
        } else {
            QVERIFY2(glimmer::test::readFile(made) == glimmer::test::readFile(kept),
                     qPrintable(name + " differs: run glimmer_artgen"));
        }
    }
    const QImage madeSheet = QImage(sheet).convertToFormat(QImage::Format_ARGB32);
    const QImage keptSheet = QImage(QStringLiteral(GLIMMER_SOURCE_DIR "/docs/artwork.png"))
                                 .convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!madeSheet.isNull() && madeSheet == keptSheet,
             "docs/artwork.png differs: run glimmer_artgen");
}

QTEST_MAIN(TestArtgen)
#include "tst_artgen.moc"
