// The pace that follows the processor load: the mapping from load to interval, the
// rest, the smoothing, and the tray's clock and tooltip with a load the test tells.

#include "TestFiles.h"
#include "TestProgram.h"
#include "Texts.h"
#include "platform/ProcStatLoadMeter.h"
#include "runtime/Pace.h"
#include "runtime/TrayClock.h"
#include "runtime/frmTray.h"

#include <QTemporaryDir>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// A started program whose pace follows the load (or not, with `on` false).
void startWithPace(TestProgram& t, bool on = true, const QString& speed = "100")
{
    t.settings.set("Previous", "4"); // Fuzzy T.V: five frames
    t.settings.set("Speed", speed);
    if (on)
        t.settings.set("Pace", "cpu");
    t.program.start();
}

/// One second of the pace's clock, with the load the meter then reports.
void second(TestProgram& t, double load)
{
    t.load.loads.push_back(load);
    t.program.tray().Pace_Timer();
}

/// The tooltips the tray was given after its icon was added, in order, without repeats.
QStringList tips(const TestProgram& t)
{
    QStringList seen;
    for (const TrayCall& call : t.tray.calls) {
        if (call.kind == TrayCall::Modify && (seen.isEmpty() || seen.back() != call.tip))
            seen << call.tip;
    }
    return seen;
}

} // namespace

