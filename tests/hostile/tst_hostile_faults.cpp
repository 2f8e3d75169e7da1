// The editor's writers when the disk fills up part-way, and when the chosen name
// is something other than a file: Save (.rgx) and Compile (.gx) must leave every
// other file as it was, leave no partial compiled file, and keep the editor usable.

#include "DiskFaults.h"
#include "EditorSession.h"
#include "Hostile.h"
#include "Texts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// An animation of 50 frames, each with its own icon of `side` pixels under a long
/// name, so that both files it makes are several pages long.
void makeAnimation(EditorSession& s, int side)
{
    s.setFrameCount(50);
    for (int i = 1; i <= 50; ++i) {
        const QString name =
            QStringLiteral("frame-%1-%2.ico").arg(i, 2, 10, QLatin1Char('0')).arg(QString(80, 'n'));
        s.chooseIconFor(i, s.icon(name, iconBytes({.side = side, .colour = 1 + i % 15})));
    }
    s.editor().Nametxt->setText("Disk full");
    s.setSpeed(7);
    s.goToFrame(1);
}

/// Runs Save or Compile with the dialog answering `path`; returns the messages shown.
QStringList run(EditorSession& s, const QString& command, const QString& path)
{
    s.t.messages.clear();
    if (command == "save")
        s.save(path);
    else
        s.compile(path);
    return s.t.messages.texts();
}

QString success(const QString& command)
{
    return command == "save" ? kFileSavedSuccessfully : kAnimationCompiled;
}

/// A folder with an animation's two neighbours and, when `existing`, an older and
/// shorter file under the target's name.
struct Scene {
    QString folder;
    QString target;
    QByteArray whole; ///< the file the command writes when nothing fails
};

/// Writes the reference file of `command` outside the scene, then sets the scene up
/// in `folder`.
Scene makeScene(EditorSession& s, const QString& command, const QString& folder, bool existing)
{
    QTemporaryDir reference;
    const QString referencePath = reference.filePath("reference");
    const QStringList shown = run(s, command, referencePath);
    if (shown != QStringList{success(command)})
        qFatal("the reference %s failed", qPrintable(command));
    Scene scene{folder, folder + (command == "save" ? "/anim.rgx" : "/anim.gx"),
                readFile(referencePath)};
    writeFile(folder + "/neighbour.rgx", scene.whole);
    writeFile(folder + "/neighbour.gx",
              compiledFile({.title = "Neighbour", .speed = 1, .iconSize = 318, .frameCount = 1}));
    if (existing)
        writeFile(scene.target, scene.whole.left(200));
    return scene;
}

/// The outcome of a command that ran into the fault (or did not, when `completes`):
/// the message, and the folder as it was but for the target.
void expectOutcome(const QString& command, bool completes, const QStringList& shown,
                   const Scene& scene, const QMap<QString, QString>& before)
{
    auto after = listing(scene.folder);
    auto others = before;
    others.remove(QFileInfo(scene.target).fileName());
    if (completes) {
        QCOMPARE(shown, QStringList{success(command)});
        QCOMPARE(readFile(scene.target), scene.whole);
        after.remove(QFileInfo(scene.target).fileName());
        QVERIFY2(after == others, qPrintable(describe(after)));
    } else {
        // Written whole or not at all: an older file keeps its bytes, a new name
        // stays free, no temporary file is left behind, and no success is claimed
        // (Save fails silently, Compile says so).
        QCOMPARE(shown,
                 command == "save" ? QStringList() : QStringList{kErrorWritingCompilationAborted});
        QVERIFY2(after == before, qPrintable(describe(after)));
    }
}

/// A fault row's course: the row's values (see faultTable), a session holding a
/// 50-frame animation with icons of the row's size, and an empty folder `name`.
struct FaultRow {
    explicit FaultRow(const QString& name)
        : command(value<QString>("command")), side(value<int>("side")),
          existing(value<bool>("existing")), room(value<QString>("room")),
          completes(value<bool>("completes")), folder(s.t.path(name))
    {
        makeAnimation(s, side);
        QDir().mkdir(folder);
    }

