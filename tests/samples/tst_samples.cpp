// The sample animations: the committed files are exactly what the generator makes,
// they follow the file formats and the icon rules, their icons decode to the pictures
// that were drawn, and the options dialog lists and plays them.

#include "Samples.h"
#include "TestFiles.h"
#include "TestProgram.h"
#include "Texts.h"
#include "files/Animation.h"
#include "files/Thumbnail.h"
#include "formats/compiled_file.h"
#include "formats/icon_rules.h"
#include "formats/raw_file.h"
#include "options/Optionfrm.h"
#include "platform/Pictures.h"
#include "runtime/frmTray.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRadioButton>
#include <QTest>
#include <map>
#include <set>
#include <sstream>

using namespace glimmer;
using namespace glimmer::samples;

namespace {

const QString kSamplesDir = QStringLiteral(GLIMMER_SAMPLES_DIR);
const QString kProgramBuildDir = QStringLiteral(GLIMMER_PROGRAM_BUILD_DIR);

std::string committed(const std::string& relative)
{
    return test::readFile(kSamplesDir + QLatin1Char('/') + QString::fromStdString(relative))
        .toStdString();
}

std::map<std::string, std::string> generated()
{
    std::map<std::string, std::string> files;
    for (SampleFile& file : sampleFiles())
        files[file.path] = std::move(file.bytes);
    return files;
}

/// The colour a Picture16 pixel stands for, clear as fully transparent.
QRgb expectedPixel(const Picture16& picture, int x, int y)
{
    const int c = picture.at(x, y);
    return c == Picture16::kClear ? 0u : (0xFF000000u | kPalette[static_cast<std::size_t>(c)]);
}

/// First pixel where `image` differs from `picture`, as "x,y", or empty.
QString firstDifference(const QImage& image, const Picture16& picture)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < Picture16::kSide; ++y) {
        for (int x = 0; x < Picture16::kSide; ++x) {
            const QRgb want = expectedPixel(picture, x, y);
            const QRgb got = argb.pixel(x, y);
            const bool same = qAlpha(want) == 0 ? qAlpha(got) == 0 : got == want;
            if (!same)
                return QStringLiteral("%1,%2").arg(x).arg(y);
        }
    }
    return {};
}

} // namespace

class SamplesTest final : public QObject {
    Q_OBJECT
private slots:
    void committedFilesAreWhatTheGeneratorMakes_data()
    {
        QTest::addColumn<QString>("path");
        for (const auto& [path, bytes] : generated())
            QTest::newRow(path.c_str()) << QString::fromStdString(path);
    }

    void committedFilesAreWhatTheGeneratorMakes()
    {
        QFETCH(QString, path);
        const std::string want = generated().at(path.toStdString());
        const std::string got = committed(path.toStdString());
        QVERIFY2(got == want, qPrintable(QStringLiteral("%1 differs from the generator's output; "
                                                        "run glimmer_samplegen <source>/samples")
                                             .arg(path)));
    }

