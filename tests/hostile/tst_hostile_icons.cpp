// Hostile icon files: chosen with "Choose Icon", and changed behind the editor's
// back between Choose Icon and Compile.

#include "EditorSession.h"
#include "Hostile.h"
#include "Texts.h"

#include <QDir>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

} // namespace

class HostileIconsTest final : public QObject {
    Q_OBJECT
private slots:
    void chooseIcon_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("trap");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("sparseLength"); ///< > 0: a file of that length, all holes
        QTest::addColumn<bool>("sizeAccepted");   ///< frame 1 already fixed the size at 318
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("recorded"); ///< the path became frame 2's
        QTest::addColumn<QString>("size");  ///< Lenlbl afterwards
        QTest::addColumn<bool>("picture");  ///< Iconimg shows a picture afterwards

        const QByteArray icon = iconBytes({.colour = 2});
        const QString none;
        for (const bool accepted : {false, true}) {
            const QString size = accepted ? "318" : "";
            const char* when = accepted ? "after a first icon" : "as the first icon";
            // Nothing that is not a readable regular file is ever waited on or taken.
            for (Trap trap :
                 {Trap::Directory, Trap::Fifo, Trap::DevZero, Trap::DevNull, Trap::LinkLoop,
                  Trap::LinkPair, Trap::Dangling, Trap::Unreadable, Trap::RootProof}) {
                QTest::addRow("%s, %s", qPrintable(trapName(trap)), when)
                    << "x.ico" << int(trap) << icon << qint64(0) << accepted << none << false
                    << size << false;
            }
            QTest::addRow("a 4 GiB sparse file, %s", when)
                << "x.ico" << int(Trap::None) << QByteArray() << (qint64(4) << 30) << accepted
                << kIconNotSuitable << false << size << false;
            QTest::addRow("1001 bytes, %s", when)
                << "x.ico" << int(Trap::None) << iconBytes({.length = 1001}) << qint64(0)
                << accepted << kIconNotSuitable << false << size << false;
            QTest::addRow("a link to a good icon, %s", when)
                << "link.ico" << int(Trap::None) << icon << qint64(0) << accepted << none << true
                << "318" << true;
            QTest::addRow("318 bytes that are no picture, %s", when)
                << "junk.ico" << int(Trap::None) << QByteArray(318, 'j') << qint64(0) << accepted
                << none << true << "318" << false;
            QTest::addRow("name ending in a blank, %s", when)
                << "x.ico " << int(Trap::None) << icon << qint64(0) << accepted
                << kNotAValidIconFile << false << size << false;
        }
        QTest::newRow("0 bytes, as the first icon")
            << "x.ico" << int(Trap::None) << QByteArray() << qint64(0) << false << QString() << true
            << "0" << false;
        QTest::newRow("0 bytes, after a first icon")
            << "x.ico" << int(Trap::None) << QByteArray() << qint64(0) << true
            << kSameIconFormatForAllFrames << false << "318" << false;
        QTest::newRow("1000 bytes, as the first icon")
            << "x.ico" << int(Trap::None) << iconBytes({.length = 1000}) << qint64(0) << false
            << QString() << true << "1000" << true;
    }

    /// Frame 2 is current (frame 1 has an icon when `sizeAccepted`); the user picks the
    /// row's file for it.
    void chooseIcon()
    {
        QFETCH(QString, name);
        QFETCH(int, trap);
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, sparseLength);
        QFETCH(bool, sizeAccepted);
        QFETCH(QString, message);
        QFETCH(bool, recorded);
        QFETCH(QString, size);
        QFETCH(bool, picture);
        if (const QString why = whyImpossible(Trap(trap)); !why.isEmpty())
            QSKIP(qPrintable(why));

        EditorSession s;
        const QString first = s.smallIcon("first.ico", 5);
        if (sizeAccepted)
            s.chooseIcon(first);
        s.goToFrame(2);

        const QString path = s.t.path(name);
        if (name == "link.ico") {
            QVERIFY(plant(Trap::None, s.t.path("target.ico"), bytes));
            QVERIFY(QFile::link("target.ico", path));
        } else {
            QVERIFY(plant(Trap(trap), path, bytes));
        }
        if (sparseLength > 0)
            QVERIFY(QFile(path).resize(sparseLength));
        const auto before = listing(s.t.folder.path());

        QVERIFY2(runGuarded(s.t.folder.path(), {{Trap(trap), path}}, [&] { s.chooseIcon(path); }),
                 "Choose Icon waited on the FIFO");

        QCOMPARE(s.t.messages.texts(), expectedMessages(message));
        QCOMPARE(s.frameFile(2), recorded ? path : QString());
        QCOMPARE(s.editor().Filenamelbl->text(), recorded ? path : QString());
        QCOMPARE(s.editor().Lenlbl->text(), size);
        QCOMPARE(int(s.editor().model().IconSize), size.toInt());
        QCOMPARE(!s.shownPicture().isNull(), picture);
        QCOMPARE(s.frameFile(1), sizeAccepted ? first : QString());
        QCOMPARE(s.editor().HScroll1->value(), 2);
        QCOMPARE(listing(s.t.folder.path()), before);
    }

    void changedBeforeCompile_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("trap"); ///< what replaces frame 2's icon, for "replaced"
        QTest::addColumn<QString>("message");
        QTest::newRow("shrunk by one byte") << "shrink" << 0 << kErrorWritingCompilationAborted;
        QTest::newRow("emptied") << "empty" << 0 << kErrorWritingCompilationAborted;
        QTest::newRow("grown") << "grow" << 0 << kAnimationCompiled;
        QTest::newRow("rewritten with other bytes") << "rewrite" << 0 << kAnimationCompiled;
        QTest::newRow("deleted") << "delete" << 0 << kIconFilesMissingCompilationAborted;
        for (Trap trap : {Trap::Directory, Trap::Fifo, Trap::DevZero, Trap::DevNull, Trap::LinkLoop,
                          Trap::LinkPair, Trap::Dangling, Trap::Unreadable, Trap::RootProof}) {
            QTest::addRow("replaced by a %s", qPrintable(trapName(trap)))
                << "replace" << int(trap) << kIconFilesMissingCompilationAborted;
        }
    }

    /// Two frames with good icons; frame 2's file changes after it was chosen. A
    /// failed compile leaves no .gx and changes nothing else; the editor compiles
    /// again once the icon is back.
    void changedBeforeCompile()
    {
        QFETCH(QString, change);
        QFETCH(int, trap);
        QFETCH(QString, message);
        if (const QString why = whyImpossible(Trap(trap)); !why.isEmpty())
            QSKIP(qPrintable(why));

        EditorSession s;
        const QByteArray secondBytes = iconBytes({.colour = 9});
        s.setFrameCount(2);
        s.chooseIconFor(1, s.smallIcon("one.ico", 4));
        const QString second = s.icon("two.ico", secondBytes);
        s.chooseIconFor(2, second);
        QVERIFY(s.t.messages.shown.empty());

        QByteArray expectedSecond = secondBytes;
        if (change == "shrink") {
            QVERIFY(QFile(second).resize(317));
        } else if (change == "empty") {
            QVERIFY(QFile(second).resize(0));
        } else if (change == "grow") {
            QFile file(second);
            QVERIFY(file.open(QIODevice::Append));
            file.write(QByteArray(100, 'g'));
        } else if (change == "rewrite") {
            expectedSecond = iconBytes({.colour = 11});
            QVERIFY(QFile::remove(second));
            writeFile(second, expectedSecond);
        } else {
            QVERIFY(QFile::remove(second));
            if (change == "replace")
                QVERIFY(plant(Trap(trap), second, secondBytes));
        }
        const auto before = listing(s.t.folder.path());
        s.t.messages.clear();

        const QString out = s.t.path("out.gx");
        QVERIFY2(runGuarded(s.t.folder.path(), {{Trap(trap), second}}, [&] { s.compile(out); }),
                 "Compile waited on the FIFO");

        QCOMPARE(s.t.messages.texts(), QStringList{message});
        QCOMPARE(s.frameFile(2), second);
        QCOMPARE(s.editor().Lenlbl->text(), QStringLiteral("318"));
        auto after = listing(s.t.folder.path());
        if (message == kAnimationCompiled) {
            QVERIFY(after.contains("out.gx"));
            const QByteArray written = readFile(out);
            QCOMPARE(written.size(), 26 + 2 * 318);
            QCOMPARE(written.mid(26 + 318), expectedSecond);
            after.remove("out.gx");
        }
        QCOMPARE(after, before); // in particular no out.gx after a failure

        // The editor is still usable: with the icon back, the same compile works.
        removeTrap(second);
        writeFile(second, secondBytes);
        s.t.messages.clear();
        s.compile(out);
        QCOMPARE(s.t.messages.texts(), QStringList{kAnimationCompiled});
        QCOMPARE(readFile(out).mid(26 + 318), secondBytes);
    }
};

QTEST_MAIN(HostileIconsTest)
#include "tst_hostile_icons.moc"
