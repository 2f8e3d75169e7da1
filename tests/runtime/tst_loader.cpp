// The compiled-animation loader: what it publishes, in which order, and its three
// messages. Files are written for real into the test's own folder.

#include "TestFiles.h"
#include "TestProgram.h"
#include "Texts.h"
#include "platform/RegularFile.h"
#include "runtime/CustomLoader.h"
#include "runtime/frmTray.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// A program started on Aquarium, with earlier custom values in place that the
/// loader either replaces or keeps.
void prepare(TestProgram& t)
{
    t.program.start();
    ProgramState& state = t.program.state();
    state.CurrentAnimation = Animation::Custom;
    state.CustomSpeed = 9;
    state.CustomFrameCount = 2;
    state.CustomTitle = QStringLiteral("Old");
    t.messages.clear();
}

} // namespace

class LoaderTest final : public QObject {
    Q_OBJECT
private slots:
    void loadsEveryFrameAndPublishesTheHeader()
    {
        TestProgram t;
        prepare(t);
        writeFile(
            t.path("fish.gx"),
            compiledFile({.title = "Fish", .speed = 4, .colours = {Qt::red, Qt::green, Qt::blue}}));
        t.settings.set("Custom", "fish.gx");
        LoadCustomAnimation(t.program);

        const ProgramState& state = t.program.state();
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(state.CurrentAnimation, Animation::Custom);
        QCOMPARE(state.CustomSpeed, 4);
        QCOMPARE(state.CustomFrameCount, 3);
        QCOMPARE(state.CustomTitle, QStringLiteral("Fish"));
        const frmTray& tray = t.program.tray();
        QCOMPARE(frameColour(tray.customFrame(1)), QColor(Qt::red));
        QCOMPARE(frameColour(tray.customFrame(2)), QColor(Qt::green));
        QCOMPARE(frameColour(tray.customFrame(3)), QColor(Qt::blue));
        QVERIFY(tray.customFrame(4).isNull());
        // Frames are decoded in memory: nothing was written beside the file.
        QCOMPARE(QDir(t.folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"fish.gx"});
    }