    void theSamplesFolderHoldsNothingElse()
    {
        // Everything in it is installed, so a leftover file would ship too.
        QStringList present;
        QDirIterator it(kSamplesDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            present << QDir(kSamplesDir).relativeFilePath(it.next());
        present.sort();
        QStringList expected;
        for (const auto& [path, bytes] : generated())
            expected << QString::fromStdString(path);
        expected.sort();
        QCOMPARE(present, expected);
    }

    void everySampleHasADistinctShortTitle()
    {
        const std::vector<SampleAnimation> animations = sampleAnimations();
        QVERIFY(animations.size() >= 2);
        std::set<std::string> titles;
        for (const SampleAnimation& a : animations) {
            QVERIFY2(!a.title.empty() && a.title.size() <= 12, a.title.c_str());
            QVERIFY2(a.title.back() != ' ' && a.title.front() != ' ', a.title.c_str());
            for (const char c : a.title)
                QVERIFY2(c >= 0x20 && c < 0x7F, a.title.c_str()); // ASCII reads the same anywhere
            QVERIFY(titles.insert(a.title).second);
            QVERIFY(a.speed >= 1 && a.speed <= 10);
            QVERIFY(a.frames.size() >= 2 && a.frames.size() <= 50);
            // The loop goes on from the last frame to the first: the same picture on
            // both sides of that seam is a stutter (a hold is drawn inside the loop).
            QVERIFY2(!(a.frames.back() == a.frames.front()), a.title.c_str());
        }
    }

    void compiledFilesReadBackWithTheirHeaderAndIcons_data()
    {
        QTest::addColumn<int>("index");
        const std::vector<SampleAnimation> animations = sampleAnimations();
        for (std::size_t i = 0; i < animations.size(); ++i)
            QTest::newRow(animations[i].name.c_str()) << static_cast<int>(i);
    }

    void compiledFilesReadBackWithTheirHeaderAndIcons()
    {
        QFETCH(int, index);
        const SampleAnimation a = sampleAnimations()[static_cast<std::size_t>(index)];
        std::istringstream in(committed(compiledFilePath(a)));
        formats::CompiledHeader header;
        std::vector<std::string> records;
        formats::CompiledReadEvents events;
        events.onIconSize = [&](std::int16_t v) { header.iconSize = v; };
        events.onSpeed = [&](std::int16_t v) { header.speed = v; };
        events.onFrameCount = [&](std::int16_t v) { header.frameCount = v; };
        events.onTitle = [&](std::string v) { header.title = std::move(v); };
        events.onFrame = [&](int, std::string_view record) {
            records.emplace_back(record);
            return true;
        };
        QCOMPARE(formats::readCompiled(in, events), formats::CompiledReadOutcome::Complete);
        QCOMPARE(header.iconSize, std::int16_t{318});
        QCOMPARE(int{header.speed}, a.speed);
        QCOMPARE(static_cast<std::size_t>(header.frameCount), a.frames.size());
        QCOMPARE(header.title, a.title);
        in.peek();
        QVERIFY2(in.eof(), "bytes after the last frame record");
        QCOMPARE(records.size(), a.frames.size());
        for (std::size_t i = 0; i < records.size(); ++i)
            QVERIFY(records[i] == committed(iconFilePath(a, static_cast<int>(i) + 1)));
        // A file manager shows the first frame, each pixel a block of one colour,
        // transparent where the frame is: at the sizes it asks for, one between them,
        // one above the largest.
        const QString path = kSamplesDir + '/' + QString::fromStdString(compiledFilePath(a));
        for (const auto& [size, block] : {std::pair{128, 8}, {1024, 64}, {100, 6}, {2048, 64}}) {
            const auto thumbnail = thumbnailOfFile(path, size);
            QVERIFY(thumbnail && thumbnail->size() == QSize(16 * block, 16 * block));
            for (int y = 0; y < thumbnail->height(); ++y) {
                for (int x = 0; x < thumbnail->width(); ++x) {
                    const QRgb want = expectedPixel(a.frames.front(), x / block, y / block);
                    const QRgb got = thumbnail->pixel(x, y);
                    QVERIFY(qAlpha(want) == 0 ? qAlpha(got) == 0 : got == want);
                }
            }
        }
        // The options dialog reads the title on its own.
        std::istringstream titleOnly(committed(compiledFilePath(a)));
        QCOMPARE(formats::readCompiledTitle(titleOnly), std::optional<std::string>(a.title));
    }

    void rawFilesNameTheIconsBesideThem_data()
    {
        compiledFilesReadBackWithTheirHeaderAndIcons_data();
    }

    void rawFilesNameTheIconsBesideThem()
    {
        QFETCH(int, index);
        const SampleAnimation a = sampleAnimations()[static_cast<std::size_t>(index)];
        const formats::RawReadResult raw = formats::decodeRaw(committed(rawFilePath(a)));
        QCOMPARE(raw.outcome, formats::RawReadOutcome::Ok);
        QCOMPARE(raw.title, a.title);
        QCOMPARE(int{raw.speed}, a.speed);
        QCOMPARE(static_cast<std::size_t>(raw.frameCount), a.frames.size());
        QCOMPARE(raw.iconSize, std::int16_t{318});
        for (std::size_t i = 0; i < raw.paths.size(); ++i) {
            // Relative to the program's folder, which holds the samples folder.
            const std::string want = "samples/" + iconFilePath(a, static_cast<int>(i) + 1);
            QCOMPARE(raw.paths[i], want);
        }
    }

    void iconsPassTheRulesAndDecodeToTheirDrawing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("frame");
        const std::vector<SampleAnimation> animations = sampleAnimations();
        for (std::size_t i = 0; i < animations.size(); ++i)
            for (std::size_t f = 0; f < animations[i].frames.size(); ++f)
                QTest::addRow("%s %zu", animations[i].name.c_str(), f + 1)
                    << static_cast<int>(i) << static_cast<int>(f);
    }