    /// Sets the scene up and `prepare`s it, runs the command through `underFault`
    /// (which runs what it is handed under the row's fault) and checks the outcome; a
    /// row that failed gets room again from `makeRoom`, and then the same command
    /// succeeds.
    using Command = std::function<QStringList()>;
    void run(const std::function<void(const Scene&)>& prepare,
             const std::function<QStringList(const Scene&, const Command&)>& underFault,
             const std::function<void()>& makeRoom)
    {
        const Scene scene = makeScene(s, command, folder, existing);
        prepare(scene);
        if (QTest::currentTestFailed())
            return;
        const auto before = listing(folder);
        const QString model = s.animation();
        const QStringList shown =
            underFault(scene, [&] { return ::run(s, command, scene.target); });
        QCOMPARE(s.animation(), model);
        expectOutcome(command, completes, shown, scene, before);
        if (QTest::currentTestFailed() || completes)
            return;
        makeRoom();
        QCOMPARE(::run(s, command, scene.target), QStringList{success(command)});
        QCOMPARE(readFile(scene.target), scene.whole);
    }

    /// The current row's value in the column `name`, as QFETCH reads it.
    template <typename T> static T value(const char* name)
    {
        return *static_cast<T*>(QTest::qData(name, qMetaTypeId<T>()));
    }

    const QString command;
    const int side;
    const bool existing;
    const QString room;
    const bool completes;
    EditorSession s;
    const QString folder;
};

} // namespace

class HostileFaultsTest final : public QObject {
    Q_OBJECT
private:
    void faultTable()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("side");       ///< icon size: 16 (318 bytes) or 32 (766 bytes)
        QTest::addColumn<bool>("existing");  ///< the name holds an older, shorter file
        QTest::addColumn<QString>("room");   ///< how much of the file fits
        QTest::addColumn<bool>("completes"); ///< the whole file fits
    }

