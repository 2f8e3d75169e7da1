// Compile: the animation under construction written as a compiled file (.gx).

#include "EditorSession.h"
#include "Texts.h"
#include "formats/compiled_file.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// Gives frames 1..count an icon each: `side` x `side` 16-colour icons of distinct
/// colours, so that the records tell the frames apart. Returns their bytes.
std::vector<std::string> iconsForFrames(EditorSession& s, int count, int side)
{
    s.setFrameCount(count);
    std::vector<std::string> frames;
    for (int i = 1; i <= count; ++i) {
        const QByteArray bytes = iconBytes({.side = side, .colour = i % 16});
        s.chooseIconFor(i, s.icon(QStringLiteral("frame%1.ico").arg(i), bytes));
        frames.push_back(bytes.toStdString());
    }
    return frames;
}

std::string fileBytes(const QString& path)
{
    return readFile(path).toStdString();
}

} // namespace

class EditorCompileTest final : public QObject {
    Q_OBJECT
private slots:
    void twentyFramesOf766BytesCompileToHeaderAndIconsInOrder()
    {
        EditorSession s;
        const std::vector<std::string> frames = iconsForFrames(s, 20, 32);
        QVERIFY(QDir(s.t.folder.path()).mkdir("elsewhere"));
        QDir::setCurrent(s.t.path("elsewhere"));

        s.compile(s.t.path("example.gx"));
        QCOMPARE(s.t.messages.texts(), QStringList{kAnimationCompiled});
        QCOMPARE(s.t.messages.shown.front().title, kDoneTitle);
        QCOMPARE(s.t.messages.shown.front().icon, MessageIcon::Information);

        // The dialog started in the program's folder, and that folder stays current.
        QCOMPARE(s.t.dialogs.startFolders.last(), s.t.folder.path());
        QCOMPARE(QDir::currentPath(), s.t.folder.path());
        const FileDialogRequest& request = s.t.dialogs.requests.back();
        QCOMPARE(request.mode, FileDialogMode::Save);
        QCOMPARE(request.fileName, QString());
        QCOMPARE(request.filter, kCompiledFilter);

        const std::string written = fileBytes(s.t.path("example.gx"));
        QCOMPARE(written.size(), std::size_t{26 + 20 * 766});
        QCOMPARE(QByteArray::fromStdString(written.substr(0, 26)).toHex(' '),
                 QByteArray("47 58 32 2e 30 37 36 36 20 20 31 20 32 30 4d 79 20 41 6e 69 6d 61 "
                            "74 69 6f 6e"));
        const auto expected = formats::encodeCompiled({766, 1, 20, "My Animation"}, frames);
        QVERIFY(expected.has_value());
        QVERIFY(written == *expected);

        // Where the program's folder is read-only, the user's animations folder takes
        // its place, made when first needed.
        s.t.environment.usersDir = s.t.path("home/.local/share/glimmerbox");
        s.compile(s.t.path("home/.local/share/glimmerbox/mine.gx"));
        QCOMPARE(s.t.dialogs.startFolders.last(), s.t.environment.usersDir);
        QVERIFY(QFileInfo(s.t.environment.usersDir + "/mine.gx").isFile());
    }