    void iconsPassTheRulesAndDecodeToTheirDrawing()
    {
        QFETCH(int, index);
        QFETCH(int, frame);
        const SampleAnimation a = sampleAnimations()[static_cast<std::size_t>(index)];
        const QString path =
            kSamplesDir + QLatin1Char('/') + QString::fromStdString(iconFilePath(a, frame + 1));
        const formats::IconCheck check = checkFrameIcon(path, 318u);
        QCOMPARE(check.verdict, formats::IconVerdict::Accepted);
        QCOMPARE(check.length, std::uintmax_t{318});

        const std::optional<QImage> image = Pictures::load(path);
        QVERIFY(image.has_value());
        QCOMPARE(image->size(), QSize(16, 16));
        const QString difference =
            firstDifference(*image, a.frames[static_cast<std::size_t>(frame)]);
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("pixel ") + difference));
    }

    void theOptionsDialogListsAndPlaysEverySample()
    {
        test::TestProgram t;
        for (const SampleAnimation& a : sampleAnimations()) {
            const QString name = QString::fromStdString(compiledFilePath(a));
            QVERIFY(QFile::copy(kSamplesDir + QLatin1Char('/') + name, t.path(name)));
        }
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QStringList listed;
        for (int i = 0; i < window.Combo1->count(); ++i)
            listed << window.Combo1->itemText(i);
        for (const SampleAnimation& a : sampleAnimations()) {
            const QString title = QString::fromStdString(a.title);
            QVERIFY2(listed.contains(title), qPrintable(title));
            window.Combo1->setCurrentIndex(static_cast<int>(listed.indexOf(title)));
            window.Option7->click();
            QCOMPARE(t.settings.value(QStringLiteral("Custom")),
                     QString::fromStdString(compiledFilePath(a)));
            QCOMPARE(t.program.state().CustomTitle, title);
            QCOMPARE(static_cast<std::size_t>(t.program.state().CustomFrameCount), a.frames.size());
            QCOMPARE(t.program.tray().interval(),
                     test::kStepIntervals[static_cast<std::size_t>(a.speed - 1)]);
            const QImage first = t.program.tray().customFrame(1).pixmap(16, 16).toImage();
            QVERIFY(firstDifference(first, a.frames.front()).isEmpty());
        }
        QVERIFY2(t.messages.shown.empty(), qPrintable(t.messages.texts().join('\n')));
    }

    void theBuildFolderHoldsTheSamplesBesideTheProgram_data()
    {
        compiledFilesReadBackWithTheirHeaderAndIcons_data();
    }

    void theBuildFolderHoldsTheSamplesBesideTheProgram()
    {
        // So that a program run from the build folder lists them and its editor
        // loads their raw files, which name the icons there by full path.
        QFETCH(int, index);
        const SampleAnimation a = sampleAnimations()[static_cast<std::size_t>(index)];
        QVERIFY(test::readFile(kProgramBuildDir + QStringLiteral("/Readme.txt")) ==
                test::readFile(kSamplesDir + QStringLiteral("/../Readme.txt")));
        const QString compiled = QString::fromStdString(compiledFilePath(a));
        QVERIFY(test::readFile(kProgramBuildDir + QLatin1Char('/') + compiled).toStdString() ==
                committed(compiledFilePath(a)));
        const QString rawPath =
            kProgramBuildDir + QStringLiteral("/samples/") + QString::fromStdString(rawFilePath(a));
        const formats::RawReadResult raw =
            formats::decodeRaw(test::readFile(rawPath).toStdString());
        QCOMPARE(raw.outcome, formats::RawReadOutcome::Ok);
        QCOMPARE(raw.paths.size(), a.frames.size());
        for (std::size_t i = 0; i < raw.paths.size(); ++i) {
            const QString icon = QFile::decodeName(QByteArray::fromStdString(raw.paths[i]));
            QVERIFY2(QDir::isAbsolutePath(icon), qPrintable(icon));
            QVERIFY(test::readFile(icon).toStdString() ==
                    committed(iconFilePath(a, static_cast<int>(i) + 1)));
        }
    }
};

QTEST_MAIN(SamplesTest)
#include "tst_samples.moc"
