#include "formats/number_field.h"
#include "test_bytes.h"

#include <QTest>

using namespace glimmer::formats;

class TestNumberField final : public QObject {
    Q_OBJECT

private slots:
    void parseInt16_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");

        // What the compiled file's fields hold.
        QTest::newRow("speed field 5") << QByteArray("5 ") << true << 5;
        QTest::newRow("speed field 10") << QByteArray("10") << true << 10;
        QTest::newRow("icon size 766") << QByteArray("766  ") << true << 766;
        QTest::newRow("icon size 1000") << QByteArray("1000 ") << true << 1000;
        QTest::newRow("icon size 0") << QByteArray("0    ") << true << 0;
        // Accepted variations.
        QTest::newRow("leading spaces") << QByteArray("  7") << true << 7;
        QTest::newRow("plus sign") << QByteArray("+8") << true << 8;
        QTest::newRow("minus sign") << QByteArray("-3 ") << true << -3;
        QTest::newRow("leading zeros") << QByteArray("0000000000012") << true << 12;
        QTest::newRow("largest") << QByteArray("32767") << true << 32767;
        QTest::newRow("smallest") << QByteArray("-32768") << true << -32768;
        QTest::newRow("minus zero") << QByteArray("-0") << true << 0;
        // Refused.
        QTest::newRow("empty") << QByteArray("") << false << 0;
        QTest::newRow("spaces only") << QByteArray("     ") << false << 0;
        QTest::newRow("letters") << QByteArray("ab") << false << 0;
        QTest::newRow("digits then letter") << QByteArray("5a") << false << 0;
        QTest::newRow("too large") << QByteArray("99999") << false << 0;
        QTest::newRow("one above") << QByteArray("32768") << false << 0;
        QTest::newRow("one below") << QByteArray("-32769") << false << 0;
        QTest::newRow("many digits") << QByteArray("123456789012345678901234567890") << false << 0;
        QTest::newRow("sign only") << QByteArray("-") << false << 0;
        QTest::newRow("plus only") << QByteArray("+ ") << false << 0;
        QTest::newRow("blank after sign") << QByteArray("- 5") << false << 0;
        QTest::newRow("two signs") << QByteArray("+-5") << false << 0;
        QTest::newRow("inner space") << QByteArray("1 2") << false << 0;
        QTest::newRow("tab before") << QByteArray("\t5") << false << 0;
        QTest::newRow("tab after") << QByteArray("5\t") << false << 0;
        QTest::newRow("decimal point") << QByteArray("1.0") << false << 0;
        QTest::newRow("hexadecimal") << QByteArray("0x10") << false << 0;
        QTest::newRow("exponent") << QByteArray("1e3") << false << 0;
        QTest::newRow("NUL byte") << QByteArray("5\0", 2) << false << 0;
        QTest::newRow("high byte") << QByteArray("5\xB2") << false << 0;
    }

    void parseInt16()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const auto parsed = glimmer::formats::parseInt16(
            std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QCOMPARE(int{*parsed}, value);
        }
    }

    void trimRightDropsOnlyTrailingSpaces()
    {
        QCOMPARE(qbytes(trimRight("Rain        ")), QByteArray("Rain"));
        QCOMPARE(qbytes(trimRight("  Rain  ")), QByteArray("  Rain"));
        QCOMPARE(qbytes(trimRight("Rain\t ")), QByteArray("Rain\t"));
        QCOMPARE(qbytes(trimRight("            ")), QByteArray(""));
        QCOMPARE(qbytes(trimRight("")), QByteArray(""));
        QCOMPARE(qbytes(trimRight(bytes("a\0 "))), QByteArray("a\0", 2));
    }
};

QTEST_APPLESS_MAIN(TestNumberField)
#include "tst_number_field.moc"
