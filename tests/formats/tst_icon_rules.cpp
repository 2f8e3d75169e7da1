#include "formats/icon_rules.h"
#include "formats/regular_file.h"
#include "test_bytes.h"

#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace glimmer::formats;
namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, std::size_t size, char fill = 'i')
{
    std::ofstream out(path, std::ios::binary);
    out << std::string(size, fill);
}

// Runs checkIconFile on a thread and fails if it has not answered within five
// seconds; a reader that blocks on a FIFO is released by opening its other end.
IconCheck checkWithoutBlocking(const fs::path& path)
{
    auto pending = std::async(std::launch::async,
                              [path] { return checkIconFile(path, path.string(), std::nullopt); });
    if (pending.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            ::close(fd);
        }
        pending.wait();
        return {IconVerdict::Accepted, 999999}; // marks the blocked call
    }
    return pending.get();
}

} // namespace

class TestIconRules final : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    fs::path at(const char* name) const { return fs::path(dir_.path().toStdString()) / name; }

private slots:
    void nameTest_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("passes");
        QTest::newRow("smile.ico") << QByteArray("/home/ann/smile.ico") << true;
        QTest::newRow("SMILE.ICO") << QByteArray("/home/ann/SMILE.ICO") << true;
        QTest::newRow("mixed case") << QByteArray("C:\\Icons\\Smile.iCo") << true;
        QTest::newRow("picnico without dot") << QByteArray("/home/ann/picnico") << true;
        QTest::newRow("exactly ico") << QByteArray("ico") << true;
        QTest::newRow("smile.icon") << QByteArray("/home/ann/smile.icon") << false;
        QTest::newRow("smile.bmp") << QByteArray("/home/ann/smile.bmp") << false;
        QTest::newRow("empty path") << QByteArray("") << false;
        QTest::newRow("shorter than three") << QByteArray("co") << false;
        QTest::newRow("trailing space") << QByteArray("smile.ico ") << false;
        QTest::newRow("dotless i is no i") << QByteArray("smile.\xC4\xB1"
                                                         "co")
                                           << false;
        QTest::newRow("Latin-1 lookalike") << QByteArray("smile.\xCD"
                                                         "CO")
                                           << false;
    }

    void nameTest()
    {
        QFETCH(QByteArray, path);
        QFETCH(bool, passes);
        QCOMPARE(hasIconName(path.toStdString()), passes);
    }

    void lengthRules_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("accepted"); // -1: no icon size accepted yet
        QTest::addColumn<IconVerdict>("verdict");
        QTest::addColumn<int>("length");

        using V = IconVerdict;
        QTest::newRow("smile.ico, first")
            << QByteArray("smile.ico") << 318 << -1 << V::Accepted << 318;
        QTest::newRow("SMILE.ICO, first")
            << QByteArray("SMILE.ICO") << 318 << -1 << V::Accepted << 318;
        QTest::newRow("picnico") << QByteArray("picnico") << 318 << -1 << V::Accepted << 318;
        QTest::newRow("smile.icon not opened")
            << QByteArray("smile.icon") << 318 << -1 << V::NotAnIconFile << 0;
        QTest::newRow("smile.bmp not opened")
            << QByteArray("smile.bmp") << 318 << 318 << V::NotAnIconFile << 0;
        QTest::newRow("1000 bytes") << QByteArray("big.ico") << 1000 << -1 << V::Accepted << 1000;
        QTest::newRow("1001 bytes")
            << QByteArray("big.ico") << 1001 << -1 << V::NotSuitable << 1001;
        QTest::newRow("766 after 318")
            << QByteArray("b.ico") << 766 << 318 << V::DifferentFormat << 766;
        QTest::newRow("1406 after 318: limit first")
            << QByteArray("c.ico") << 1406 << 318 << V::NotSuitable << 1406;
        QTest::newRow("318 after 318") << QByteArray("d.ico") << 318 << 318 << V::Accepted << 318;
        QTest::newRow("766 first") << QByteArray("e.ico") << 766 << -1 << V::Accepted << 766;
        QTest::newRow("zero length first")
            << QByteArray("empty.ico") << 0 << -1 << V::Accepted << 0;
        QTest::newRow("zero length after 0")
            << QByteArray("empty.ico") << 0 << 0 << V::Accepted << 0;
        QTest::newRow("318 after 0")
            << QByteArray("f.ico") << 318 << 0 << V::DifferentFormat << 318;
        QTest::newRow("1001 after 1000")
            << QByteArray("g.ico") << 1001 << 1000 << V::NotSuitable << 1001;
    }

    void lengthRules()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, size);
        QFETCH(int, accepted);
        QFETCH(IconVerdict, verdict);
        QFETCH(int, length);
        QVERIFY(dir_.isValid());
        const auto path = at(name.constData());
        writeFile(path, static_cast<std::size_t>(size));
        const auto acceptedSize =
            accepted < 0 ? std::nullopt
                         : std::optional<std::uintmax_t>(static_cast<std::uintmax_t>(accepted));
        const auto check = checkIconFile(path, path.string(), acceptedSize);
        QCOMPARE(check.verdict, verdict);
        QCOMPARE(int(check.length), length);
        fs::remove(path);
    }

    void nameComesBeforeOpening()
    {
        // A missing file with another ending is "not an icon file", not "cannot be opened".
        QCOMPARE(checkIconFile(at("missing.bmp"), "missing.bmp", std::nullopt).verdict,
                 IconVerdict::NotAnIconFile);
        QCOMPARE(checkIconFile("", "", std::nullopt).verdict, IconVerdict::NotAnIconFile);
        // The name test uses the text, as the file dialog returned it.
        writeFile(at("real.ico"), 318);
        QCOMPARE(checkIconFile(at("real.ico"), "shown.bmp", std::nullopt).verdict,
                 IconVerdict::NotAnIconFile);
    }

    void onlyRegularFilesOpen()
    {
        QVERIFY(dir_.isValid());
        writeFile(at("target.ico"), 318);

        fs::create_directory(at("folder.ico"));
        QCOMPARE(checkWithoutBlocking(at("folder.ico")).verdict, IconVerdict::CannotBeOpened);

        QCOMPARE(::mkfifo(at("pipe.ico").c_str(), 0600), 0);
        QCOMPARE(checkWithoutBlocking(at("pipe.ico")).verdict, IconVerdict::CannotBeOpened);

        fs::create_symlink("/dev/null", at("null.ico"));
        QCOMPARE(checkWithoutBlocking(at("null.ico")).verdict, IconVerdict::CannotBeOpened);

        fs::create_symlink(at("gone"), at("dangling.ico"));
        QCOMPARE(checkWithoutBlocking(at("dangling.ico")).verdict, IconVerdict::CannotBeOpened);

        fs::create_symlink(at("loop2.ico"), at("loop1.ico"));
        fs::create_symlink(at("loop1.ico"), at("loop2.ico"));
        QCOMPARE(checkWithoutBlocking(at("loop1.ico")).verdict, IconVerdict::CannotBeOpened);

        QCOMPARE(checkWithoutBlocking(at("missing.ico")).verdict, IconVerdict::CannotBeOpened);

        fs::create_symlink(at("target.ico"), at("link.ico"));
        const auto viaLink = checkWithoutBlocking(at("link.ico"));
        QCOMPARE(viaLink.verdict, IconVerdict::Accepted);
        QCOMPARE(int(viaLink.length), 318);

        for (const char* name :
             {"folder.ico", "pipe.ico", "null.ico", "dangling.ico", "loop1.ico"}) {
            QVERIFY2(!isReadableRegularFile(at(name)), name);
            QVERIFY2(!readRegularFile(at(name), 4096).has_value(), name);
        }
    }

    void unreadableFileCannotBeOpened()
    {
        if (::geteuid() == 0) {
            QSKIP("root reads files whatever their mode");
        }
        writeFile(at("locked.ico"), 318);
        fs::permissions(at("locked.ico"), fs::perms::none);
        QCOMPARE(checkIconFile(at("locked.ico"), "locked.ico", std::nullopt).verdict,
                 IconVerdict::CannotBeOpened);
        QVERIFY(!readRegularFile(at("locked.ico"), 4096).has_value());
    }

    void readRegularFileHonoursTheLimit()
    {
        std::ofstream(at("data.bin"), std::ios::binary) << std::string("a\0b\r\n", 5);
        QCOMPARE(qbytes(readRegularFile(at("data.bin"), 5).value()), QByteArray("a\0b\r\n", 5));
        QVERIFY(!readRegularFile(at("data.bin"), 4).has_value());
        writeFile(at("empty.bin"), 0);
        QCOMPARE(readRegularFile(at("empty.bin"), 0).value(), std::string());
        QCOMPARE(readableRegularFileLength(at("data.bin")).value(), std::uintmax_t{5});
    }
};

QTEST_APPLESS_MAIN(TestIconRules)
#include "tst_icon_rules.moc"
