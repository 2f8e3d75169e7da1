// The animation player: one tick at a time, driven by calling the timer handler.

#include "TestProgram.h"
#include "Texts.h"
#include "runtime/frmTray.h"

#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

class PlayerTest final : public QObject {
    Q_OBJECT

    static int frame(TestProgram& t) { return t.program.state().CurrentFrame; }

private slots:
    void builtInSetsStartAtTheSecondFrameAndWrapToTheFirst_data()
    {
        QTest::addColumn<int>("animation");
        QTest::addColumn<int>("count");
        QTest::newRow("Lava Lamp") << 1 << 23;
        QTest::newRow("Aquarium") << 2 << 42;
        QTest::newRow("Busy Eyes") << 3 << 22;
        QTest::newRow("Fuzzy T.V") << 4 << 5;
        QTest::newRow("Cow") << 5 << 10;
        QTest::newRow("Colour Wheel") << 6 << 8;
    }

    void builtInSetsStartAtTheSecondFrameAndWrapToTheFirst()
    {
        QFETCH(int, animation);
        QFETCH(int, count);
        TestProgram t;
        t.settings.set("Previous", QString::number(animation));
        t.program.start();
        frmTray& tray = t.program.tray();
        const auto& frames = tray.builtinFrames(animation);
        QCOMPARE(int(frames.size()), count);
        for (const QIcon& icon : frames)
            QCOMPARE(icon.actualSize({16, 16}), QSize(16, 16)); // decoded, not empty

        for (int tick = 1; tick <= count + 1; ++tick) {
            tray.Timer1_Timer();
            const int expected = tick % count;
            QCOMPARE(frame(t), expected);
            QCOMPARE(t.tray.lastIcon(), &frames[std::size_t(expected)]);
            QCOMPARE(t.tray.calls.back().kind, TrayCall::Modify);
        }
        QCOMPARE(t.tray.count(TrayCall::Modify), count + 1);
    }

    void aLeftOverCounterWrapsAtOnce()
    {
        TestProgram t;
        t.program.start();
        frmTray& tray = t.program.tray();
        for (int i = 0; i < 30; ++i)
            tray.Timer1_Timer();
        QCOMPARE(frame(t), 30);
        t.program.state().CurrentAnimation = 4; // Fuzzy T.V: 31 >= 5
        tray.Timer1_Timer();
        QCOMPARE(frame(t), 0);
        QCOMPARE(t.tray.lastIcon(), &tray.builtinFrames(4)[0]);
    }

    void numbersThatSelectNothingKeepTheIconAndResendIt_data()
    {
        QTest::addColumn<int>("animation");
        QTest::newRow("0") << 0;
        QTest::newRow("8") << 8;
        QTest::newRow("-3") << -3;
    }

    void numbersThatSelectNothingKeepTheIconAndResendIt()
    {
        QFETCH(int, animation);
        TestProgram t;
        t.program.start();
        frmTray& tray = t.program.tray();
        tray.Timer1_Timer(); // Aquarium frame 1
        const QIcon* shown = t.tray.lastIcon();
        QVERIFY(shown);

        t.program.state().CurrentAnimation = std::int16_t(animation);
        for (int i = 0; i < 100; ++i)
            tray.Timer1_Timer();
        QCOMPARE(frame(t), 101); // never wrapped
        QCOMPARE(t.tray.lastIcon(), shown);
        QCOMPARE(t.tray.count(TrayCall::Modify), 101);
    }

    void aNumberOutOfRangeFromTheStartShowsNoImage()
    {
        TestProgram t;
        t.settings.set("Previous", "8");
        t.program.start();
        for (int i = 0; i < 3; ++i)
            t.program.tray().Timer1_Timer();
        QCOMPARE(t.tray.count(TrayCall::Modify), 3);
        QCOMPARE(t.tray.lastIcon(), nullptr);
    }

    void theSixteenBitCounterWrapsInsteadOfOverflowing()
    {
        TestProgram t;
        t.settings.set("Previous", "0");
        t.program.start();
        t.program.state().CurrentFrame = 32766;
        t.program.tray().Timer1_Timer();
        QCOMPARE(frame(t), 32767);
        t.program.tray().Timer1_Timer();
        QCOMPARE(frame(t), 0);
    }

    void customAnimationPlaysOneToN()
    {
        TestProgram t;
        t.program.start();
        frmTray& tray = t.program.tray();
        auto& state = t.program.state();
        state.CurrentAnimation = 7;
        state.CustomFrameCount = 10;
        QCOMPARE(frame(t), 0);
        for (int expected : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}) {
            tray.Timer1_Timer();
            QCOMPARE(frame(t), expected);
            QCOMPARE(t.tray.lastIcon(), &tray.customFrame(expected));
        }
    }

    void customWithNoFramesShowsTheEmptyFirstSlot()
    {
        TestProgram t;
        t.program.start();
        frmTray& tray = t.program.tray();
        t.program.state().CurrentAnimation = 7;
        for (int i = 0; i < 3; ++i) {
            tray.Timer1_Timer();
            QCOMPARE(frame(t), 1);
            QCOMPARE(t.tray.lastIcon(), &tray.customFrame(1));
            QVERIFY(t.tray.lastIcon()->isNull());
        }
    }

    void customCountAboveTheSlotsPlaysTheFiftySlots()
    {
        TestProgram t;
        t.program.start();
        frmTray& tray = t.program.tray();
        t.program.state().CurrentAnimation = 7;
        t.program.state().CustomFrameCount = 99;
        for (int tick = 1; tick <= 50; ++tick) {
            tray.Timer1_Timer();
            QCOMPARE(frame(t), tick);
        }
        tray.Timer1_Timer();
        QCOMPARE(frame(t), 1);
        QCOMPARE(t.tray.lastIcon(), &tray.customFrame(1));
    }

    void aFailingModifyEndsTheProgramWithoutShutdown()
    {
        TestProgram t;
        t.program.start();
        t.tray.failModify = true;
        QVERIFY_THROWS_EXCEPTION(FakeEnvironment::Terminated, t.program.tray().Timer1_Timer());
        QCOMPARE(t.messages.texts(), QStringList{kUnableToChangeIcon});
        QCOMPARE(t.messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(t.messages.shown[0].title, kProgramName);
        QCOMPARE(t.tray.count(TrayCall::Remove), 0);
        QVERIFY(!t.program.isFinished());
    }

    void theTimerDrivesTheTicks()
    {
        TestProgram t;
        t.settings.set("Speed", "10");
        t.program.start();
        QTRY_VERIFY_WITH_TIMEOUT(t.tray.count(TrayCall::Modify) >= 3, 2000);
    }
};

QTEST_MAIN(PlayerTest)
#include "tst_player.moc"
