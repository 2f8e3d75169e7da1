#include "formats/raw_file.h"
#include "test_bytes.h"

#include <QTest>

using namespace glimmer::formats;

namespace {

RawAnimation animation(std::string title, std::vector<std::string> paths)
{
    return {std::move(title), "3", std::to_string(paths.size()), "318", std::move(paths)};
}

QByteArray joinLines(const QList<QByteArray>& lines, const QByteArray& end = "\r\n")
{
    QByteArray out;
    for (const auto& line : lines) {
        out += line + end;
    }
    return out;
}

QList<QByteArray> asList(const std::vector<std::string>& values)
{
    QList<QByteArray> out;
    for (const auto& v : values) {
        out << qbytes(v);
    }
    return out;
}

} // namespace

class TestRawFile final : public QObject {
    Q_OBJECT

private slots:
    void writesOneLinePerValue()
    {
        const auto result =
            encodeRaw({"My Animation", "1", "3", "318", {"/home/ann/smile.ico", "", "/tmp/b.ico"}});
        QCOMPARE(result.error, RawWriteError::None);
        QCOMPARE(qbytes(result.bytes), QByteArray("Raw Glimmerbox File Format\r\n"
                                                  "Open Format for easy editing\r\n"
                                                  "My Animation\r\n"
                                                  "1\r\n"
                                                  "3\r\n"
                                                  "318\r\n"
                                                  "/home/ann/smile.ico\r\n"
                                                  "\r\n"
                                                  "/tmp/b.ico\r\n"));
    }

    void twentyFramesGiveTwentySixLines()
    {
        std::vector<std::string> paths(20);
        paths[0] = "/icons/one.ico";
        const auto result = encodeRaw({"My Animation", "1", "20", "318", paths});
        QCOMPARE(result.error, RawWriteError::None);
        const auto lines = qbytes(result.bytes).split('\n');
        QCOMPARE(lines.size(), 27); // 26 lines and nothing after the last CR LF
        QCOMPARE(lines.back(), QByteArray());
        QCOMPARE(lines[6], QByteArray("/icons/one.ico\r"));
        for (int i = 7; i < 26; ++i) {
            QCOMPARE(lines[i], QByteArray("\r"));
        }
        QCOMPARE(decodeRaw(result.bytes).paths, paths);
    }

    void roundTrips_data()
    {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("written"); // the title's line as written

        QTest::newRow("plain") << QByteArray("My Animation") << QByteArray("/a/b.ico")
                               << QByteArray("My Animation");
        QTest::newRow("comma in title") << QByteArray("Clouds, rain") << QByteArray("/a/b.ico")
                                        << QByteArray("\"Clouds, rain\"");
        QTest::newRow("comma in path")
            << QByteArray("T") << QByteArray("/home/a,b/x,y.ico") << QByteArray("T");
        QTest::newRow("quote inside")
            << QByteArray("Say \"hi\"") << QByteArray("/a/\"q\".ico") << QByteArray("Say \"hi\"");
        QTest::newRow("leading blank")
            << QByteArray("  Rain") << QByteArray(" /a.ico") << QByteArray("\"  Rain\"");
        QTest::newRow("trailing blank")
            << QByteArray("Rain\t") << QByteArray("/a.ico ") << QByteArray("\"Rain\t\"");
        QTest::newRow("all blanks") << QByteArray("   ") << QByteArray("") << QByteArray("\"   \"");
        QTest::newRow("empty title") << QByteArray("") << QByteArray("/a.ico") << QByteArray("");
        QTest::newRow("Windows-1252 bytes")
            << QByteArray("Caf\xE9 \x80") << QByteArray("/\xC3\xA9.ico")
            << QByteArray("Caf\xE9 \x80");
        QTest::newRow("NUL bytes")
            << QByteArray("a\0b", 3) << QByteArray("/x\0.ico", 7) << QByteArray("a\0b", 3);
        QTest::newRow("backslashes")
            << QByteArray("C:\\") << QByteArray("C:\\Icons\\a.ico") << QByteArray("C:\\");
    }

