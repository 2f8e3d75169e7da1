// The custom animation list of the options window and the custom choice, with
// real compiled files in the program's folder.

#include "TestFiles.h"
#include "TestProgram.h"
#include "Texts.h"
#include "app/OpenFiles.h"
#include "files/CompiledFiles.h"
#include "options/Optionfrm.h"
#include "runtime/CustomLoader.h"
#include "runtime/frmTray.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <sys/stat.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// Picks entry `index` as the user does.
void pick(Optionfrm& window, int index)
{
    window.Combo1->setCurrentIndex(index);
    emit window.Combo1->activated(index);
}

void write(TestProgram& t, const QString& name, const QByteArray& title, int speed,
           const QColor& colour = Qt::red)
{
    writeFile(t.path(name),
              compiledFile({.title = title, .speed = speed, .colours = {colour, colour}}));
}

QColor firstFrame(TestProgram& t)
{
    return frameColour(t.program.tray().customFrame(1));
}

} // namespace

class CustomListTest final : public QObject {
    Q_OBJECT
private slots:
    void noCompiledFileGivesAnEmptyListAndARefusal()
    {
        TestProgram t;
        writeFile(t.path("notes.txt"), "GX2.0");
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QCOMPARE(window.Combo1->count(), 0);
        QCOMPARE(window.Combo1->currentText(), QString());

        window.Option7->click();
        QCOMPARE(t.messages.texts(), QStringList{kCustomAnimationMustBeSpecified});
        QCOMPARE(t.messages.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(t.messages.shown[0].title, kErrorTitle);
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Aquarium);
        QCOMPARE(t.program.tray().interval(), 500);
        QVERIFY(t.settings.saves.isEmpty());
        QVERIFY(window.Option7->isChecked()); // "Custom:" stays marked
    }

