#include "formats/icon_rules.h"
#include "test_bytes.h"

#include <QTest>

using namespace glimmer::formats;

class TestIconRules final : public QObject {
    Q_OBJECT

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
        const auto acceptedSize =
            accepted < 0 ? std::nullopt
                         : std::optional<std::uintmax_t>(static_cast<std::uintmax_t>(accepted));
        const auto check = checkIconFile(
            name.toStdString(), [size] { return std::optional<std::uintmax_t>(size); },
            acceptedSize);
        QCOMPARE(check.verdict, verdict);
        QCOMPARE(int(check.length), length);
    }

    void nameComesBeforeOpening()
    {
        // A file with another ending is "not an icon file" and never opened; one that
        // cannot be opened is "cannot be opened", whatever size was accepted.
        int opened = 0;
        const auto cannotOpen = [&opened] {
            ++opened;
            return std::optional<std::uintmax_t>();
        };
        QCOMPARE(checkIconFile("missing.bmp", cannotOpen, std::nullopt).verdict,
                 IconVerdict::NotAnIconFile);
        QCOMPARE(checkIconFile("", cannotOpen, std::nullopt).verdict, IconVerdict::NotAnIconFile);
        QCOMPARE(opened, 0);
        QCOMPARE(checkIconFile("gone.ico", cannotOpen, 318).verdict, IconVerdict::CannotBeOpened);
        QCOMPARE(opened, 1);
    }
};

QTEST_APPLESS_MAIN(TestIconRules)
#include "tst_icon_rules.moc"