class PaceTest final : public QObject {
    Q_OBJECT
private slots:
    void theIntervalIsTheChosenOneDividedByTheLoad_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<double>("load");
        QTest::addColumn<int>("interval"); ///< -1: resting
        QTest::newRow("full load") << 100 << 1.0 << 100;
        QTest::newRow("half") << 100 << 0.5 << 200;
        QTest::newRow("a tenth") << 100 << 0.1 << 1000;
        QTest::newRow("just above the rest") << 100 << 0.06 << 1667;
        QTest::newRow("at the threshold") << 100 << 0.05 << 2000;
        // The rest follows the percent the tooltip shows: 4.9 % shows as 5 %.
        QTest::newRow("4.9 percent, shown as 5") << 100 << 0.049 << 2000;
        QTest::newRow("4.4 percent, shown as 4") << 100 << 0.044 << -1;
        QTest::newRow("idle") << 10 << 0.0 << -1;
        QTest::newRow("never slower than 2 s") << 600 << 0.2 << 2000;
        QTest::newRow("10 ms at a third") << 10 << 1.0 / 3 << 30;
        QTest::newRow("loads above 1 count as 1") << 250 << 1.5 << 250;
    }

    void theIntervalIsTheChosenOneDividedByTheLoad()
    {
        QFETCH(int, chosen);
        QFETCH(double, load);
        QFETCH(int, interval);
        Pace pace;
        QCOMPARE(pace.interval(chosen), std::optional<int>(chosen)); // before any sample
        pace.add(load);
        QCOMPARE(pace.interval(chosen).value_or(-1), interval);
    }

    // Each frame is due a pace after the last was due, not after the tick that came
    // late; a clock a whole frame behind counts afresh.
    void framesAreTimedFromWhenTheLastWasDue_data()
    {
        QTest::addColumn<qint64>("lastDue"); ///< -1: the first frame
        QTest::addColumn<qint64>("now");
        QTest::addColumn<qint64>("due");
        QTest::newRow("the first frame") << qint64(-1) << qint64(1000) << qint64(1100);
        QTest::newRow("a tick on time") << qint64(1000) << qint64(1000) << qint64(1100);
        QTest::newRow("a tick 30 ms late") << qint64(1000) << qint64(1030) << qint64(1100);
        QTest::newRow("a frame behind") << qint64(1000) << qint64(1150) << qint64(1250);
    }

    void framesAreTimedFromWhenTheLastWasDue()
    {
        QFETCH(qint64, lastDue);
        QFETCH(qint64, now);
        QFETCH(qint64, due);
        const auto last = lastDue < 0 ? std::nullopt : std::optional<std::int64_t>(lastDue);
        QCOMPARE(Pace::nextFrameDue(last, now, 100), due);
    }

    // The animation clock: a frame that falls due during the load step waits for its
    // end and comes at once then; it paces and rests; once stopped nothing starts it.
    void theClockHoldsPacesRestsAndStops()
    {
        using State = TrayClock::State;
        TrayClock clock;
        int dues = 0;
        QObject::connect(&clock, &TrayClock::due, [&dues] { ++dues; });
        clock.setInterval(5);
        clock.hold();
        QTest::qWait(40);
        QCOMPARE(dues, 0);
        clock.release();
        QCOMPARE(dues, 1);
        QCOMPARE(clock.state(), State::Periodic);
        QTRY_VERIFY(dues >= 3);

        clock.pace(std::nullopt);
        QCOMPARE(clock.state(), State::Resting);
        QVERIFY(!clock.isRunning());
        clock.pace(5);
        QCOMPARE(clock.state(), State::Paced);
        QVERIFY(clock.isRunning());

        clock.stop();
        clock.hold();
        clock.release();
        clock.unpace();
        clock.pace(5);
        QCOMPARE(clock.state(), State::Stopped);
        QVERIFY(!clock.isRunning());
    }

    // The load as /proc/stat tells it, between two readings of its first line: time
    // waiting for input or output is idle time, guests are already counted in user
    // and nice, and counters that went back or did not move tell nothing.
    void theLoadMeterReadsProcStat_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<double>("load"); ///< -1: nothing
        const QByteArray start = "cpu  100 0 100 800 0 0 0 0 0 0\ncpu0 1 2 3 4\n";
        QTest::newRow("a fifth busy")
            << start << QByteArray("cpu  200 0 200 1600 0 0 0 0 0 0\n") << 0.2;
        QTest::newRow("iowait is idle")
            << start << QByteArray("cpu  150 0 150 800 900 0 0 0\n") << 0.1;
        QTest::newRow("irq, softirq and steal are busy")
            << start << QByteArray("cpu  100 0 100 900 0 30 30 40\n") << 0.5;
        QTest::newRow("guests are not counted twice")
            << start << QByteArray("cpu  200 0 100 900 0 0 0 0 100 0\n") << 0.5;
        QTest::newRow("counters went back")
            << start << QByteArray("cpu  90 0 100 900 0 0 0 0\n") << -1.0;
        QTest::newRow("no time passed") << start << start << -1.0;
        QTest::newRow("not a cpu line") << start << QByteArray("intr 1 2 3\n") << -1.0;
        QTest::newRow("three counters") << start << QByteArray("cpu  200 0 200\n") << -1.0;
    }

    void theLoadMeterReadsProcStat()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(double, load);
        QTemporaryDir folder;
        const QString path = folder.filePath("stat");
        writeFile(path, before);
        ProcStatLoadMeter meter(QFile::encodeName(path).toStdString());
        QVERIFY(meter.available());
        writeFile(path, after);
        QCOMPARE(meter.sample().value_or(-1.0), load);
    }

    // A time constant of two seconds: a step of the load is 39 % done after one
    // second, 63 % after two, 78 % after three; a one-second spike moves the pace
    // only part of the way.
    void theLoadIsSmoothedOverAboutTwoSeconds()
    {
        Pace step;
        step.add(0.0);
        QList<int> percents;
        for (int i = 0; i < 3; ++i) {
            step.add(1.0);
            percents << *step.percent();
        }
        QCOMPARE(percents, (QList<int>{39, 63, 78}));

        Pace spike;
        for (const double load : {0.2, 0.2, 1.0})
            spike.add(load);
        QCOMPARE(*spike.percent(), 51);
        spike.add(0.2);
        QVERIFY(*spike.percent() < 40);
    }

    void offByDefaultTheClockAndTheTooltipAreAsEver()
    {
        TestProgram t;
        startWithPace(t, false);
        frmTray& tray = t.program.tray();
        QVERIFY(!tray.paceFollowsLoad());
        QCOMPARE(t.load.samples, 0);
        QCOMPARE(tray.interval(), 100);
        QVERIFY(tray.isRunning());
        tray.Timer1_Timer();
        QCOMPARE(tips(t), QStringList{kProgramName});
    }

    // Fuzzy T.V chosen at 100 ms: at half load it plays at 200 ms, below 5 % it rests
    // on its frame and wakes where it stopped; the tooltip tells the load, once a
    // second at most and only when the number changes.
    void theClockFollowsTheLoadAndRests()
    {
        TestProgram t;
        startWithPace(t);
        frmTray& tray = t.program.tray();
        QVERIFY(tray.paceFollowsLoad());
        QCOMPARE(tray.interval(), 100); // the pace at full load, as the options show it

        second(t, 0.5);
        tray.Timer1_Timer();
        QCOMPARE(tray.isRunning(), true);
        QCOMPARE(tray.interval(), 100);
        second(t, 0.5); // the same number: no new tooltip
        second(t, 0.0);
        second(t, 0.0);
        second(t, 0.0);
        second(t, 0.0);
        second(t, 0.0); // smoothed below 5 %
        QVERIFY(!tray.isRunning());
        const std::int16_t resting = t.program.state().CurrentFrame;
        const int modifies = t.tray.count(TrayCall::Modify);

        second(t, 1.0);
        QVERIFY(tray.isRunning());
        QCOMPARE(t.program.state().CurrentFrame, resting);
        tray.Timer1_Timer();
        QCOMPARE(t.program.state().CurrentFrame, resting + 1);
        QVERIFY(t.tray.count(TrayCall::Modify) > modifies);
        QCOMPARE(tips(t),
                 (QStringList{cpuLoadTip(50), cpuLoadTip(30), cpuLoadTip(18), cpuLoadTip(11),
                              cpuLoadTip(7), cpuLoadTip(4), cpuLoadTip(42)}));
    }

    void turningItOffWakesTheClockAndTheTooltipGoesBack()
    {
        TestProgram t;
        startWithPace(t);
        frmTray& tray = t.program.tray();
        for (int i = 0; i < 3; ++i)
            second(t, 0.0);
        QVERIFY(!tray.isRunning());
        t.program.setPaceFollowsLoad(false);
        QVERIFY(tray.isRunning());
        QCOMPARE(tips(t).back(), kProgramName);
        const int asked = t.load.samples;
        tray.Pace_Timer();
        QCOMPARE(t.load.samples, asked);
    }

    void whereTheLoadIsUnknownTheOptionStaysOff()
    {
        TestProgram t;
        t.load.isAvailable = false;
        startWithPace(t);
        QVERIFY(!t.program.paceAvailable());
        QVERIFY(!t.program.paceFollowsLoad());
        t.program.setPaceFollowsLoad(true);
        QVERIFY(!t.program.paceFollowsLoad());
        QCOMPARE(t.load.samples, 0);
    }

    void onlyTheTextCpuTurnsItOn_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("on");
        QTest::newRow("cpu") << "cpu" << true;
        QTest::newRow("CPU") << "CPU" << false;
        QTest::newRow("off") << "off" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("1") << "1" << false;
    }

    void onlyTheTextCpuTurnsItOn()
    {
        QFETCH(QString, stored);
        QFETCH(bool, on);
        TestProgram t;
        t.settings.set("Pace", stored);
        t.program.start();
        QCOMPARE(t.program.paceFollowsLoad(), on);
    }
};

QTEST_MAIN(PaceTest)
#include "tst_pace.moc"