    void roundTrips()
    {
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, written);
        const std::vector<std::string> paths = {"/first.ico", path.toStdString(),
                                                path.toStdString()};
        const auto result = encodeRaw(animation(title.toStdString(), paths));
        QCOMPARE(result.error, RawWriteError::None);
        QCOMPARE(qbytes(result.bytes).split('\n').at(2), written + "\r");

        const auto read = decodeRaw(result.bytes);
        QCOMPARE(read.outcome, RawReadOutcome::Ok);
        QCOMPARE(qbytes(read.title), title);
        QCOMPARE(int{read.speed}, 3);
        QCOMPARE(int{read.frameCount}, 3);
        QCOMPARE(int{read.iconSize}, 318);
        QCOMPARE(asList(read.paths), asList(paths));
    }

    void unwritableValues_data()
    {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<int>("index");
        QTest::newRow("title with quote and comma") << QByteArray("a,\"b") << QByteArray() << 2;
        QTest::newRow("title starting with quote") << QByteArray("\"Rain") << QByteArray() << 2;
        QTest::newRow("title with line feed") << QByteArray("a\nb") << QByteArray() << 2;
        QTest::newRow("title with CR") << QByteArray("a\rb") << QByteArray() << 2;
        QTest::newRow("second path with CR LF") << QByteArray("T") << QByteArray("/a\r\n.ico") << 7;
        QTest::newRow("second path blank and quote")
            << QByteArray("T") << QByteArray(" \"x.ico") << 7;
    }

    void unwritableValues()
    {
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, path);
        QFETCH(int, index);
        const auto result =
            encodeRaw(animation(title.toStdString(), {"/ok.ico", path.toStdString()}));
        QCOMPARE(result.error, RawWriteError::UnwritableValue);
        QCOMPARE(int(result.badValueIndex), index);
        QVERIFY(result.bytes.empty());
    }

    void numbersThatCannotBeWritten()
    {
        auto bad = animation("T", {});
        bad.speed = "1\r\n2";
        const auto result = encodeRaw(bad);
        QCOMPARE(result.error, RawWriteError::UnwritableValue);
        QCOMPARE(result.badValueIndex, kRawSpeedIndex);
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<RawReadOutcome>("outcome");
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("frameCount");
        QTest::addColumn<int>("iconSize");
        QTest::addColumn<QList<QByteArray>>("paths");

        const QList<QByteArray> head = {"Raw Glimmerbox File Format",
                                        "Open Format for easy editing"};
        const auto file = [&](const QList<QByteArray>& values, const QByteArray& end = "\r\n") {
            return joinLines(head + values, end);
        };
        const QList<QByteArray> two = {"/a.ico", "/b.ico"};

        QTest::newRow("editor's file")
            << file({"Fish", "4", "2", "766", "/a.ico", "/b.ico"}) << RawReadOutcome::Ok
            << QByteArray("Fish") << 4 << 2 << 766 << two;
        QTest::newRow("LF only") << file({"Fish", "4", "2", "766", "/a.ico", "/b.ico"}, "\n")
                                 << RawReadOutcome::Ok << QByteArray("Fish") << 4 << 2 << 766
                                 << two;
        QTest::newRow("CR only") << file({"Fish", "4", "2", "766", "/a.ico", "/b.ico"}, "\r")
                                 << RawReadOutcome::Ok << QByteArray("Fish") << 4 << 2 << 766
                                 << two;
        QTest::newRow("no line end after last")
            << file({"Fish", "4", "2", "766", "/a.ico"}) + "/b.ico" << RawReadOutcome::Ok
            << QByteArray("Fish") << 4 << 2 << 766 << two;
        QTest::newRow("header lines replaced")
            << joinLines({"anything", "at all", "Fish", "4", "2", "766", "/a.ico", "/b.ico"})
            << RawReadOutcome::Ok << QByteArray("Fish") << 4 << 2 << 766 << two;
        QTest::newRow("header values on one line")
            << joinLines({"one,two", "Fish", "4", "2", "766", "/a.ico", "/b.ico"})
            << RawReadOutcome::Ok << QByteArray("Fish") << 4 << 2 << 766 << two;
        QTest::newRow("comma in unquoted title")
            << file({"Clouds, rain", "4", "2", "766", "/a.ico", "/b.ico"})
            << RawReadOutcome::BadNumber << QByteArray("Clouds") << 0 << 0 << 0
            << QList<QByteArray>{};
        QTest::newRow("hand-quoted path with commas")
            << file({"Fish", "4", "1", "766", "\"/x/a,b.ico\""}) << RawReadOutcome::Ok
            << QByteArray("Fish") << 4 << 1 << 766 << QList<QByteArray>{"/x/a,b.ico"};
        QTest::newRow("quoted value spans lines")
            << file({"\"Fi\r\nsh\"", "4", "1", "766", "/a.ico"}) << RawReadOutcome::Ok
            << QByteArray("Fi\r\nsh") << 4 << 1 << 766 << QList<QByteArray>{"/a.ico"};
        QTest::newRow("text after closing quote dropped")
            << file({"\"Fish\"tail,4", "1", "766", "/a.ico"}) << RawReadOutcome::Ok
            << QByteArray("Fish") << 4 << 1 << 766 << QList<QByteArray>{"/a.ico"};
        QTest::newRow("blanks around unquoted values")
            << file({"  Fish  ", " 4 ", "\t2", "766 ", "  /a.ico ", "\"  /b.ico \""})
            << RawReadOutcome::Ok << QByteArray("Fish") << 4 << 2 << 766
            << QList<QByteArray>{"/a.ico", "  /b.ico "};
        QTest::newRow("trailing comma gives an empty value")
            << file({"Fish", "4", "2", "766", "/a.ico,"}) << RawReadOutcome::Ok
            << QByteArray("Fish") << 4 << 2 << 766 << QList<QByteArray>{"/a.ico", ""};
        QTest::newRow("trailing comma at end of data")
            << file({"Fish", "4", "2", "766"}) + "/a.ico," << RawReadOutcome::Ok
            << QByteArray("Fish") << 4 << 2 << 766 << QList<QByteArray>{"/a.ico", ""};
        QTest::newRow("LF CR is two line ends")
            << file({"Fish", "4", "2", "766"}) + "/a.ico\n\r" << RawReadOutcome::Ok
            << QByteArray("Fish") << 4 << 2 << 766 << QList<QByteArray>{"/a.ico", ""};
        QTest::newRow("values after the last are not read")
            << file({"Fish", "4", "1", "766", "/a.ico", "junk", "\"never closed"})
            << RawReadOutcome::Ok << QByteArray("Fish") << 4 << 1 << 766
            << QList<QByteArray>{"/a.ico"};
        QTest::newRow("NUL bytes")
            << file({QByteArray("F\0sh", 4), "4", "1", "766", QByteArray("\0", 1)})
            << RawReadOutcome::Ok << QByteArray("F\0sh", 4) << 4 << 1 << 766
            << QList<QByteArray>{QByteArray("\0", 1)};
        QTest::newRow("speed and count out of range are read")
            << file({"Fish", "11", "0", "766"}) << RawReadOutcome::Ok << QByteArray("Fish") << 11
            << 0 << 766 << QList<QByteArray>{};
        QTest::newRow("negative count reads no path")
            << file({"Fish", "4", "-3", "766"}) << RawReadOutcome::Ok << QByteArray("Fish") << 4
            << -3 << 766 << QList<QByteArray>{};
        QTest::newRow("50 frames")
            << file(QList<QByteArray>{"Fish", "4", "50", "766"} + QList<QByteArray>(50, "/p.ico"))
            << RawReadOutcome::Ok << QByteArray("Fish") << 4 << 50 << 766
            << QList<QByteArray>(50, "/p.ico");

        QTest::newRow("51 frames")
            << file(QList<QByteArray>{"Fish", "4", "51", "766"} + QList<QByteArray>(51, "/p.ico"))
            << RawReadOutcome::TooManyFrames << QByteArray("Fish") << 4 << 51 << 766
            << QList<QByteArray>{};
        QTest::newRow("too few paths")
            << file({"Fish", "4", "3", "766", "/a.ico", "/b.ico"}) << RawReadOutcome::Truncated
            << QByteArray("Fish") << 4 << 3 << 766 << two;
        QTest::newRow("header values only")
            << file({"Fish", "4", "3", "766"}) << RawReadOutcome::Truncated << QByteArray("Fish")
            << 4 << 3 << 766 << QList<QByteArray>{};
        QTest::newRow("empty file") << QByteArray() << RawReadOutcome::Truncated << QByteArray()
                                    << 0 << 0 << 0 << QList<QByteArray>{};
        QTest::newRow("ends inside the numbers")
            << file({"Fish", "4"}) << RawReadOutcome::Truncated << QByteArray("Fish") << 4 << 0 << 0
            << QList<QByteArray>{};
        QTest::newRow("quote never closed")
            << file({"Fish", "4", "1", "766", "\"/a.ico"}) << RawReadOutcome::Truncated
            << QByteArray("Fish") << 4 << 1 << 766 << QList<QByteArray>{};
        QTest::newRow("speed not a number")
            << file({"Fish", "fast", "2", "766"}) << RawReadOutcome::BadNumber << QByteArray("Fish")
            << 0 << 0 << 0 << QList<QByteArray>{};
        QTest::newRow("count empty") << file({"Fish", "4", "", "766"}) << RawReadOutcome::BadNumber
                                     << QByteArray("Fish") << 4 << 0 << 0 << QList<QByteArray>{};
        QTest::newRow("icon size not a number")
            << file({"Fish", "4", "1", "big", "/a.ico"}) << RawReadOutcome::BadNumber
            << QByteArray("Fish") << 4 << 1 << 0 << QList<QByteArray>{};
        QTest::newRow("icon size empty")
            << file({"Fish", "4", "1", "", "/a.ico"}) << RawReadOutcome::BadNumber
            << QByteArray("Fish") << 4 << 1 << 0 << QList<QByteArray>{};
        QTest::newRow("count beyond 16 bits")
            << file({"Fish", "4", "70000", "766"}) << RawReadOutcome::BadNumber
            << QByteArray("Fish") << 4 << 0 << 0 << QList<QByteArray>{};
    }

    void reading()
    {
        QFETCH(QByteArray, data);
        QFETCH(RawReadOutcome, outcome);
        QFETCH(QByteArray, title);
        QFETCH(int, speed);
        QFETCH(int, frameCount);
        QFETCH(int, iconSize);
        QFETCH(QList<QByteArray>, paths);
        const auto read =
            decodeRaw(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
        QCOMPARE(read.outcome, outcome);
        QCOMPARE(qbytes(read.title), title);
        QCOMPARE(int{read.speed}, speed);
        QCOMPARE(int{read.frameCount}, frameCount);
        QCOMPARE(int{read.iconSize}, iconSize);
        QCOMPARE(asList(read.paths), paths);
    }

    void longLinesAreFine()
    {
        const std::string title(std::size_t{1} << 20, 'x');
        const std::string data = "a\r\nb\r\n" + title + "\r\n1\r\n1\r\n0\r\n" + title;
        const auto read = decodeRaw(data);
        QCOMPARE(read.outcome, RawReadOutcome::Ok);
        QCOMPARE(read.title.size(), title.size());
        QCOMPARE(read.paths.size(), std::size_t{1});
        QCOMPARE(read.paths[0].size(), title.size());
    }
};

QTEST_APPLESS_MAIN(TestRawFile)
#include "tst_raw_file.moc"