    void titlesKeepLeadingSpacesAndReadAsWindows1252_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("title");
        QTest::newRow("trailing spaces") << QByteArray("Rain") << QStringLiteral("Rain");
        QTest::newRow("leading spaces") << QByteArray("  Rain") << QStringLiteral("  Rain");
        QTest::newRow("twelve") << QByteArray("My Animation") << QStringLiteral("My Animation");
        QTest::newRow("8-bit") << QByteArray("Caf\xe9 \x80") << QStringLiteral("Café €");
        QTest::newRow("only spaces") << QByteArray("   ") << QString();
    }

    void titlesKeepLeadingSpacesAndReadAsWindows1252()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, title);
        TestProgram t;
        prepare(t);
        writeFile(t.path("t.gx"), compiledFile({.title = stored, .colours = {Qt::red}}));
        t.settings.set("Custom", "t.gx");
        LoadCustomAnimation(t.program);
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(t.program.state().CustomTitle, title);
    }

    void aNewerVersionKeepsTheAnimationThatWasLoaded()
    {
        TestProgram t;
        prepare(t);
        writeFile(t.path("old.gx"),
                  compiledFile({.title = "Old one", .speed = 8, .colours = {Qt::red, Qt::green}}));
        writeFile(
            t.path("new.gx"),
            compiledFile({.title = "New one", .speed = 2, .colours = {Qt::blue}, .tag = "GX3.0"}));
        t.settings.set("Custom", "old.gx");
        LoadCustomAnimation(t.program);
        t.settings.set("Custom", "new.gx");
        LoadCustomAnimation(t.program);

        const ProgramState& state = t.program.state();
        QCOMPARE(t.messages.texts(), QStringList{kCustomAnimationIsNewer});
        QCOMPARE(state.CurrentAnimation, Animation::Custom);
        QCOMPARE(state.CustomTitle, QStringLiteral("Old one"));
        QCOMPARE(state.CustomSpeed, 8);
        QCOMPARE(state.CustomFrameCount, 2);
        QCOMPARE(frameColour(t.program.tray().customFrame(1)), QColor(Qt::red));
        QCOMPARE(frameColour(t.program.tray().customFrame(2)), QColor(Qt::green));
    }

    void aShorterAnimationLeavesTheHigherSlotsAlone()
    {
        TestProgram t;
        prepare(t);
        writeFile(
            t.path("long.gx"),
            compiledFile({.title = "Long", .speed = 5, .colours = {Qt::red, Qt::red, Qt::yellow}}));
        writeFile(t.path("short.gx"),
                  compiledFile({.title = "Short", .speed = 5, .colours = {Qt::blue}}));
        t.settings.set("Custom", "long.gx");
        LoadCustomAnimation(t.program);
        t.settings.set("Custom", "short.gx");
        LoadCustomAnimation(t.program);
        QCOMPARE(t.program.state().CustomFrameCount, 1);
        QCOMPARE(frameColour(t.program.tray().customFrame(1)), QColor(Qt::blue));
        QCOMPARE(frameColour(t.program.tray().customFrame(3)), QColor(Qt::yellow));
    }

    void nothingSelectedFallsBackToAquarium()
    {
        TestProgram t;
        prepare(t);
        LoadCustomAnimation(t.program);
        QCOMPARE(t.messages.texts(), QStringList{kNoCustomAnimationSelected});
        QCOMPARE(t.messages.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(t.messages.shown[0].title, kErrorTitle);
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Aquarium);
        QCOMPARE(t.program.state().CustomTitle, QStringLiteral("Old"));
    }

    void onlyRegularFilesAreRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("directory") << "directory";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("link to a device") << "device";
        QTest::newRow("dangling link") << "dangling";
    }

    // Anything but a regular file is a read failure at once: a FIFO without a
    // writer would otherwise keep the program waiting for ever.
    void onlyRegularFilesAreRead()
    {
        QFETCH(QString, kind);
        TestProgram t;
        prepare(t);
        const QString path = t.path("odd.gx");
        const QByteArray native = QFile::encodeName(path);
        if (kind == "directory")
            QVERIFY(QDir().mkdir(path));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        else if (kind == "device")
            QVERIFY(QFile::link("/dev/zero", path));
        else if (kind == "dangling")
            QVERIFY(QFile::link(t.path("gone.gx"), path));
        t.settings.set("Custom", "odd.gx");
        LoadCustomAnimation(t.program);
        QCOMPARE(t.messages.texts(), QStringList{kErrorLoadingCustomAnimation});
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Aquarium);
        QCOMPARE(t.program.state().CustomTitle, QStringLiteral("Old"));
    }

    void aLinkToARegularFileIsRead()
    {
        TestProgram t;
        prepare(t);
        writeFile(t.path("real.gx"),
                  compiledFile({.title = "Linked", .speed = 5, .colours = {Qt::red}}));
        QVERIFY(QFile::link(t.path("real.gx"), t.path("link.gx")));
        t.settings.set("Custom", "link.gx");
        LoadCustomAnimation(t.program);
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(t.program.state().CustomTitle, QStringLiteral("Linked"));
    }

    // A bare name is looked for in the user's animations folder, then in the program's,
    // wherever the current directory is.
    void aBareNameIsLookedUpInTheAnimationFolders()
    {
        TestProgram t;
        prepare(t);
        QTemporaryDir elsewhere;
        writeFile(QDir(elsewhere.path()).filePath("away.gx"),
                  compiledFile({.title = "Away", .speed = 2, .colours = {Qt::red}}));
        t.settings.set("Custom", "away.gx");

        QVERIFY(QDir::setCurrent(elsewhere.path()));
        LoadCustomAnimation(t.program);
        QCOMPARE(t.messages.texts(), QStringList{kErrorLoadingCustomAnimation});

        t.messages.clear();
        t.environment.usersDir = elsewhere.path();
        QVERIFY(QDir::setCurrent(t.folder.path()));
        LoadCustomAnimation(t.program);
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(t.program.state().CustomTitle, QStringLiteral("Away"));

        // A full path does not depend on it.
        t.messages.clear();
        QVERIFY(QDir::setCurrent(t.folder.path()));
        t.settings.set("Custom", QDir(elsewhere.path()).filePath("away.gx"));
        LoadCustomAnimation(t.program);
        QVERIFY(t.messages.shown.empty());
    }

    // The folder the animation lies in is often not writable; loading must not care.
    void loadsFromAFolderThatCannotBeWritten()
    {
        TestProgram t;
        prepare(t);
        writeFile(t.path("ro.gx"),
                  compiledFile({.title = "Read only", .speed = 5, .colours = {Qt::red, Qt::blue}}));
        QVERIFY(QFile::setPermissions(t.folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        t.settings.set("Custom", "ro.gx");
        LoadCustomAnimation(t.program);
        QFile::setPermissions(t.folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(t.program.state().CustomFrameCount, 2);
        QCOMPARE(frameColour(t.program.tray().customFrame(2)), QColor(Qt::blue));
    }

    void bytesAfterTheLastRecordAreIgnored()
    {
        TestProgram t;
        prepare(t);
        QByteArray bytes = compiledFile({.title = "Tail", .colours = {Qt::red}});
        bytes += QByteArray(4 << 20, 'x'); // more than the reader ever looks at
        writeFile(t.path("tail.gx"), bytes);
        t.settings.set("Custom", "tail.gx");
        LoadCustomAnimation(t.program);
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(frameColour(t.program.tray().customFrame(1)), QColor(Qt::red));
    }

    // The whole road at start-up: "Previous" 7 and "Custom" naming a file in the
    // program's folder make the tray play its frames.
    void startUpPlaysTheSavedCustomAnimation()
    {
        TestProgram t;
        writeFile(t.path("mine.gx"),
                  compiledFile({.title = "Mine", .speed = 7, .colours = {Qt::red, Qt::green}}));
        t.settings.set("Previous", "7");
        t.settings.set("Speed", "150");
        t.settings.set("Custom", "mine.gx");
        t.program.start();
        frmTray& tray = t.program.tray();
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Custom);

        QColor shown[3];
        for (QColor& colour : shown) {
            tray.Timer1_Timer();
            QVERIFY(t.tray.lastIcon() != nullptr);
            colour = frameColour(*t.tray.lastIcon());
        }
        QCOMPARE(shown[0], QColor(Qt::red));
        QCOMPARE(shown[1], QColor(Qt::green));
        QCOMPARE(shown[2], QColor(Qt::red));
    }

    void readFileStartStopsWhereAsked()
    {
        TestProgram t;
        writeFile(t.path("ten"), "0123456789");
        QVERIFY(readRegularFileStart(t.path("ten"), 4) == "0123");
        QVERIFY(readRegularFileStart(t.path("ten"), 100) == "0123456789");
        QVERIFY(readRegularFileStart(t.path("ten"), 0) == "");
        QVERIFY(!readRegularFileStart(t.path("none"), 4));
        QVERIFY(!readRegularFileStart(QString(), 4));
    }
};

QTEST_MAIN(LoaderTest)
#include "tst_loader.moc"