private slots:
    void fileSizeLimit_data()
    {
        faultTable();
        for (const char* command : {"save", "compile"}) {
            for (const int side : {16, 32}) {
                for (const bool existing : {false, true}) {
                    for (const char* room : {"0", "1", "25", "26", "27", "345", "half", "all-1"}) {
                        QTest::addRow("%s, %dx%d icons, %s, room for %s bytes", command, side, side,
                                      existing ? "over a file" : "new name", room)
                            << command << side << existing << room << false;
                    }
                    QTest::addRow("%s, %dx%d icons, %s, room for all", command, side, side,
                                  existing ? "over a file" : "new name")
                        << command << side << existing << "all" << true;
                }
            }
        }
    }

    /// The process may write files only up to a byte: every write beyond it fails,
    /// as on a disk that fills up at that byte.
    void fileSizeLimit()
    {
        FaultRow row("out");
        row.run([](const Scene&) {},
                [&row](const Scene& scene, const FaultRow::Command& command) {
                    const qint64 whole = scene.whole.size();
                    const qint64 limit = row.room == "half"    ? whole / 2
                                         : row.room == "all-1" ? whole - 1
                                         : row.room == "all"   ? whole
                                                               : row.room.toLongLong();
                    const FileSizeLimit fault(static_cast<rlim_t>(limit));
                    return command();
                },
                [] {});
    }

    void fullDisk_data()
    {
        faultTable();
        for (const char* command : {"save", "compile"}) {
            for (const int side : {16, 32}) {
                for (const bool existing : {false, true}) {
                    const char* where = existing ? "over a file" : "new name";
                    for (const char* room : {"0", "4096"}) {
                        QTest::addRow("%s, %dx%d icons, %s, %s bytes free", command, side, side,
                                      where, room)
                            << command << side << existing << room << false;
                    }
                    QTest::addRow("%s, %dx%d icons, %s, room enough", command, side, side, where)
                        << command << side << existing << "enough" << true;
                }
            }
        }
    }

    /// A small memory file system, filled up but for the row's free bytes.
    void fullDisk()
    {
        FaultRow row("disk");
        SmallDisk disk(row.folder, 256 * 1024);
        if (!disk.error().isEmpty())
            QSKIP(qPrintable(disk.error()));
        const QString filler = row.folder + "/filler";
        row.run(
            [&](const Scene& scene) {
                if (row.room != "enough")
                    QVERIFY(disk.fill(filler, row.room.toLongLong()));
                QVERIFY(row.completes || disk.available() < scene.whole.size());
            },
            [](const Scene&, const FaultRow::Command& command) { return command(); },
            [&filler] { QVERIFY(QFile::remove(filler)); });
    }

    // A folder one may not write to, holding an older file one may: no temporary
    // file can be made beside it, and writing into the older file in place could
    // destroy it halfway. Refused with a sentence; the older file keeps its bytes.
    void aFolderThatTakesNoNewFileKeepsTheOlderOne_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("save") << "save";
        QTest::newRow("compile") << "compile";
    }

    void aFolderThatTakesNoNewFileKeepsTheOlderOne()
    {
        QFETCH(QString, command);
        if (const QString why = whyImpossible(Trap::Unreadable); !why.isEmpty())
            QSKIP(qPrintable(why));
        EditorSession s;
        makeAnimation(s, 16);
        const QString folder = s.t.path("locked");
        QVERIFY(QDir().mkdir(folder));
        const Scene scene = makeScene(s, command, folder, true);
        QVERIFY(QFile::setPermissions(scene.target,
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadOther | QFileDevice::WriteOther));
        const auto before = listing(folder);
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
        QStringList shown;
        {
            OrdinaryUser user(s.t.folder.path());
            shown = run(s, command, scene.target);
        }
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        QCOMPARE(shown, QStringList{folderCannotBeWritten(folder)});
        QCOMPARE(listing(folder), before);
    }

    void awkwardNames_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("trap");
        QTest::addColumn<bool>("written"); ///< the command writes and reports success
        QTest::addColumn<QString>("file"); ///< where the written file lands
        for (const char* command : {"save", "compile"}) {
            // Never written to, never waited on: the command ends silently.
            for (Trap trap : {Trap::Directory, Trap::Fifo, Trap::DevZero, Trap::DevNull}) {
                QTest::addRow("%s to a %s", command, qPrintable(trapName(trap)))
                    << command << int(trap) << false << QString();
            }
            // A dangling link is followed to the file it names.
            QTest::addRow("%s to a %s", command, qPrintable(trapName(Trap::Dangling)))
                << command << int(Trap::Dangling) << true << "nothing-here";
        }
        // Both commands replace the name with the new file, a link that leads
        // nowhere included.
        for (Trap trap : {Trap::LinkLoop, Trap::LinkPair}) {
            for (const char* command : {"save", "compile"})
                QTest::addRow("%s to a %s", command, qPrintable(trapName(trap)))
                    << command << int(trap) << true << "x.out";
        }
    }

    /// The name chosen in the dialog, x.out, is something other than a file or a
    /// new name. Nothing else in the folder changes, and the editor goes on working.
    void awkwardNames()
    {
        QFETCH(QString, command);
        QFETCH(int, trap);
        QFETCH(bool, written);
        QFETCH(QString, file);

        EditorSession s;
        makeAnimation(s, 16);
        const QString folder = s.t.path("out");
        QVERIFY(QDir().mkdir(folder));
        const Scene scene = makeScene(s, command, folder, false);
        const QString name = folder + "/x.out";
        QVERIFY(plant(Trap(trap), name));
        auto before = listing(folder);
        const QString model = s.animation();

        QStringList shown;
        {
            HangGuard guard(command);
            if (Trap(trap) == Trap::Fifo)
                guard.watchFifo(name);
            shown = run(s, command, name);
            QVERIFY2(!guard.fired(), "it waited on the FIFO");
        }
        QCOMPARE(s.animation(), model);
        auto after = listing(folder);
        if (written) {
            QCOMPARE(shown, QStringList{success(command)});
            QCOMPARE(readFile(folder + "/" + file), scene.whole);
            QVERIFY(QFileInfo(folder + "/" + file).isFile());
            after.remove(file);
            before.remove(file);
        } else {
            QCOMPARE(shown, QStringList());
        }
        QVERIFY2(after == before, qPrintable(describe(after)));

        QCOMPARE(run(s, command, scene.target), QStringList{success(command)});
        QCOMPARE(readFile(scene.target), scene.whole);
    }
};

QTEST_MAIN(HostileFaultsTest)
#include "tst_hostile_faults.moc"
