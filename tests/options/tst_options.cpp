// The options window: layout, the speed bar and its table, the built-in choices,
// "Okay", "Cancel" and the ways the window closes.

#include "TestProgram.h"
#include "Texts.h"
#include "formats/speed_steps.h"
#include "options/Optionfrm.h"
#include "platform/widgets/ClickImage.h"
#include "platform/widgets/Shape.h"
#include "platform/widgets/WindowLook.h"
#include "runtime/frmTray.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// A started program running `animation` at `interval` ms.
void run(TestProgram& t, int animation, int interval)
{
    t.settings.set("Previous", QString::number(animation));
    t.settings.set("Speed", QString::number(interval));
    t.program.start();
}

int timerInterval(TestProgram& t)
{
    return t.program.tray().interval();
}

int animation(TestProgram& t)
{
    return t.program.state().CurrentAnimation;
}

/// The number of the selected option button, 0 when none is.
int selected(const Optionfrm& window)
{
    const QRadioButton* buttons[] = {window.Option1, window.Option2, window.Option3, window.Option4,
                                     window.Option5, window.Option6, window.Option7};
    for (int i = 0; i < 7; ++i) {
        if (buttons[i]->isChecked())
            return i + 1;
    }
    return 0;
}

} // namespace

class OptionsTest final : public QObject {
    Q_OBJECT
private slots:
    void controlsStandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twipsBox");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, QRect box, const char* text = "") {
            QTest::newRow(name) << QString::fromLatin1(name) << box << QString::fromUtf8(text);
        };
        row("Label1", {960, 360, 615, 255}, "Speed:");
        row("HScroll1", {1560, 360, 3135, 255});
        row("Option2", {1560, 960, 1215, 255}, "Aquarium");
        row("Option1", {1560, 1320, 1215, 255}, "Lava Lamp");
        row("Option3", {1560, 1680, 1215, 255}, "Busy Eyes");
        row("Option4", {1560, 2040, 1215, 255}, "Fuzzy T.V");
        row("Option5", {3240, 960, 1335, 255}, "Cow");
        row("Option6", {3240, 1320, 1335, 255}, "Colour Wheel");
        row("Option7", {3240, 1680, 975, 255}, "Custom:");
        row("Combo1", {3240, 1920, 1575, 315});
        row("Image1", {1200, 960, 480, 480});
        row("Image2", {1200, 1320, 480, 480});
        row("Image3", {1200, 1680, 480, 480});
        row("Image4", {1200, 2040, 480, 480});
        row("Image5", {2880, 960, 480, 480});
        row("Image6", {2880, 1320, 480, 480});
        row("Image7", {2400, 2760, 1095, 375});
        row("Shape12", {2400, 2760, 1095, 375});
        row("Label2", {2400, 2760, 1095, 375}, "Cancel");
        row("Image8", {3720, 2760, 1095, 375});
        row("Shape13", {3720, 2760, 1095, 375});
        row("Label3", {3720, 2760, 1095, 375}, "Okay");
    }

    void controlsStandWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twipsBox);
        QFETCH(QString, text);
        TestProgram t;
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QWidget* control = window.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), QRect(twips(twipsBox.x()), twips(twipsBox.y()),
                                            twips(twipsBox.width()), twips(twipsBox.height())));
        if (auto* label = qobject_cast<QLabel*>(control); label && !text.isEmpty())
            QCOMPARE(label->text(), text);
        if (auto* option = qobject_cast<QRadioButton*>(control))
            QCOMPARE(option->text(), text);
    }

    void theWindowItself()
    {
        TestProgram t;
        t.program.start();
        Optionfrm& window = t.optionfrm();
        QCOMPARE(window.windowTitle(), kOptionsTitle);
        QCOMPARE(window.size(), QSize(340, 226));
        QCOMPARE(window.pos(), QPoint((1024 - 340) / 2, (768 - 226) / 2));
        QVERIFY(!window.isVisible());

        QCOMPARE(window.HScroll1->minimum(), 1);
        QCOMPARE(window.HScroll1->maximum(), 10);
        QCOMPARE(window.HScroll1->singleStep(), 1);
        QCOMPARE(window.HScroll1->pageStep(), 1);
        QVERIFY(!window.HScroll1->hasTracking());
        QVERIFY(!window.Combo1->isEditable());
        // The image buttons take no keyboard focus.
        QCOMPARE(window.Image7->focusPolicy(), Qt::NoFocus);
        QCOMPARE(window.Image8->focusPolicy(), Qt::NoFocus);
    }

    void tabOrderFollowsTheSpeedBarThenTheChoices()
    {
        TestProgram t;
        t.program.start();
        Optionfrm& window = t.optionfrm();
        const QList<QWidget*> expected{window.HScroll1, window.Option2, window.Option1,
                                       window.Option3,  window.Option4, window.Option5,
                                       window.Option6,  window.Combo1,  window.Option7};
        QList<QWidget*> chain{window.HScroll1};
        for (QWidget* w = window.HScroll1->nextInFocusChain(); w != window.HScroll1;
             w = w->nextInFocusChain()) {
            if (expected.contains(w))
                chain << w;
        }
        QCOMPARE(chain, expected);
        QVERIFY(window.HScroll1->focusPolicy() & Qt::TabFocus);
    }

    void previewsShowTheBuiltInArtwork()
    {
        TestProgram t;
        t.program.start();
        Optionfrm& window = t.optionfrm();
        const QLabel* images[] = {window.Image1, window.Image2, window.Image3,
                                  window.Image4, window.Image5, window.Image6};
        const char* sets[] = {"FT", "LL", "EY", "TV", "CW", "SW"};
        for (int i = 0; i < 6; ++i) {
            const QString resource = QStringLiteral(":/previews/%1.ico").arg(sets[i]);
            // Without the artwork the spot stays empty rather than failing.
            QCOMPARE(!images[i]->pixmap().isNull(), QFile::exists(resource));
            QVERIFY(images[i]->testAttribute(Qt::WA_TransparentForMouseEvents));
        }
    }

    void speedTableBothWays_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("interval");
        for (int position = 1; position <= 10; ++position)
            QTest::addRow("position %d", position) << position << kStepIntervals[position - 1];
    }

    void speedTableBothWays()
    {
        QFETCH(int, position);
        QFETCH(int, interval);
        QCOMPARE(formats::intervalForStep(position).value_or(-1), interval);
        QCOMPARE(formats::stepForInterval(interval).value_or(-1), position);

        // Through the window: the bar sets the running interval, and the running
        // interval puts the bar where it belongs when the window opens.
        TestProgram t;
        run(t, 2, 333);
        Optionfrm& window = t.optionfrm();
        window.HScroll1->setValue(position);
        QCOMPARE(timerInterval(t), position == 5 ? 333 : interval);
        window.unload();

        TestProgram u;
        run(u, 1, interval);
        QCOMPARE(u.optionfrm().HScroll1->value(), position);
        QCOMPARE(timerInterval(u), interval);
    }

    void intervalsOutsideTheTableHaveNoPosition()
    {
        for (int outside : {0, 1, 9, 11, 333, 601, -600, 100000})
            QVERIFY(!formats::stepForInterval(outside));
        for (int outside : {0, 11, -1, 100})
            QVERIFY(!formats::intervalForStep(outside));
    }

    // What opening the window does to the running animation: the option of the
    // running animation is selected, which clicks it.
    void openingSelectsTheRunningAnimation_data()
    {
        QTest::addColumn<int>("running");
        QTest::addColumn<int>("runningInterval");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("intervalAfter");
        QTest::newRow("Lava Lamp at 600") << 1 << 600 << 1 << 1 << 600;
        QTest::newRow("Aquarium at 500") << 2 << 500 << 2 << 2 << 500;
        QTest::newRow("Aquarium at 333") << 2 << 333 << 2 << 5 << 333;
        QTest::newRow("Busy Eyes at 250") << 3 << 250 << 3 << 1 << 600;
        QTest::newRow("Fuzzy T.V at 500") << 4 << 500 << 4 << 10 << 10;
        QTest::newRow("Cow at 50") << 5 << 50 << 5 << 2 << 500;
        QTest::newRow("Colour Wheel at 100") << 6 << 100 << 6 << 8 << 100;
        QTest::newRow("Busy Eyes at 600") << 3 << 600 << 3 << 1 << 600;
        QTest::newRow("number 0") << 0 << 150 << 2 << 7 << 150;
        QTest::newRow("number 9") << 9 << 400 << 2 << 3 << 400;
    }

    void openingSelectsTheRunningAnimation()
    {
        QFETCH(int, running);
        QFETCH(int, runningInterval);
        QFETCH(int, option);
        QFETCH(int, bar);
        QFETCH(int, intervalAfter);
        TestProgram t;
        run(t, running, runningInterval);
        Optionfrm& window = t.optionfrm();
        QCOMPARE(selected(window), option);
        QCOMPARE(window.HScroll1->value(), bar);
        QCOMPARE(timerInterval(t), intervalAfter);
        QCOMPARE(animation(t), running);
        QCOMPARE(int(window.savedAnimation()), running);
        QCOMPARE(window.savedInterval(), runningInterval);
        QVERIFY(t.messages.shown.empty());
        QVERIFY(t.settings.saves.isEmpty());
    }

    void busyEyesAt250IsPutBackByCancelAndStoredAt600ByOkay()
    {
        TestProgram t;
        run(t, 3, 250);
        t.optionfrm().Image7_Click();
        QCOMPARE(timerInterval(t), 250);
        QCOMPARE(animation(t), 3);
        QVERIFY(t.settings.saves.isEmpty());
        QVERIFY(!t.hasOptionfrm());

        t.optionfrm().Image8_Click();
        QCOMPARE(timerInterval(t), 600);
        QCOMPARE(t.settings.saves, (QStringList{"Previous=3", "Speed=600"}));
        QVERIFY(!t.hasOptionfrm());
    }

    void fuzzyTvThenCancelReturnsToWhatRanBefore()
    {
        TestProgram t;
        run(t, 5, 500);
        Optionfrm& window = t.optionfrm();
        QCOMPARE(window.HScroll1->value(), 2);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.Option4, Qt::LeftButton); // a real click
        QCOMPARE(animation(t), 4);
        QCOMPARE(window.HScroll1->value(), 10);
        QCOMPARE(timerInterval(t), 10);

        window.Image7->simulateClick();
        QCOMPARE(animation(t), 5);
        QCOMPARE(timerInterval(t), 500);
        QVERIFY(t.settings.saves.isEmpty());
    }

    void builtInChoicesBringTheirOwnSpeed_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("intervalAfter");
        QTest::newRow("Lava Lamp") << 1 << 5 << 250;
        QTest::newRow("Aquarium") << 2 << 5 << 250;
        QTest::newRow("Busy Eyes") << 3 << 1 << 600;
        QTest::newRow("Fuzzy T.V") << 4 << 10 << 10;
        QTest::newRow("Cow") << 5 << 2 << 500;
        QTest::newRow("Colour Wheel") << 6 << 5 << 250;
    }

    void builtInChoicesBringTheirOwnSpeed()
    {
        QFETCH(int, number);
        QFETCH(int, bar);
        QFETCH(int, intervalAfter);
        TestProgram t;
        run(t, 2, 100); // the bar stands at 8
        Optionfrm& window = t.optionfrm();
        QRadioButton* buttons[] = {window.Option1, window.Option2, window.Option3,
                                   window.Option4, window.Option5, window.Option6};
        buttons[number - 1]->click();
        QCOMPARE(animation(t), number);
        QCOMPARE(window.HScroll1->value(), bar);
        QCOMPARE(timerInterval(t), intervalAfter);
    }

    void anIntervalOutsideTheTableIsKeptUntilTheBarMoves()
    {
        TestProgram t;
        run(t, 2, 333);
        Optionfrm& window = t.optionfrm();
        QCOMPARE(window.HScroll1->value(), 5);
        window.Option1->click(); // Lava Lamp's position is 5 too: the bar does not move
        QCOMPARE(animation(t), 1);
        QCOMPARE(timerInterval(t), 333);
        window.Image8_Click();
        QCOMPARE(t.settings.saves, (QStringList{"Previous=1", "Speed=333"}));
    }

    void theBarAppliesAtOnceAndOkayStoresIt()
    {
        TestProgram t;
        run(t, 6, 250);
        Optionfrm& window = t.optionfrm();
        window.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd); // an arrow
        QCOMPARE(timerInterval(t), 200);
        window.HScroll1->setValue(9);
        QCOMPARE(timerInterval(t), 50);
        window.Image8->simulateClick();
        QCOMPARE(t.settings.saves, (QStringList{"Previous=6", "Speed=50"}));
        QCOMPARE(t.settings.value("Previous"), QStringLiteral("6"));
        QCOMPARE(t.settings.value("Speed"), QStringLiteral("50"));
    }

    // Our own option: applied at once, kept by Okay (after the animation and the
    // speed), put back by Cancel and by the close box.
    void followCpuLoadAppliesAtOnceAndOkayKeepsIt_data()
    {
        QTest::addColumn<QString>("close");
        QTest::addColumn<bool>("kept");
        QTest::newRow("Okay") << "okay" << true;
        QTest::newRow("Cancel") << "cancel" << false;
        QTest::newRow("close box") << "close" << false;
    }

    void followCpuLoadAppliesAtOnceAndOkayKeepsIt()
    {
        QFETCH(QString, close);
        QFETCH(bool, kept);
        TestProgram t;
        run(t, 2, 250);
        Optionfrm& window = t.optionfrm();
        QCOMPARE(window.Check1->text(), kFollowCpuLoad);
        QCOMPARE(window.Check1->geometry(), QRect(16, 186, 136, 21));
        QVERIFY(window.Check1->isEnabled());
        QVERIFY(!window.Check1->isChecked());

        window.Check1->click();
        QVERIFY(t.program.paceFollowsLoad());
        QCOMPARE(timerInterval(t), 250); // the speed bar still sets the pace at full load
        if (close == "okay")
            window.Image8_Click();
        else if (close == "cancel")
            window.Image7_Click();
        else
            window.close();
        QCOMPARE(t.program.paceFollowsLoad(), kept);
        const QStringList written =
            kept ? QStringList{"Previous=2", "Speed=250", "Pace=cpu"} : QStringList();
        QCOMPARE(t.settings.saves, written);

        // Opened again, it shows what runs, and unticking it applies at once too.
        Optionfrm& again = t.optionfrm();
        QCOMPARE(again.Check1->isChecked(), kept);
        if (kept) {
            again.Check1->click();
            QVERIFY(!t.program.paceFollowsLoad());
        }
    }

    // "Okay" writes "Pace" only once the option was used: ticked, or stored before.
    // Where the load cannot be read the box is greyed and a stored choice stays.
    void okayWritesThePaceOnlyOnceTheOptionWasUsed_data()
    {
        QTest::addColumn<QString>("stored"); ///< "-": no key
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("written"); ///< "-": nothing written
        QTest::newRow("never used") << "-" << true << false << "-";
        QTest::newRow("ticked") << "-" << true << true << "cpu";
        QTest::newRow("stored on, unticked") << "cpu" << true << true << "off";
        QTest::newRow("stored off, untouched") << "off" << true << false << "off";
        QTest::newRow("unavailable, stored on") << "cpu" << false << false << "-";
    }

    void okayWritesThePaceOnlyOnceTheOptionWasUsed()
    {
        QFETCH(QString, stored);
        QFETCH(bool, available);
        QFETCH(bool, tick);
        QFETCH(QString, written);
        TestProgram t;
        t.load.isAvailable = available;
        if (stored != "-")
            t.settings.set("Pace", stored);
        run(t, 2, 250);
        Optionfrm& window = t.optionfrm();
        QCOMPARE(window.Check1->isEnabled(), available);
        QCOMPARE(window.Check1->isChecked(), available && stored == "cpu");
        if (tick)
            window.Check1->click();
        window.Image8_Click();
        QStringList saves{"Previous=2", "Speed=250"};
        if (written != "-")
            saves << "Pace=" + written;
        QCOMPARE(t.settings.saves, saves);
        if (stored != "-")
            QCOMPARE(t.settings.value("Pace").value_or(QString()),
                     written == "-" ? stored : written);
    }

    // Exit while the dialog is open after the box was ticked: the dialog closes with
    // the tray and puts the pace back, and nothing starts the clock again.
    void exitWithTheBoxTickedStartsNothingAgain()
    {
        TestProgram t;
        run(t, 2, 250);
        t.optionfrm().Check1->click();
        QVERIFY(t.program.paceFollowsLoad());
        t.program.tray().mnuTrayExit_Click();
        QVERIFY(!t.hasOptionfrm());
        QVERIFY(!t.program.tray().isRunning());
        QCOMPARE(t.tray.count(TrayCall::Remove), 1);
    }

    void aDraggedThumbAppliesWhenLetGo()
    {
        TestProgram t;
        run(t, 2, 250);
        Optionfrm& window = t.optionfrm();
        window.HScroll1->setSliderDown(true);
        window.HScroll1->setSliderPosition(9);
        window.HScroll1->setSliderPosition(3);
        QCOMPARE(timerInterval(t), 250);
        window.HScroll1->setSliderDown(false);
        QCOMPARE(window.HScroll1->value(), 3);
        QCOMPARE(timerInterval(t), 400);
    }

    // A "Speed" written by hand beyond the 16-bit range: "Cancel" puts back exactly
    // that interval and never leaves the timer at 0.
    void cancelPutsBackAnIntervalBeyond16Bits()
    {
        TestProgram t;
        run(t, 2, 40000);
        Optionfrm& window = t.optionfrm();
        QCOMPARE(window.savedInterval(), 40000);
        window.Option4->click();
        QCOMPARE(timerInterval(t), 10);
        window.Image7_Click();
        QCOMPARE(timerInterval(t), 40000);
    }

    void imageButtonsLookPressedWhileHeld_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("shape");
        QTest::newRow("Okay") << "Image8"
                              << "Shape13";
        QTest::newRow("Cancel") << "Image7"
                                << "Shape12";
    }

    void imageButtonsLookPressedWhileHeld()
    {
        QFETCH(QString, image);
        QFETCH(QString, shape);
        TestProgram t;
        t.program.start();
        Optionfrm& window = t.optionfrm();
        auto* picture = window.findChild<ClickImage*>(image);
        auto* face = window.findChild<Shape*>(shape);
        QVERIFY(picture && face);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(face->fillColor(), buttonFaceColor());
        QTest::mousePress(picture, Qt::LeftButton);
        QCOMPARE(face->fillColor(), buttonShadowColor());
        QVERIFY(t.hasOptionfrm()); // the command runs on the click, not the press
        // Let go outside: the look comes back and nothing runs.
        QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(face->fillColor(), buttonFaceColor());
        QVERIFY(t.hasOptionfrm());
        QVERIFY(t.settings.saves.isEmpty());
    }

    void enterAndEscapeCloseNothing()
    {
        TestProgram t;
        run(t, 4, 10);
        Optionfrm& window = t.optionfrm();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (QWidget* target :
             {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.HScroll1),
              static_cast<QWidget*>(window.Option4)}) {
            QTest::keyClick(target, Qt::Key_Escape);
            QTest::keyClick(target, Qt::Key_Return);
            QTest::keyClick(target, Qt::Key_Enter);
        }
        QVERIFY(t.hasOptionfrm());
        QVERIFY(window.isVisible());
        QVERIFY(t.settings.saves.isEmpty());
    }

    void theMenuCommandShowsTheWindowAndClosingEnablesTheMenu_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Okay") << "okay";
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("close box") << "close";
    }

    void theMenuCommandShowsTheWindowAndClosingEnablesTheMenu()
    {
        QFETCH(QString, how);
        TestProgram t;
        run(t, 2, 500);
        frmTray& tray = t.program.tray();
        choose(tray, "Options");
        Optionfrm& window = t.optionfrm();
        QVERIFY(window.isVisible());
        QCOMPARE(menuEntries(tray), QStringLiteral("---X"));
        window.Option3->click(); // Busy Eyes at 600

        if (how == "okay")
            window.Image8_Click();
        else if (how == "cancel")
            window.Image7_Click();
        else
            window.close();

        QVERIFY(!t.hasOptionfrm());
        QCOMPARE(menuEntries(tray), QStringLiteral("OEAX"));
        if (how == "okay") {
            QCOMPARE(t.settings.saves, (QStringList{"Previous=3", "Speed=600"}));
        } else {
            QVERIFY(t.settings.saves.isEmpty());
        }
        // The close box keeps what runs; "Cancel" puts back what ran before.
        QCOMPARE(animation(t), how == "cancel" ? 2 : 3);
        QCOMPARE(timerInterval(t), how == "cancel" ? 500 : 600);
    }

    void openingAgainDoesNotLoadAgain()
    {
        TestProgram t;
        run(t, 2, 500);
        frmTray& tray = t.program.tray();
        choose(tray, "About"); // creates the window hidden
        QVERIFY(t.hasOptionfrm());
        Optionfrm& window = t.optionfrm();
        QVERIFY(!window.isVisible());
        t.program.state().CurrentAnimation = 4;
        window.setEnabled(true);
        tray.Showmnu_Click();
        QCOMPARE(&t.optionfrm(), &window);
        QCOMPARE(int(window.savedAnimation()), 2); // the values of its creation
        QCOMPARE(selected(window), 2);
    }

    void theProgramsFolderBecomesTheCurrentDirectory()
    {
        TestProgram t;
        t.program.start();
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        t.optionfrm();
        QCOMPARE(QDir::currentPath(), QDir(t.folder.path()).canonicalPath());
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
