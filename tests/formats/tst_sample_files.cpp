#include "formats/compiled_file.h"
#include "formats/icon_rules.h"
#include "formats/raw_file.h"
#include "test_bytes.h"

#include <QDir>
#include <QTest>
#include <fstream>

using namespace glimmer::formats;

// The samples in tests/data are written by tests/data/generate_samples.py, not
// by this library; each .gx and .rgx name starts with the outcome expected.
class TestSampleFiles final : public QObject {
    Q_OBJECT

    static QDir dataDir(const char* sub)
    {
        return QDir(QStringLiteral(GLIMMER_TEST_DATA_DIR "/") + QLatin1String(sub));
    }

    static std::filesystem::path pathOf(const QDir& dir, const QString& name)
    {
        return std::filesystem::path(dir.filePath(name).toStdString());
    }

    // One row per sample in `sub` (at least ten), with the outcome its name starts with.
    template <typename Outcome>
    static void samplesByOutcome(const char* sub, const QMap<QString, Outcome>& byPrefix)
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Outcome>("outcome");
        const auto names = dataDir(sub).entryList({QStringLiteral("*.") + sub}, QDir::Files);
        QVERIFY(names.size() >= 10);
        for (const auto& name : names) {
            const auto prefix = name.section('-', 0, 0);
            QVERIFY2(byPrefix.contains(prefix), qPrintable(name));
            QTest::newRow(qPrintable(name)) << name << byPrefix.value(prefix);
        }
    }

private slots:
    void compiledSamples_data()
    {
        samplesByOutcome<CompiledReadOutcome>(
            "gx", {
                      {"complete", CompiledReadOutcome::Complete},
                      {"otherversion", CompiledReadOutcome::OtherVersion},
                      {"badnumber", CompiledReadOutcome::BadNumber},
                      {"truncated", CompiledReadOutcome::Truncated},
                  });
    }

    void compiledSamples()
    {
        QFETCH(QString, name);
        QFETCH(CompiledReadOutcome, outcome);
        const auto path = pathOf(dataDir("gx"), name);
        QVERIFY(std::filesystem::is_regular_file(path));
        std::ifstream in(path, std::ios::binary);
        std::int16_t size = 0;
        std::int16_t count = 0;
        int frames = 0;
        CompiledReadEvents events;
        events.onIconSize = [&size](std::int16_t v) { size = v; };
        events.onFrameCount = [&count](std::int16_t v) { count = v; };
        events.onFrame = [&](int index, std::string_view record) {
            frames = index;
            return int(record.size()) == size;
        };
        QCOMPARE(readCompiled(in, events), outcome);
        if (outcome == CompiledReadOutcome::Complete) {
            QCOMPARE(frames, std::max(0, int{count}));
        }
    }

    void exampleFile()
    {
        const auto path = pathOf(dataDir("gx"), "complete-example-20x766.gx");
        QCOMPARE(std::filesystem::file_size(path), std::uintmax_t{26 + 20 * 766});
        std::ifstream in(path, std::ios::binary);
        QCOMPARE(qbytes(readCompiledTitle(in).value()), QByteArray("My Animation"));
        const auto written = encodeCompiledHeader({766, 1, 20, "My Animation"});
        QCOMPARE(qbytes(fileBytes(path).value().substr(0, 26)), qbytes(written.value()));
    }

    void rawSamples_data()
    {
        samplesByOutcome<RawReadOutcome>("rgx",
                                         {
                                             {"ok", RawReadOutcome::Ok},
                                             {"truncated", RawReadOutcome::Truncated},
                                             {"badnumber", RawReadOutcome::BadNumber},
                                             {"toomanyframes", RawReadOutcome::TooManyFrames},
                                         });
    }

    void rawSamples()
    {
        QFETCH(QString, name);
        QFETCH(RawReadOutcome, outcome);
        const auto bytes = fileBytes(pathOf(dataDir("rgx"), name));
        QVERIFY(bytes.has_value());
        const auto read = decodeRaw(*bytes);
        QCOMPARE(read.outcome, outcome);
        if (outcome == RawReadOutcome::Ok) {
            QCOMPARE(int(read.paths.size()), int{read.frameCount});
            // What the editor would save again reads back the same.
            const auto again =
                encodeRaw({read.title, std::to_string(read.speed), std::to_string(read.frameCount),
                           std::to_string(read.iconSize), read.paths});
            QCOMPARE(again.error, RawWriteError::None);
            const auto reread = decodeRaw(again.bytes);
            QCOMPARE(reread.outcome, RawReadOutcome::Ok);
            QCOMPARE(qbytes(reread.title), qbytes(read.title));
            QCOMPARE(reread.paths, read.paths);
        }
    }

    void iconSamples_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("length");
        QTest::addColumn<IconVerdict>("first");    // with no size accepted
        QTest::addColumn<IconVerdict>("after318"); // with 318 accepted
        using V = IconVerdict;
        QTest::newRow("16x16 16 colours")
            << "smile-16x16-16colour.ico" << 318 << V::Accepted << V::Accepted;
        QTest::newRow("32x32 16 colours")
            << "disc-32x32-16colour.ico" << 766 << V::Accepted << V::DifferentFormat;
        QTest::newRow("16x16 256 colours")
            << "smile-16x16-256colour.ico" << 1406 << V::NotSuitable << V::NotSuitable;
        QTest::newRow("empty") << "empty.ico" << 0 << V::Accepted << V::DifferentFormat;
    }

    void iconSamples()
    {
        QFETCH(QString, name);
        QFETCH(int, length);
        QFETCH(IconVerdict, first);
        QFETCH(IconVerdict, after318);
        const auto path = pathOf(dataDir("ico"), name);
        const auto size = [&path] { return std::optional(std::filesystem::file_size(path)); };
        const auto check = checkIconFile(path.string(), size, std::nullopt);
        QCOMPARE(check.verdict, first);
        QCOMPARE(int(check.length), length);
        QCOMPARE(checkIconFile(path.string(), size, 318).verdict, after318);
    }
};

QTEST_APPLESS_MAIN(TestSampleFiles)
#include "tst_sample_files.moc"