    void equalTitlesAreListedAndTheLastFileWins()
    {
        TestProgram t;
        write(t, "a.gx", "Fish", 5, Qt::red);
        write(t, "b.gx", "Snow", 5, Qt::green);
        write(t, "c.gx", "Fish", 5, Qt::blue);
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QCOMPARE(customEntries(window), (QStringList{"Fish", "Snow", "Fish"}));

        for (int index : {0, 2}) {
            window.Combo1->setCurrentIndex(index);
            window.Option7->click();
            QCOMPARE(t.settings.value("Custom"), QStringLiteral("c.gx"));
            QCOMPARE(firstFrame(t), QColor(Qt::blue));
        }
        pick(window, 1);
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("b.gx"));
        QCOMPARE(firstFrame(t), QColor(Qt::green));
        QVERIFY(t.messages.shown.empty());
    }

    // Where the program's folder is read-only, the user's animations folder is listed
    // with it in one order, and a bare name in "Custom" is looked for there first.
    void theUsersFolderIsListedAndSearchedFirst()
    {
        TestProgram t;
        t.environment.usersDir = t.path("users");
        QVERIFY(QDir().mkdir(t.environment.usersDir));
        write(t, "b.gx", "Bee", 5, Qt::red);
        write(t, "fish.gx", "Fish", 5, Qt::red);
        write(t, "users/a.gx", "Ant", 5, Qt::green);
        write(t, "users/fish.gx", "Fish", 5, Qt::blue);
        t.program.start();
        Optionfrm& window = t.optionfrm();
        window.Option7->click();
        QCOMPARE(customEntries(window), (QStringList{"Ant", "Bee", "Fish", "Fish"}));

        pick(window, 0);
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("a.gx"));
        QCOMPARE(firstFrame(t), QColor(Qt::green));
        // The last "Fish" is the program's; its bare name would find the user's.
        pick(window, 3);
        QCOMPARE(t.settings.value("Custom"), t.path("fish.gx"));
        QCOMPARE(firstFrame(t), QColor(Qt::red));
        t.settings.set("Custom", "fish.gx");
        LoadCustomAnimation(t.program);
        QCOMPARE(firstFrame(t), QColor(Qt::blue));
        QVERIFY(t.messages.shown.empty());
    }

    // A compiled file handed over, as a double-click in a file manager does: kept in
    // the user's folder (once), played, remembered; one that fails says so and changes
    // nothing; none is opened under the options window or a message box.
    void anOpenedFileIsKeptPlayedAndRemembered()
    {
        TestProgram t;
        t.environment.usersDir = t.path("users");
        QVERIFY(QDir().mkdir(t.path("away")));
        const QByteArray fish =
            compiledFile({.title = "Fish", .speed = 4, .colours = {Qt::blue, Qt::blue}});
        writeFile(t.path("away/fish.gx"), fish);
        writeFile(t.path("away/broken.gx"), fish.left(100));
        writeFile(t.path("away/newer.gx"), "GX3.0" + fish.mid(5));
        t.program.start();

        openFiles(t.program, {t.path("away/fish.gx"), t.path("away/fish.gx")});
        QCOMPARE(t.messages.texts(), QStringList());
        QCOMPARE(QDir(t.path("users")).entryList(QDir::Files), QStringList{"fish.gx"});
        QCOMPARE(readFile(t.path("users/fish.gx")), fish);
        QCOMPARE(t.settings.saves.mid(0, 3),
                 (QStringList{"Custom=fish.gx", "Previous=7", "Speed=300"}));
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Custom);
        QCOMPARE(t.program.tray().interval(), 300);
        QCOMPARE(firstFrame(t), QColor(Qt::blue));

        const QStringList saved = t.settings.saves;
        openFiles(t.program, {t.path("away/broken.gx"), t.path("away/newer.gx")});
        QCOMPARE(t.messages.texts(),
                 (QStringList{kErrorLoadingCustomAnimation, kCustomAnimationIsNewer}));
        QCOMPARE(t.settings.saves, saved);
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Custom);
        QCOMPARE(firstFrame(t), QColor(Qt::blue));
        QCOMPARE(QDir(t.path("users")).entryList(QDir::Files), QStringList{"fish.gx"});

        // Another file of the same name is kept beside the first.
        write(t, "away/fish.gx", "Red fish", 4, Qt::red);
        t.messages.clear();
        t.messages.onShow = [&](const ShownMessage&) {
            openFiles(t.program, {t.path("away/fish.gx")});
            QCOMPARE(t.messages.shown.size(), std::size_t{1}); // it waits for the box
        };
        t.program.services().messages.ok("A box", MessageIcon::None, "Glimmerbox");
        t.messages.onShow = nullptr;
        QTRY_COMPARE(t.settings.value("Custom"), QStringLiteral("fish-2.gx"));
        QCOMPARE(firstFrame(t), QColor(Qt::red));

        choose(t.program.tray(), "Options");
        openFiles(t.program, {t.path("users/fish.gx")});
        QCOMPARE(t.messages.texts().last(), cannotOpenWhileOpen("fish.gx", kOptionsTitle));
        QCOMPARE(firstFrame(t), QColor(Qt::red));
    }

    void theLoadedAnimationsEntryIsShown_data()
    {
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<int>("index");
        QTest::newRow("Snow") << "Snow" << 1;
        QTest::newRow("not in the folder") << "Rain" << 0;
        QTest::newRow("letter case counts") << "snow" << 0;
        QTest::newRow("nothing loaded") << "" << 0;
        QTest::newRow("Fish") << "Fish" << 0;
    }

    void theLoadedAnimationsEntryIsShown()
    {
        QFETCH(QString, loaded);
        QFETCH(int, index);
        TestProgram t;
        write(t, "a.gx", "Fish", 5);
        write(t, "b.gx", "Snow", 5);
        write(t, "c.gx", "Fish", 5);
        t.program.start();
        t.program.state().CustomTitle = loaded;
        Optionfrm& window = t.optionfrm();
        QCOMPARE(window.Combo1->currentIndex(), index);
        QVERIFY(t.settings.saves.isEmpty()); // listing writes nothing
    }

    void titleSpacesOnTheRightAreNotPartOfIt()
    {
        TestProgram t;
        writeFile(t.path("rain.gx"),
                  compiledFile({.title = "Rain        ", .speed = 3, .colours = {Qt::cyan}}));
        writeFile(t.path("lead.gx"),
                  compiledFile({.title = "  Hail", .speed = 3, .colours = {Qt::magenta}}));
        t.program.start();
        t.program.state().CustomTitle = QStringLiteral("Rain");
        Optionfrm& window = t.optionfrm();
        QCOMPARE(customEntries(window), (QStringList{"  Hail", "Rain"}));
        QCOMPARE(window.Combo1->currentText(), QStringLiteral("Rain"));
        window.Option7->click();
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("rain.gx"));
        QCOMPARE(firstFrame(t), QColor(Qt::cyan));

        // Spaces on the left belong to the title and are matched with it.
        pick(window, 0);
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("lead.gx"));
        QCOMPARE(firstFrame(t), QColor(Qt::magenta));
    }

    void aTitleOfOnlySpacesCannotBeChosen()
    {
        TestProgram t;
        writeFile(t.path("blank.gx"),
                  compiledFile({.title = "            ", .speed = 3, .colours = {Qt::red}}));
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QCOMPARE(customEntries(window), QStringList{QString()});
        window.Option7->click();
        QCOMPARE(t.messages.texts(), QStringList{kCustomAnimationMustBeSpecified});
        QVERIFY(t.settings.saves.isEmpty());
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Aquarium);
    }

    void pickingWhileABuiltInIsSelectedWaitsForCustom()
    {
        TestProgram t;
        write(t, "a.gx", "Fish", 5, Qt::red);
        write(t, "b.gx", "Snow", 5, Qt::green);
        t.settings.set("Previous", "1");
        t.program.start();
        Optionfrm& window = t.optionfrm();
        pick(window, 1);
        QCOMPARE(t.program.state().CurrentAnimation, Animation::LavaLamp);
        QVERIFY(t.settings.saves.isEmpty());
        QCOMPARE(window.Combo1->currentText(), QStringLiteral("Snow"));

        window.Option7->click();
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Custom);
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("b.gx"));
        QCOMPARE(firstFrame(t), QColor(Qt::green));
    }

    void theAnimationsOwnSpeedIsApplied_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("bar");
        // The window opens on Aquarium at 150 ms: the bar stands at 7.
        QTest::newRow("step 4") << 4 << 300 << 4;
        QTest::newRow("step 1") << 1 << 600 << 1;
        QTest::newRow("step 10") << 10 << 10 << 10;
        QTest::newRow("step 0") << 0 << 150 << 7;
        QTest::newRow("step 11") << 11 << 150 << 7;
    }

    void theAnimationsOwnSpeedIsApplied()
    {
        QFETCH(int, speed);
        QFETCH(int, interval);
        QFETCH(int, bar);
        TestProgram t;
        write(t, "s.gx", "Speedy", speed);
        t.settings.set("Speed", "150");
        t.program.start();
        Optionfrm& window = t.optionfrm();
        window.Option7->click();
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Custom);
        QCOMPARE(t.program.tray().interval(), interval);
        QCOMPARE(window.HScroll1->value(), bar);
    }

    void anIntervalOutsideTheTableLeavesTheBar()
    {
        TestProgram t;
        write(t, "s.gx", "Odd", 0);
        t.settings.set("Speed", "333");
        t.program.start();
        Optionfrm& window = t.optionfrm();
        window.Option7->click();
        QCOMPARE(t.program.tray().interval(), 333);
        QCOMPARE(window.HScroll1->value(), 5);
    }

    void cancelKeepsTheCustomFileButPutsBackTheAnimation()
    {
        TestProgram t;
        write(t, "fish.gx", "Fish", 9);
        t.settings.set("Previous", "6");
        t.settings.set("Speed", "200");
        t.program.start();
        Optionfrm& window = t.optionfrm();
        window.Option7->click();
        QCOMPARE(t.program.tray().interval(), 50);
        window.Image7_Click();
        QCOMPARE(t.program.state().CurrentAnimation, Animation::ColourWheel);
        QCOMPARE(t.program.tray().interval(), 200);
        QCOMPARE(t.settings.saves, QStringList{"Custom=fish.gx"});
        QCOMPARE(t.program.state().CustomTitle, QStringLiteral("Fish"));
    }

    void okayKeepsTheCustomChoiceForTheNextStart()
    {
        TestProgram t;
        write(t, "fish.gx", "Fish", 8, Qt::yellow);
        t.program.start();
        Optionfrm& window = t.optionfrm();
        window.Option7->click();
        window.Image8_Click();
        QCOMPARE(t.settings.saves, (QStringList{"Custom=fish.gx", "Previous=7", "Speed=100"}));

        // The next run plays it.
        TestProgram next;
        next.settings.values = t.settings.values;
        QVERIFY(QFile::copy(t.path("fish.gx"), next.path("fish.gx")));
        next.program.start();
        QVERIFY(next.messages.shown.empty());
        QCOMPARE(next.program.state().CurrentAnimation, Animation::Custom);
        QCOMPARE(next.program.tray().interval(), 100);
        next.program.tray().Timer1_Timer();
        QCOMPARE(frameColour(*next.tray.lastIcon()), QColor(Qt::yellow));
    }

    void runningCustomWithItsTitleGoneLoadsTheFirstEntry()
    {
        TestProgram t;
        write(t, "a.gx", "Fish", 2, Qt::red);
        write(t, "gone.gx", "Gone", 5, Qt::blue);
        t.settings.set("Previous", "7");
        t.settings.set("Custom", "gone.gx");
        t.program.start();
        QCOMPARE(t.program.state().CustomTitle, QStringLiteral("Gone"));
        QVERIFY(QFile::remove(t.path("gone.gx")));

        Optionfrm& window = t.optionfrm();
        QVERIFY(window.Option7->isChecked());
        QCOMPARE(window.Combo1->currentText(), QStringLiteral("Fish"));
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("a.gx"));
        QCOMPARE(t.program.state().CustomTitle, QStringLiteral("Fish"));
        QCOMPARE(t.program.tray().interval(), 500);
        QCOMPARE(window.HScroll1->value(), 2);
        QCOMPARE(firstFrame(t), QColor(Qt::red));
        QVERIFY(t.messages.shown.empty());
        // "Cancel" puts back the number and interval from before the window opened.
        QCOMPARE(int(window.savedAnimation()), 7);
        QCOMPARE(window.savedInterval(), 500);
    }

    void runningCustomWithoutAnyFileIsRefusedWhileLoading_data()
    {
        QTest::addColumn<bool>("throughAbout");
        QTest::newRow("Options") << false;
        QTest::newRow("About") << true;
    }

    void runningCustomWithoutAnyFileIsRefusedWhileLoading()
    {
        QFETCH(bool, throughAbout);
        TestProgram t;
        t.settings.set("Previous", "2");
        t.program.start();
        t.program.state().CurrentAnimation = Animation::Custom;
        frmTray& tray = t.program.tray();
        if (throughAbout)
            choose(tray, "About");
        else
            choose(tray, "Options");

        QVERIFY(t.hasOptionfrm());
        QCOMPARE(t.messages.texts(), QStringList{kCustomAnimationMustBeSpecified});
        QCOMPARE(t.optionfrm().isVisible(), !throughAbout);
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Custom);
        QVERIFY(t.settings.saves.isEmpty());
    }

    void anEntryWhoseFileIsGoneClearsCustom()
    {
        TestProgram t;
        write(t, "a.gx", "Fish", 5);
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QVERIFY(QFile::remove(t.path("a.gx")));
        window.Option7->click();
        QCOMPARE(t.settings.saves, QStringList{"Custom="});
        QCOMPARE(t.messages.texts(), QStringList{kNoCustomAnimationSelected});
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Custom);
    }

    void aNewerVersionKeepsTheLoadedAnimationPlaying()
    {
        TestProgram t;
        write(t, "a.gx", "Fish", 3, Qt::red);
        writeFile(
            t.path("b.gx"),
            compiledFile({.title = "Future", .speed = 9, .colours = {Qt::blue}, .tag = "GX2.1"}));
        t.program.start();
        Optionfrm& window = t.optionfrm();
        window.Option7->click();
        QCOMPARE(t.program.tray().interval(), 400);
        pick(window, 1);
        QCOMPARE(t.messages.texts(), QStringList{kCustomAnimationIsNewer});
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("b.gx"));
        QCOMPARE(t.program.state().CurrentAnimation, Animation::Custom);
        QCOMPARE(t.program.state().CustomTitle, QStringLiteral("Fish"));
        QCOMPARE(t.program.tray().interval(), 400);
        QCOMPARE(firstFrame(t), QColor(Qt::red));
    }

    // As a file manager lists them: letter case aside, numbers by their value. The
    // last file in that order wins among equal titles.
    void filesAreListedInNaturalNameOrder()
    {
        TestProgram t;
        write(t, "c.gx", "Third", 5);
        write(t, "A.GX", "First", 5);
        write(t, "b.Gx", "Second", 5);
        write(t, "Walk 10.gx", "Walk ten", 5);
        write(t, "Walk 2.gx", "Walk two", 5);
        write(t, "Zebra.gx", "Twin", 5, Qt::blue);
        write(t, "apple.gx", "Twin", 5, Qt::red);
        write(t, "d.gxx", "Not one", 5);
        write(t, "e.gx.bak", "Not one", 5);
        write(t, ".hidden.gx", "Hidden", 5);
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QCOMPARE(customEntries(window),
                 (QStringList{"First", "Twin", "Second", "Third", "Walk two", "Walk ten", "Twin"}));
        window.Combo1->setCurrentIndex(2);
        window.Option7->click();
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("b.Gx"));
        pick(window, 1);
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("Zebra.gx"));
        QCOMPARE(firstFrame(t), QColor(Qt::blue));
        QVERIFY(t.messages.shown.empty());
    }

    // Only regular files are opened: nothing here may block the window or end the
    // program. Unreadable and short files still get an (empty) entry.
    void oddEntriesAreSkippedOrListedEmpty()
    {
        TestProgram t;
        write(t, "a.gx", "Fish", 5);
        QVERIFY(QDir().mkdir(t.path("b-dir.gx")));
        QCOMPARE(::mkfifo(QFile::encodeName(t.path("c-pipe.gx")).constData(), 0600), 0);
        QVERIFY(QFile::link("/dev/zero", t.path("d-device.gx")));
        QVERIFY(QFile::link(t.path("nowhere"), t.path("e-dangling.gx")));
        writeFile(t.path("f-short.gx"), "GX2.0318  5 1 Sh");
        QVERIFY(QFile::link(t.path("a.gx"), t.path("g-link.gx")));
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QCOMPARE(customEntries(window), (QStringList{"Fish", "", "Fish"}));

        window.Combo1->setCurrentIndex(0);
        window.Option7->click(); // the short file is passed over; the last Fish wins
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("g-link.gx"));
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(compiledFilesIn(t.folder.path()),
                 (QStringList{"a.gx", "f-short.gx", "g-link.gx"}));
    }

    void aFileThatCannotBeOpenedIsListedEmptyAndPassedOver()
    {
        if (::geteuid() == 0)
            QSKIP("permissions do not hold for root");
        TestProgram t;
        write(t, "a.gx", "Fish", 5, Qt::red);
        write(t, "b.gx", "Fish", 5, Qt::blue);
        QVERIFY(QFile::setPermissions(t.path("b.gx"), QFileDevice::Permissions{}));
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QCOMPARE(customEntries(window), (QStringList{"Fish", ""}));
        window.Option7->click();
        QCOMPARE(t.settings.value("Custom"), QStringLiteral("a.gx"));
        QCOMPARE(firstFrame(t), QColor(Qt::red));
    }

    void theListIsBuiltOncePerWindow()
    {
        TestProgram t;
        write(t, "a.gx", "Fish", 5);
        t.program.start();
        Optionfrm& window = t.optionfrm();
        write(t, "b.gx", "Snow", 5);
        QCOMPARE(customEntries(window), QStringList{"Fish"});
        window.unload();
        QCOMPARE(customEntries(t.optionfrm()), (QStringList{"Fish", "Snow"}));
    }
};

QTEST_MAIN(CustomListTest)
#include "tst_custom_list.moc"
