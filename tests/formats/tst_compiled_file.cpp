#include "formats/compiled_file.h"
#include "test_bytes.h"

#include <QTest>
#include <sstream>

using namespace glimmer::formats;

namespace {

// Reads `data` and writes every event into a log, as the loader would store
// each value as it comes.
struct Recorder {
    QStringList log;
    int stopAfterFrame = -1;

    CompiledReadEvents events()
    {
        CompiledReadEvents e;
        e.onIconSize = [this](std::int16_t v) { log << QStringLiteral("size %1").arg(v); };
        e.onSpeed = [this](std::int16_t v) { log << QStringLiteral("speed %1").arg(v); };
        e.onFrameCount = [this](std::int16_t v) { log << QStringLiteral("count %1").arg(v); };
        e.onTitle = [this](std::string t) {
            log << QStringLiteral("title [%1]").arg(QString::fromLatin1(qbytes(t)));
        };
        e.onFrame = [this](int index, std::string_view record) {
            log << QStringLiteral("frame %1 %2")
                       .arg(index)
                       .arg(QString::fromLatin1(qbytes(record)));
            return index != stopAfterFrame;
        };
        return e;
    }
};

// A header with three 4-byte frames "AAAA", "BBBB", "CCCC".
std::string threeFrames()
{
    return std::string("GX2.04    7 3 Tiny        ") + "AAAABBBBCCCC";
}

const QStringList kHeaderEvents = {"size 4", "speed 7", "count 3", "title [Tiny]"};

} // namespace

class TestCompiledFile final : public QObject {
    Q_OBJECT

private slots:
    void exampleHeaderIsByteExact()
    {
        const auto header = encodeCompiledHeader({766, 1, 20, "My Animation"});
        QVERIFY(header.has_value());
        QCOMPARE(qbytes(*header), QByteArray::fromHex("4758322E30373636202031203230"
                                                      "4D7920416E696D6174696F6E"));
    }

    void headerFields_data()
    {
        QTest::addColumn<int>("iconSize");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("frameCount");
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("speed 5 has one space") << 318 << 5 << 20 << QByteArray("My Animation")
                                               << QByteArray("GX2.0318  5 20My Animation");
        QTest::newRow("speed 10 and 50 frames fill")
            << 318 << 10 << 50 << QByteArray("Twelve chars")
            << QByteArray("GX2.0318  1050Twelve chars");
        QTest::newRow("speed 1 and 8 frames")
            << 318 << 1 << 8 << QByteArray("X") << QByteArray("GX2.0318  1 8 X           ");
        QTest::newRow("icon size 1000")
            << 1000 << 3 << 1 << QByteArray("Big") << QByteArray("GX2.01000 3 1 Big         ");
        QTest::newRow("icon size 0")
            << 0 << 3 << 1 << QByteArray("Empty") << QByteArray("GX2.00    3 1 Empty       ");
        QTest::newRow("empty title")
            << 766 << 2 << 2 << QByteArray("") << QByteArray("GX2.0766  2 2             ");
        QTest::newRow("title keeps leading spaces")
            << 766 << 2 << 2 << QByteArray("  Rain") << QByteArray("GX2.0766  2 2   Rain      ");
        QTest::newRow("Windows-1252 title") << 766 << 2 << 2 << QByteArray("Caf\xE9 \x80")
                                            << QByteArray("GX2.0766  2 2 Caf\xE9 \x80      ");
        QTest::newRow("largest icon size")
            << 32767 << 99 << 99 << QByteArray("x") << QByteArray("GX2.0327679999x           ");
    }

