#include "formats/text_encoding.h"
#include "formats/title.h"
#include "test_bytes.h"

#include <QTest>

using namespace glimmer::formats;

class TestTextEncoding final : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips()
    {
        std::string all;
        for (int b = 0; b < 256; ++b) {
            all.push_back(static_cast<char>(b));
        }
        const auto utf8 = windows1252ToUtf8(all);
        // Each byte becomes exactly one character, and Qt agrees the result is UTF-8.
        QCOMPARE(QString::fromUtf8(qbytes(utf8)).toUcs4().size(), 256);
        const auto back = utf8ToWindows1252(utf8);
        QVERIFY(back.has_value());
        QCOMPARE(qbytes(*back), qbytes(all));
    }

    void knownBytes_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<uint>("character");
        QTest::newRow("A") << 0x41 << 0x41u;
        QTest::newRow("euro") << 0x80 << 0x20ACu;
        QTest::newRow("undefined 81") << 0x81 << 0x81u;
        QTest::newRow("undefined 8D") << 0x8D << 0x8Du;
        QTest::newRow("undefined 8F") << 0x8F << 0x8Fu;
        QTest::newRow("undefined 90") << 0x90 << 0x90u;
        QTest::newRow("undefined 9D") << 0x9D << 0x9Du;
        QTest::newRow("left single quote") << 0x91 << 0x2018u;
        QTest::newRow("trade mark") << 0x99 << 0x2122u;
        QTest::newRow("Y diaeresis") << 0x9F << 0x178u;
        QTest::newRow("no-break space") << 0xA0 << 0xA0u;
        QTest::newRow("e acute") << 0xE9 << 0xE9u;
        QTest::newRow("y diaeresis") << 0xFF << 0xFFu;
    }

    void knownBytes()
    {
        QFETCH(int, byte);
        QFETCH(uint, character);
        const std::string one(1, static_cast<char>(byte));
        const auto ucs4 = QString::fromUtf8(qbytes(windows1252ToUtf8(one))).toUcs4();
        QCOMPARE(ucs4.size(), 1);
        QCOMPARE(ucs4.front(), character);
        QVERIFY(windows1252CanHold(static_cast<char32_t>(character)));
        const auto back = utf8ToWindows1252(
            QString::fromUcs4(reinterpret_cast<const char32_t*>(&character), 1).toStdString());
        QVERIFY(back.has_value());
        QCOMPARE(qbytes(*back), qbytes(one));
    }

    void exactlyTheCharactersOfTheTableFit()
    {
        int count = 0;
        for (char32_t c = 0; c < 0x110000; ++c) {
            count += windows1252CanHold(c) ? 1 : 0;
        }
        QCOMPARE(count, 256);
        QVERIFY(!windows1252CanHold(U'\u0080')); // byte 0x80 is the euro sign
        QVERIFY(!windows1252CanHold(U'\u4E2D'));
        QVERIFY(!windows1252CanHold(U'\U0001F600'));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("CJK U+4E2D") << QByteArray("Ab\xE4\xB8\xAD");
        QTest::newRow("emoji") << QByteArray("\xF0\x9F\x98\x80");
        QTest::newRow("Cyrillic") << QByteArray("\xD0\x96");
        QTest::newRow("truncated sequence") << QByteArray("caf\xC3");
        QTest::newRow("lone continuation") << QByteArray("\x80");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF");
        QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xA9");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80");
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
        QTest::newRow("FF byte") << QByteArray("\xFF");
        QTest::newRow("missing continuation") << QByteArray("\xE2\x82x");
    }

    void refusals()
    {
        QFETCH(QByteArray, utf8);
        QVERIFY(!utf8ToWindows1252(utf8.toStdString()).has_value());
    }

    void typicalTitles()
    {
        QCOMPARE(qbytes(utf8ToWindows1252("My Animation").value()), QByteArray("My Animation"));
        QCOMPARE(qbytes(utf8ToWindows1252("Caf\xC3\xA9 \xE2\x82\xAC").value()),
                 QByteArray("Caf\xE9 \x80"));
        QCOMPARE(qbytes(utf8ToWindows1252("").value()), QByteArray());
        QCOMPARE(qbytes(utf8ToWindows1252(bytes("a\0b")).value()), QByteArray("a\0b", 3));
    }

    // A picture's name as a title: what Windows-1252 holds, one line, no double quotes,
    // at most twelve characters, no spaces at the ends. Save and Load refuse exactly
    // the control bytes below 0x20; the bytes other code pages use for letters stay.
    void titlesFromNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("title");
        QTest::newRow("plain") << QByteArray("summer-party-a") << QByteArray("summer-party");
        QTest::newRow("Cyrillic only")
            << QByteArray("\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB") << QByteArray();
        QTest::newRow("some letters held") << QByteArray("Caf\xC3\xA9 \xE4\xB8\xAD \xE2\x82\xAC")
                                           << QByteArray("Caf\xC3\xA9  \xE2\x82\xAC");
        QTest::newRow("quotes, tab, blanks")
            << QByteArray("  \"ball\"\t2  ") << QByteArray("ball2");
        QTest::newRow("malformed UTF-8 left out") << QByteArray("a\xFF\xC3"
                                                                "b")
                                                  << QByteArray("ab");
    }

    void titlesFromNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, title);
        QCOMPARE(QByteArray::fromStdString(titleFromName(name.toStdString())), title);
        for (int byte = 0; byte < 256; ++byte) {
            const std::string one(1, char(byte));
            QCOMPARE(isStorableTitle("Ti" + one + "tle"), byte >= 0x20);
        }
    }
};

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
