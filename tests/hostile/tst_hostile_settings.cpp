// Hostile settings: "Previous", "Speed" and "Custom" as a hand-edited or damaged
// settings file may hold them, through start-up, the player and the options dialog.

#include "Hostile.h"
#include "TestFiles.h"
#include "TestProgram.h"
#include "Texts.h"
#include "options/Optionfrm.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/widgets/ClickImage.h"
#include "runtime/frmTray.h"

#include <QTemporaryDir>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// A setting that is not stored at all.
const QString kAbsent = QStringLiteral("<absent>");

/// A compiled file of one 16x16 frame.
QByteArray compiled(const QByteArray& title, int speed)
{
    return compiledFile({.title = title, .speed = speed, .frames = {iconBytes({.colour = 6})}});
}

} // namespace

class HostileSettingsTest final : public QObject {
    Q_OBJECT
private:
    /// The settings file of this run, in a folder of its own (never the user's).
    QTemporaryDir configHome_;
    int writes_ = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(configHome_.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome_.path()));
        QVERIFY(QDir(configHome_.path()).mkpath("Glimmerbox"));
    }

    void startUp_data()
    {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("custom"); ///< @FOLDER@, @ELSEWHERE@ stand for those folders
        QTest::addColumn<int>("animation");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("message");

        const QString none;
        const auto row = [&](const char* name, const QString& previous, const QString& speed,
                             int animation, int interval) {
            QTest::newRow(name) << previous << speed << kAbsent << animation << interval << none;
        };
        row("nothing stored", kAbsent, kAbsent, 2, 500);
        row("empty", "", "", 2, 500);
        row("spaces only", "   ", "   ", 2, 500);
        row("negative", "-1", "-500", -1, 500);
        row("most negative", "-32768", "-2147483648", -32768, 500);
        row("zero", "0", "0", 0, 500);
        row("huge", "99999", "99999999999", 2, 500);
        row("largest", "32767", "2147483647", 32767, 2147483647);
        row("not numbers", "abc", "fast", 2, 500);
        row("spaces around", " 3 ", " 250 ", 3, 250);
        row("tab and line break around", "\t4\n", "\t300\r\n", 4, 300);
        row("space inside", "3 4", "2 50", 2, 500);
        row("plus sign", "+5", "+150", 5, 150);
        row("hexadecimal and exponent", "0x3", "1e3", 2, 500);
        row("fractions", "2.0", "12.5", 2, 500);
        row("digits of another script", QStringLiteral("\u0663"), QStringLiteral("\u0665\u0660"), 2,
            500);
        // The conversion reads up to a NUL, as it would end a C string.
        row("NUL after the digits", QString("3") + QChar(0), QString("250") + QChar(0), 3, 250);
        row("NUL before the digits", QChar(0) + QString("3"), QChar(0) + QString("250"), 2, 500);

        const auto custom = [&](const char* name, const QString& value, int animation,
                                const QString& message) {
            QTest::newRow(name) << "7"
                                << "250" << value << animation << 250 << message;
        };
        custom("Custom absent", kAbsent, 2, kNoCustomAnimationSelected);
        custom("Custom empty", "", 2, kNoCustomAnimationSelected);
        custom("Custom a good file", "good.gx", 7, none);
        custom("Custom a good file by absolute path elsewhere", "@ELSEWHERE@/other.gx", 7, none);
        custom("Custom a good file by a relative path", "../@BASENAME@/good.gx", 7, none);
        custom("Custom with a space before the name", " good.gx", 2, kErrorLoadingCustomAnimation);
        custom("Custom naming a directory", "folder.gx", 2, kErrorLoadingCustomAnimation);
        custom("Custom naming a directory with a slash", "folder.gx/", 2,
               kErrorLoadingCustomAnimation);
        custom("Custom naming the program folder", "@FOLDER@", 2, kErrorLoadingCustomAnimation);
        custom("Custom naming a FIFO", "pipe.gx", 2, kErrorLoadingCustomAnimation);
        custom("Custom naming /dev/zero", "/dev/zero", 2, kErrorLoadingCustomAnimation);
        custom("Custom an absolute path that does not exist", "/nonexistent/none.gx", 2,
               kErrorLoadingCustomAnimation);
        custom("Custom a name of 5000 characters", QString(5000, QLatin1Char('n')), 2,
               kErrorLoadingCustomAnimation);
        custom("Custom with a NUL inside", QString("good") + QChar(0) + ".gx", 2,
               kErrorLoadingCustomAnimation);
        QTest::newRow("Custom naming a FIFO while Previous is 5") << "5"
                                                                  << "250"
                                                                  << "pipe.gx" << 5 << 250 << none;
    }

    /// Start-up with the row's settings; then the player ticks, the options dialog
    /// opens and "Cancel" puts back what start-up chose. The stored texts stay.
    void startUp()
    {
        QFETCH(QString, previous);
        QFETCH(QString, speed);
        QFETCH(QString, custom);
        QFETCH(int, animation);
        QFETCH(int, interval);
        QFETCH(QString, message);

        TestProgram t;
        QTemporaryDir elsewhere;
        writeFile(t.path("good.gx"), compiled("Good", 4));
        writeFile(elsewhere.filePath("other.gx"), compiled("Other", 8));
        QVERIFY(plant(Trap::Directory, t.path("folder.gx")));
        QVERIFY(plant(Trap::Fifo, t.path("pipe.gx")));
        custom.replace("@ELSEWHERE@", elsewhere.path())
            .replace("@FOLDER@", t.folder.path())
            .replace("@BASENAME@", QFileInfo(t.folder.path()).fileName());
        const QList<std::pair<QString, QString>> stored{
            {"Previous", previous}, {"Speed", speed}, {"Custom", custom}};
        for (const auto& [key, value] : stored) {
            if (value != kAbsent)
                t.settings.set(key, value);
        }

        {
            HangGuard guard(QStringLiteral("start-up"));
            guard.watchFifo(t.path("pipe.gx"));
            t.program.start();
            QVERIFY2(!guard.fired(), "start-up waited on the FIFO");
        }
        const ProgramState& state = t.program.state();
        QCOMPARE(t.messages.texts(), expectedMessages(message));
        QCOMPARE(int(state.CurrentAnimation), animation);
        QCOMPARE(t.program.tray().interval(), interval);
        QCOMPARE(t.tray.count(TrayCall::Add), 1);
        if (animation == 7)
            QCOMPARE(int(state.CustomFrameCount), 1);

        for (int tick = 0; tick < 40; ++tick)
            t.program.tray().Timer1_Timer();
        QCOMPARE(t.tray.count(TrayCall::Modify), 40);

        t.messages.clear();
        {
            HangGuard guard(QStringLiteral("opening the options dialog"));
            guard.watchFifo(t.path("pipe.gx"));
            choose(t.program.tray(), "Options");
            QVERIFY2(!guard.fired(), "the options dialog waited on the FIFO");
        }
        QVERIFY(t.messages.shown.empty());
        t.optionfrm().Image7->simulateClick(); // "Cancel"
        QVERIFY(!t.hasOptionfrm());
        QCOMPARE(int(state.CurrentAnimation), animation);
        QCOMPARE(t.program.tray().interval(), interval);

        // Start-up never writes the settings; only "Custom" may change, when the dialog
        // found the running animation's file in the program's folder.
        QCOMPARE(t.settings.value("Previous").value_or(kAbsent), previous);
        QCOMPARE(t.settings.value("Speed").value_or(kAbsent), speed);
        const QStringList saves = t.settings.saves;
        QVERIFY2(saves.isEmpty() || saves == QStringList{"Custom=good.gx"},
                 qPrintable(saves.join(' ')));
    }

    void settingsFile_data()
    {
        QTest::addColumn<QByteArray>("text"); ///< the whole settings file
        QTest::addColumn<int>("animation");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("message");

        const QString none;
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage += static_cast<char>((i * 37) & 0xFF);
        QTest::newRow("0 bytes") << QByteArray() << 2 << 500 << none;
        QTest::newRow("binary garbage") << garbage << 2 << 500 << none;
        QTest::newRow("keys outside the section")
            << QByteArray("Previous=3\nSpeed=250\n") << 2 << 500 << none;
        QTest::newRow("quoted values")
            << QByteArray("[Startup]\nPrevious=\"3\"\nSpeed=\"250\"\n") << 3 << 250 << none;
        QTest::newRow("lists") << QByteArray("[Startup]\nPrevious=3, 4\nSpeed=250, 300\n") << 2
                               << 500 << none;
        QTest::newRow("invalid values")
            << QByteArray("[Startup]\nPrevious=@Invalid()\nSpeed=@Invalid()\n") << 2 << 500 << none;
        QTest::newRow("byte arrays")
            << QByteArray("[Startup]\nPrevious=@ByteArray(3)\nSpeed=@ByteArray(250)\n") << 3 << 250
            << none;
        QTest::newRow("serialised garbage")
            << QByteArray("[Startup]\nPrevious=@Variant(garbage)\nSpeed=@Variant(\\xff\\xff)\n")
            << 2 << 500 << none;
        QTest::newRow("a line of 1 MiB")
            << QByteArray("[Startup]\nPrevious=" + QByteArray(1 << 20, '3') + "\nSpeed=250\n") << 2
            << 250 << none;
        QTest::newRow("Custom as a list")
            << QByteArray("[Startup]\nPrevious=7\nCustom=good.gx, other.gx\n") << 2 << 500
            << kNoCustomAnimationSelected;
        QTest::newRow("Custom quoted with a comma")
            << QByteArray("[Startup]\nPrevious=7\nCustom=\"my, good.gx\"\n") << 7 << 500 << none;
    }

    /// The settings as the desktop's settings file holds them, read through the
    /// program's own settings store at start-up.
    void settingsFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, animation);
        QFETCH(int, interval);
        QFETCH(QString, message);

        // A new time for every version of the file, so that the store reads it again.
        QFile file(configHome_.filePath("Glimmerbox/Glimmerbox.conf"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(text), text.size());
        QVERIFY(file.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000 + 60 * ++writes_),
                                 QFileDevice::FileModificationTime));
        file.close();

        QTemporaryDir folder;
        const QString previousDirectory = QDir::currentPath();
        QDir::setCurrent(folder.path());
        writeFile(folder.filePath("my, good.gx"), compiled("Good", 4));
        QtSettingsStore settings;
        FakeTrayArea tray;
        FakeMessageBoxes messages;
        FakeFileDialogs dialogs;
        FakeEnvironment environment;
        environment.programDir = folder.path();
        {
            Program program{Services{settings, tray, messages, dialogs, environment}};
            program.start();
            QCOMPARE(messages.texts(), expectedMessages(message));
            QCOMPARE(int(program.state().CurrentAnimation), animation);
            QCOMPARE(program.tray().interval(), interval);
            program.tray().Timer1_Timer();
            QCOMPARE(tray.count(TrayCall::Modify), 1);
        }
        QDir::setCurrent(previousDirectory);
    }
};

QTEST_MAIN(HostileSettingsTest)
#include "tst_hostile_settings.moc"