    void theHeaderFieldsAreFilledToTheirWidths_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("frames");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("10 and 50: no spaces")
            << 10 << 50 << "Twelve chars" << QByteArray("GX2.0318  1050Twelve chars");
        QTest::newRow("1 and 8: one space each")
            << 1 << 8 << "Dots" << QByteArray("GX2.0318  1 8 Dots        ");
        QTest::newRow("5 and 12") << 5 << 12 << "" << QByteArray("GX2.0318  5 12            ");
        QTest::newRow("Windows-1252 title")
            << 3 << 1 << "Café €" << QByteArray("GX2.0318  3 1 Caf\xe9 \x80      ");
    }

    void theHeaderFieldsAreFilledToTheirWidths()
    {
        QFETCH(int, speed);
        QFETCH(int, frames);
        QFETCH(QString, title);
        QFETCH(QByteArray, header);
        EditorSession s;
        // One icon for every frame: copied once for each of them.
        const QString icon = s.smallIcon("same.ico", 7);
        s.setFrameCount(frames);
        for (int i = 1; i <= frames; ++i)
            s.chooseIconFor(i, icon);
        s.setSpeed(speed);
        s.editor().Nametxt->setText(title);
        s.compile(s.t.path("out.gx"));
        QCOMPARE(s.t.messages.texts(), QStringList{kAnimationCompiled});

        const QByteArray written = readFile(s.t.path("out.gx"));
        QCOMPARE(written.left(26), header);
        QCOMPARE(written.size(), 26 + frames * 318);
        QCOMPARE(written.mid(26), readFile(icon).repeated(frames));
    }

    void anAnimationWithoutFramesIsRefusedBeforeTheDialog()
    {
        EditorSession s;
        s.compile(s.t.path("none.gx"));
        QCOMPARE(s.t.messages.texts(), QStringList{kAnimationHasNoFrames});
        QCOMPARE(s.t.messages.shown.front().title, kErrorTitle);
        QCOMPARE(s.t.messages.shown.front().icon, MessageIcon::Critical);
        QVERIFY(s.t.dialogs.requests.empty());
        QVERIFY(!QFile::exists(s.t.path("none.gx")));
    }

    void aCancelledDialogWritesNothing()
    {
        EditorSession s;
        s.chooseIcon(s.smallIcon("a.ico"));
        s.editor().Image14_Click(); // the empty script cancels
        QCOMPARE(s.t.dialogs.requests.size(), std::size_t{2});
        QVERIFY(s.t.messages.shown.empty());
        QCOMPARE(QDir(s.t.folder.path()).entryList({"*.gx"}, QDir::Files), QStringList());
    }

    void aFailedFrameCopyIsReportedAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("olderFile");
        for (const bool older : {false, true}) {
            const char* over = older ? ", over an older file" : "";
            QTest::addRow("frame 7 without an icon%s", over)
                << "no icon" << kIconFilesMissingCompilationAborted << older;
            QTest::addRow("icon deleted%s", over)
                << "deleted" << kIconFilesMissingCompilationAborted << older;
            QTest::addRow("icon replaced by a folder%s", over)
                << "folder" << kIconFilesMissingCompilationAborted << older;
            QTest::addRow("icon shortened%s", over)
                << "shortened" << kErrorWritingCompilationAborted << older;
            QTest::addRow("icon emptied%s", over)
                << "emptied" << kErrorWritingCompilationAborted << older;
        }
    }

    // A failed compile never costs the user a file: a new name stays free, and a
    // compiled file of that name from before stays as it was, byte for byte. Nothing
    // half-written is left beside it either.
    void aFailedFrameCopyIsReportedAndLeavesNoFile()
    {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        QFETCH(bool, olderFile);
        EditorSession s;
        iconsForFrames(s, 20, 16);
        const QString target = s.t.path("broken.gx");
        const QByteArray older("GX2.0318  5 2 An older one  and its frames");
        if (olderFile)
            writeFile(target, older);
        const QString seventh = s.frameFile(7);
        if (damage == "no icon") {
            s.t.messages.answers = {MessageAnswer::Yes};
            s.editor().Image9_Click(); // a new animation, then icons for all but frame 7
            for (int i = 1; i <= 20; ++i)
                if (i != 7)
                    s.chooseIconFor(i, s.t.path(QStringLiteral("frame%1.ico").arg(i)));
        } else if (damage == "deleted") {
            QVERIFY(QFile::remove(seventh));
        } else if (damage == "folder") {
            QVERIFY(QFile::remove(seventh));
            QVERIFY(QDir().mkdir(seventh));
        } else {
            QFile file(seventh);
            QVERIFY(file.resize(damage == "shortened" ? 300 : 0));
        }
        s.t.messages.clear();
        const QStringList before =
            QDir(s.t.folder.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        bool targetUntouchedDuringMessage = false;
        s.t.messages.onShow = [&](const ShownMessage&) {
            targetUntouchedDuringMessage =
                olderFile ? readFile(target) == older : !QFile::exists(target);
        };
        s.compile(target);
        QCOMPARE(s.t.messages.texts(), QStringList{message});
        QCOMPARE(s.t.messages.shown.front().title, kErrorTitle);
        QCOMPARE(s.t.messages.shown.front().icon, MessageIcon::Critical);
        QVERIFY(targetUntouchedDuringMessage);
        if (olderFile)
            QCOMPARE(readFile(target), older);
        else
            QVERIFY(!QFile::exists(target));
        QCOMPARE(QDir(s.t.folder.path())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 before);
    }

    void anIconOfTheAnimationIsNeverTheTarget()
    {
        EditorSession s;
        iconsForFrames(s, 3, 16);
        const QByteArray icon = readFile(s.frameFile(2));
        QVERIFY(QFile::link(s.frameFile(2), s.t.path("link.gx")));
        for (const QString& target : {s.frameFile(2), s.t.path("link.gx")}) {
            s.t.messages.clear();
            s.compile(target);
            QCOMPARE(s.t.messages.texts(), QStringList{kCannotCompileOverOwnIcon});
            QCOMPARE(s.t.messages.shown.front().title, kErrorTitle);
            QCOMPARE(readFile(s.frameFile(2)), icon);
        }
    }

    void aLongerIconGivesOnlyItsFirstBytes()
    {
        EditorSession s;
        iconsForFrames(s, 2, 16);
        QFile second(s.frameFile(2));
        QVERIFY(second.open(QIODevice::Append));
        second.write("trailing bytes");
        second.close();
        s.compile(s.t.path("long.gx"));
        QCOMPARE(s.t.messages.texts(), QStringList{kAnimationCompiled});
        const QByteArray written = readFile(s.t.path("long.gx"));
        QCOMPARE(written.size(), 26 + 2 * 318);
        QCOMPARE(written.mid(26 + 318), readFile(s.frameFile(2)).left(318));
    }

    void aRefusedIconLeavesTheRecordLength()
    {
        EditorSession s;
        s.setFrameCount(1);
        s.chooseIcon(s.smallIcon("small.ico"));
        s.chooseIcon(s.icon("large.ico", iconBytes({.side = 32, .colour = 1})));
        s.compile(s.t.path("size.gx"));
        QCOMPARE(readFile(s.t.path("size.gx")).mid(5, 5), QByteArray("318  "));
        QCOMPARE(readFile(s.t.path("size.gx")).size(), 26 + 318);
    }

    void aNameThatIsNotARegularFileIsNeverWritten()
    {
        EditorSession s;
        s.chooseIcon(s.smallIcon("a.ico"));
        QVERIFY(QDir(s.t.folder.path()).mkdir("folder.gx"));
        s.compile(s.t.path("folder.gx"));
        s.compile(QStringLiteral("/dev/null"));
        QVERIFY(s.t.messages.shown.empty());
        QVERIFY(QFileInfo(s.t.path("folder.gx")).isDir());
    }
};

QTEST_MAIN(EditorCompileTest)
#include "tst_editor_compile.moc"
