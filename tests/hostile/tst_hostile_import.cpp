// Hostile pictures chosen with "Import": each is refused in one sentence that names
// it, the animation in the editor stays as it was, and no folder or file is left.

#include "EditorSession.h"
#include "Hostile.h"
#include "Texts.h"

#include <QDir>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

const QString kPictures = QStringLiteral(GLIMMER_TEST_DATA_DIR "/pictures");

/// A good picture to import.
QByteArray pngBytes()
{
    return pictureBytes(32, 32, {Qt::red});
}

QByteArray dataFile(const QString& name)
{
    return readFile(kPictures + "/" + name);
}

} // namespace

class HostileImportTest final : public QObject {
    Q_OBJECT
private slots:
    void import_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("trap");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");

        // Nothing that is not a readable regular file is ever waited on or read.
        for (Trap trap : {Trap::Directory, Trap::Fifo, Trap::DevZero, Trap::DevNull, Trap::LinkLoop,
                          Trap::Dangling, Trap::Unreadable}) {
            QTest::addRow("a %s", qPrintable(trapName(trap)))
                << "x.gif" << int(trap) << pngBytes() << notAPictureToImport("x.gif");
        }
        QTest::newRow("nothing at all")
            << "gone.gif" << int(Trap::None) << QByteArray() << pictureDoesNotExist("gone.gif");
        QTest::newRow("text named .gif")
            << "notes.gif" << int(Trap::None) << QByteArray("just some words\n")
            << notAPictureToImport("notes.gif");
        QTest::newRow("an empty file")
            << "empty.png" << int(Trap::None) << QByteArray() << notAPictureToImport("empty.png");
        QTest::newRow("a GIF without frames")
            << "none.gif" << int(Trap::None) << dataFile("no-frames.gif")
            << pictureCannotBeRead("none.gif");
        QTest::newRow("a PNG cut short") << "cut.png" << int(Trap::None) << pngBytes().left(60)
                                         << pictureCannotBeRead("cut.png");
        QTest::newRow("a GIF cut in its header")
            << "cut.gif" << int(Trap::None) << dataFile("three-frames.gif").left(24)
            << pictureCannotBeRead("cut.gif");
        // 1.4 KB declaring a 4096 x 4096 canvas for 60 frames of one pixel: refused
        // before a frame is decoded, where decoding would take 64 MB a frame.
        QTest::newRow("a GIF of 4096 x 4096 dots")
            << "dots.gif" << int(Trap::None) << dataFile("canvas-4096-60-dots.gif")
            << pictureCannotBeRead("dots.gif");
        // Refused before its 1.6 GB of pixels are allocated.
        QTest::newRow("a PNG of 20000 x 20000 pixels")
            << "huge.png" << int(Trap::None) << dataFile("huge-20000x20000.png")
            << pictureCannotBeRead("huge.png");
    }

    void import()
    {
        QFETCH(QString, name);
        QFETCH(int, trap);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        if (const QString why = whyImpossible(Trap(trap)); !why.isEmpty())
            QSKIP(qPrintable(why));

        EditorSession s;
        s.editor().Nametxt->setText("Kept");
        const QString path = s.t.path(name);
        if (name != "gone.gif")
            QVERIFY(plant(Trap(trap), path, bytes));
        const auto before = listing(s.t.folder.path());

        QVERIFY2(
            runGuarded(s.t.folder.path(), {{Trap(trap), path}}, [&] { s.importPictures({path}); }),
            "Import waited on the FIFO");

        QCOMPARE(s.t.messages.texts(), QStringList{message});
        QCOMPARE(s.t.messages.shown.front().title, kErrorTitle);
        QCOMPARE(s.editor().Nametxt->text(), QStringLiteral("Kept"));
        QCOMPARE(s.editor().Lenlbl->text(), QString());
        QCOMPARE(listing(s.t.folder.path()), before);
    }

    // One bad picture among good ones spoils the whole import, before anything is
    // written.
    void oneBadPictureAmongSeveralWritesNothing()
    {
        EditorSession s;
        writeFile(s.t.path("a.png"), pngBytes());
        writeFile(s.t.path("b.png"), "no picture");
        writeFile(s.t.path("c.png"), pngBytes());
        const auto before = listing(s.t.folder.path());
        s.importPictures({s.t.path("c.png"), s.t.path("b.png"), s.t.path("a.png")});
        QCOMPARE(s.t.messages.texts(), QStringList{notAPictureToImport("b.png")});
        QCOMPARE(listing(s.t.folder.path()), before);
    }

    // A folder the user may not write to: the frames have nowhere to go.
    void aFolderThatCannotBeWrittenToKeepsNothing()
    {
        if (const QString why = whyImpossible(Trap::Unreadable); !why.isEmpty())
            QSKIP(qPrintable(why));
        EditorSession s;
        QVERIFY(QDir(s.t.folder.path()).mkdir("locked"));
        const QString locked = s.t.path("locked");
        writeFile(locked + "/cat.png", pngBytes());
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
        s.editor().Nametxt->setText("Kept");
        {
            OrdinaryUser user(s.t.folder.path());
            s.importPictures({locked + "/cat.png"});
        }
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        QCOMPARE(s.t.messages.texts(),
                 QStringList{folderCannotBeWritten(QDir::toNativeSeparators(locked))});
        QCOMPARE(s.editor().Nametxt->text(), QStringLiteral("Kept"));
        QCOMPARE(QDir(locked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"cat.png"});
    }
};

QTEST_MAIN(HostileImportTest)
#include "tst_hostile_import.moc"