    void headerFields()
    {
        QFETCH(int, iconSize);
        QFETCH(int, speed);
        QFETCH(int, frameCount);
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, expected);
        const auto header = encodeCompiledHeader(
            {static_cast<std::int16_t>(iconSize), static_cast<std::int16_t>(speed),
             static_cast<std::int16_t>(frameCount), title.toStdString()});
        QVERIFY(header.has_value());
        QCOMPARE(header->size(), kCompiledHeaderSize);
        QCOMPARE(qbytes(*header), expected);
    }

    void unwritableHeaders_data()
    {
        QTest::addColumn<int>("iconSize");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("frameCount");
        QTest::addColumn<QByteArray>("title");
        QTest::newRow("negative icon size") << -1 << 1 << 1 << QByteArray("x");
        QTest::newRow("negative speed") << 318 << -1 << 1 << QByteArray("x");
        QTest::newRow("speed of three digits") << 318 << 100 << 1 << QByteArray("x");
        QTest::newRow("negative frame count") << 318 << 1 << -5 << QByteArray("x");
        QTest::newRow("frame count of three digits") << 318 << 1 << 100 << QByteArray("x");
        QTest::newRow("title of 13 bytes") << 318 << 1 << 1 << QByteArray("Thirteen char");
    }

    void unwritableHeaders()
    {
        QFETCH(int, iconSize);
        QFETCH(int, speed);
        QFETCH(int, frameCount);
        QFETCH(QByteArray, title);
        QVERIFY(!encodeCompiledHeader({static_cast<std::int16_t>(iconSize),
                                       static_cast<std::int16_t>(speed),
                                       static_cast<std::int16_t>(frameCount), title.toStdString()})
                     .has_value());
    }

    void wholeFileHas26PlusNTimesLBytes()
    {
        std::vector<std::string> frames;
        for (int i = 0; i < 20; ++i) {
            frames.emplace_back(766, static_cast<char>('a' + i));
        }
        const auto file = encodeCompiled({766, 1, 20, "My Animation"}, frames);
        QVERIFY(file.has_value());
        QCOMPARE(file->size(), std::size_t{26 + 20 * 766});
        QCOMPARE(file->substr(26 + 7 * 766, 766), frames[7]);
        QCOMPARE(file->back(), 't');
    }

    void framesAreCutToTheIconSizeAndMustBeLongEnough()
    {
        // Of a longer icon only the first L bytes are copied.
        const auto file = encodeCompiled({3, 1, 2, "T"}, {"abcXYZ", "def"});
        QVERIFY(file.has_value());
        QCOMPARE(qbytes(file->substr(26)), QByteArray("abcdef"));
        QVERIFY(!encodeCompiled({3, 1, 2, "T"}, {"abc", "de"}).has_value());
        QVERIFY(!encodeCompiled({3, 1, 2, "T"}, {"abc"}).has_value());
        QVERIFY(!encodeCompiled({3, 1, 1, "T"}, {"abc", "def"}).has_value());
        QVERIFY(!encodeCompiled({3, 1, 1, "Thirteen char"}, {"abc"}).has_value());
    }

    void writtenFileReadsBack()
    {
        std::vector<std::string> frames = {bytes("\0\0\1\0ico1"), bytes("\0\0\1\0ico2")};
        const auto file = encodeCompiled({8, 10, 2, "  Rain  "}, frames);
        QVERIFY(file.has_value());
        std::istringstream in(*file);
        Recorder recorder;
        QCOMPARE(readCompiled(in, recorder.events()), CompiledReadOutcome::Complete);
        QCOMPARE(recorder.log, QStringList({"size 8", "speed 10", "count 2", "title [  Rain]",
                                            QString::fromLatin1("frame 1 \0\0\1\0ico1", 16),
                                            QString::fromLatin1("frame 2 \0\0\1\0ico2", 16)}));
    }

    void readOutcomes_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<CompiledReadOutcome>("outcome");
        QTest::addColumn<QStringList>("events");

        const QByteArray good = qbytes(threeFrames());
        const QStringList all =
            kHeaderEvents + QStringList{"frame 1 AAAA", "frame 2 BBBB", "frame 3 CCCC"};
        QTest::newRow("complete") << good << CompiledReadOutcome::Complete << all;

        // Cut short at several offsets: only the values read in full are reported.
        const QList<std::pair<int, QStringList>> cuts = {
            {0, {}},
            {4, {}},
            {5, {}},
            {9, {}},
            {10, {"size 4"}},
            {11, {"size 4"}},
            {12, {"size 4", "speed 7"}},
            {14, {"size 4", "speed 7", "count 3"}},
            {25, {"size 4", "speed 7", "count 3"}},
            {26, kHeaderEvents},
            {27, kHeaderEvents},
            {29, kHeaderEvents},
            {30, kHeaderEvents + QStringList{"frame 1 AAAA"}},
            {35, kHeaderEvents + QStringList{"frame 1 AAAA", "frame 2 BBBB"}},
            {37, kHeaderEvents + QStringList{"frame 1 AAAA", "frame 2 BBBB"}},
        };
        for (const auto& [length, events] : cuts) {
            QTest::addRow("cut at %d", length)
                << good.left(length) << CompiledReadOutcome::Truncated << events;
        }

        QTest::newRow("version 1.0") << QByteArray("GX1.0") + good.mid(5)
                                     << CompiledReadOutcome::OtherVersion << QStringList{};
        QTest::newRow("lower-case tag") << QByteArray("gx2.0") + good.mid(5)
                                        << CompiledReadOutcome::OtherVersion << QStringList{};
        QTest::newRow("version 2.1") << QByteArray("GX2.1") + good.mid(5)
                                     << CompiledReadOutcome::OtherVersion << QStringList{};
        QTest::newRow("five bytes only, other tag")
            << QByteArray("ABCDE") << CompiledReadOutcome::OtherVersion << QStringList{};

        QTest::newRow("icon size letters") << QByteArray("GX2.0abcde7 3 Tiny        ")
                                           << CompiledReadOutcome::BadNumber << QStringList{};
        QTest::newRow("icon size blank") << QByteArray("GX2.0     7 3 Tiny        ")
                                         << CompiledReadOutcome::BadNumber << QStringList{};
        QTest::newRow("icon size 99999") << QByteArray("GX2.0999997 3 Tiny        ")
                                         << CompiledReadOutcome::BadNumber << QStringList{};
        QTest::newRow("speed letters") << QByteArray("GX2.04    x 3 Tiny        ")
                                       << CompiledReadOutcome::BadNumber << QStringList{"size 4"};
        QTest::newRow("frame count blank")
            << QByteArray("GX2.04    7   Tiny        ") << CompiledReadOutcome::BadNumber
            << QStringList{"size 4", "speed 7"};
        QTest::newRow("frame count NUL")
            << QByteArray("GX2.04    7 \0\0Tiny        ", 26) << CompiledReadOutcome::BadNumber
            << QStringList{"size 4", "speed 7"};

        QTest::newRow("zero frames")
            << QByteArray("GX2.04    7 0 Tiny        AAAA") << CompiledReadOutcome::Complete
            << QStringList{"size 4", "speed 7", "count 0", "title [Tiny]"};
        QTest::newRow("negative frame count")
            << QByteArray("GX2.04    7 -1Tiny        ") << CompiledReadOutcome::Complete
            << QStringList{"size 4", "speed 7", "count -1", "title [Tiny]"};
        QTest::newRow("negative icon size with frames")
            << QByteArray("GX2.0-5   7 2 Tiny        AAAA") << CompiledReadOutcome::BadNumber
            << QStringList{"size -5", "speed 7", "count 2", "title [Tiny]"};
        QTest::newRow("negative icon size without frames")
            << QByteArray("GX2.0-5   7 0 Tiny        ") << CompiledReadOutcome::Complete
            << QStringList{"size -5", "speed 7", "count 0", "title [Tiny]"};
        QTest::newRow("empty records")
            << QByteArray("GX2.00    7 2 Tiny        ") << CompiledReadOutcome::Complete
            << QStringList{"size 0", "speed 7", "count 2", "title [Tiny]", "frame 1 ", "frame 2 "};
        QTest::newRow("huge icon size, short file")
            << QByteArray("GX2.0327677 2 Tiny        AAAA") << CompiledReadOutcome::Truncated
            << QStringList{"size 32767", "speed 7", "count 2", "title [Tiny]"};
    }

    void readOutcomes()
    {
        QFETCH(QByteArray, data);
        QFETCH(CompiledReadOutcome, outcome);
        QFETCH(QStringList, events);
        std::istringstream in(data.toStdString());
        Recorder recorder;
        QCOMPARE(readCompiled(in, recorder.events()), outcome);
        QCOMPARE(recorder.log, events);
    }

    void bytesAfterTheLastRecordAreNotRead()
    {
        std::istringstream in(threeFrames() + "TRAILER");
        Recorder recorder;
        QCOMPARE(readCompiled(in, recorder.events()), CompiledReadOutcome::Complete);
        std::string rest;
        std::getline(in, rest);
        QCOMPARE(qbytes(rest), QByteArray("TRAILER"));
    }

    void otherVersionReadsOnlyTheTag()
    {
        std::istringstream in("GX1.0rest");
        QCOMPARE(readCompiled(in, {}), CompiledReadOutcome::OtherVersion);
        QCOMPARE(static_cast<int>(in.tellg()), 5);
    }

    void callerStopsTheReading()
    {
        // The loader has 50 picture slots: it stops at frame 51.
        std::string file = "GX2.01    5 60Long        ";
        file.append(60, 'z');
        std::istringstream in(file);
        int seen = 0;
        CompiledReadEvents events;
        events.onFrame = [&seen](int index, std::string_view) {
            seen = index;
            return index <= kMaxFrames;
        };
        QCOMPARE(readCompiled(in, events), CompiledReadOutcome::StoppedByCaller);
        QCOMPARE(seen, 51);
        QCOMPARE(static_cast<int>(in.tellg()), 26 + 51);
    }

    void readsWithoutEventsAndWithThrowingStreams()
    {
        std::istringstream plain(threeFrames());
        QCOMPARE(readCompiled(plain, {}), CompiledReadOutcome::Complete);

        std::istringstream throwing(threeFrames().substr(0, 28));
        throwing.exceptions(std::ios::failbit | std::ios::badbit | std::ios::eofbit);
        QCOMPARE(readCompiled(throwing, {}), CompiledReadOutcome::Truncated);
    }

    void titleReader_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QByteArray>("title");
        QTest::newRow("whole file") << qbytes(threeFrames()) << true << QByteArray("Tiny");
        QTest::newRow("header only")
            << QByteArray("GX2.0766  1 20My Animation") << true << QByteArray("My Animation");
        QTest::newRow("magic not looked at")
            << QByteArray("XXXXXXXXXXXXXXRain        ") << true << QByteArray("Rain");
        QTest::newRow("leading spaces kept")
            << QByteArray("GX2.0766  1 20  Fish      ") << true << QByteArray("  Fish");
        QTest::newRow("all spaces")
            << QByteArray("GX2.0766  1 20            ") << true << QByteArray("");
        QTest::newRow("25 bytes") << QByteArray("GX2.0766  1 20My Animatio") << false
                                  << QByteArray();
        QTest::newRow("empty") << QByteArray() << false << QByteArray();
    }

    void titleReader()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, found);
        QFETCH(QByteArray, title);
        std::istringstream in(data.toStdString());
        const auto read = readCompiledTitle(in);
        QCOMPARE(read.has_value(), found);
        if (found) {
            QCOMPARE(qbytes(*read), title);
            QCOMPARE(static_cast<int>(in.tellg()), 26);
        }
    }
};

QTEST_APPLESS_MAIN(TestCompiledFile)
#include "tst_compiled_file.moc"
