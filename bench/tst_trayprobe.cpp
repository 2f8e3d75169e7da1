// What the tray probe reads: processor time and memory from /proc texts, and
// whether the slot's pixels show a picture or only the tray's background.

#include "Pixels.h"
#include "ProcStats.h"

#include <QTest>
#include <unistd.h>
#include <vector>

using namespace glimmer::bench;

class TrayProbeTest final : public QObject {
    Q_OBJECT
private slots:
    void cpuTicks_data()
    {
        QTest::addColumn<QByteArray>("stat");
        QTest::addColumn<qlonglong>("ticks"); // -1: no figure
        // tty, tpgid, flags, minflt, cminflt, majflt, cmajflt, utime 250, stime 31, ...
        const QByteArray tail = " 0 -1 4194560 1200 0 3 0 250 31 0 0 20 0 3 0 100";
        QTest::newRow("plain name") << "1234 (glimmerbox) S 1 1234 1234" + tail << 281LL;
        QTest::newRow("spaces in the name") << "77 (Web Content) R 1 77 77" + tail << 281LL;
        QTest::newRow("parentheses in the name") << "9 (a) b (c)) S 1 9 9" + tail << 281LL;
        QTest::newRow("no name") << QByteArray("1234 S 1 2 3") << -1LL;
        QTest::newRow("cut before stime") << QByteArray("1 (x) S 1 1 1 0 -1 4 1 0 0 0 250") << -1LL;
        QTest::newRow("letters for utime")
            << QByteArray("1 (x) S 1 1 1 0 -1 4 1 0 0 0 abc 31 0") << -1LL;
        QTest::newRow("empty") << QByteArray() << -1LL;
    }

    void cpuTicks()
    {
        QFETCH(QByteArray, stat);
        QFETCH(qlonglong, ticks);
        const auto read = cpuTicksFromStat(std::string_view(stat.constData(), stat.size()));
        QCOMPARE(read.has_value(), ticks >= 0);
        if (read)
            QCOMPARE(*read, ticks);
    }

    void memoryLines()
    {
        const std::string status = "Name:\tglimmerbox\nVmPeak:\t  400000 kB\nVmHWM:\t   41234 "
                                   "kB\nVmRSS:\t   40960 kB\nThreads:\t3\n";
        QCOMPARE(statusKb(status, "VmHWM:"), std::optional<long>(41234));
        QCOMPARE(statusKb(status, "VmRSS:"), std::optional<long>(40960));
        // A key is a whole line start: "VmRSS:" is not found inside another line.
        QCOMPARE(statusKb("RssVmRSS: 5 kB\n", "VmRSS:"), std::nullopt);
        QCOMPARE(statusKb(status, "VmSwap:"), std::nullopt);
        QCOMPARE(statusKb("VmRSS:\n", "VmRSS:"), std::nullopt);
        QCOMPARE(runTimeFromSchedstat("172027657 328584048 66\n"),
                 std::optional<long long>(172027657));
        QCOMPARE(runTimeFromSchedstat(""), std::nullopt);
        QCOMPARE(timeslicesFromSchedstat("172027657 328584048 66\n"), std::optional<long long>(66));
        QCOMPARE(timeslicesFromSchedstat("172027657 328584048"), std::nullopt);
        QCOMPARE(timeslicesFromSchedstat("1 2 x\n"), std::nullopt);
    }

    void machineTimes_data()
    {
        QTest::addColumn<QByteArray>("stat");
        QTest::addColumn<qlonglong>("busy"); // -1: no figure
        QTest::addColumn<qlonglong>("total");
        // user 100, nice 2, system 30, idle 800, iowait 50, irq 3, softirq 4, steal 1,
        // guest 7, guest_nice 0 (guests are already in user and nice)
        QTest::newRow("ten counters")
            << QByteArray("cpu  100 2 30 800 50 3 4 1 7 0\ncpu0 50 1 15 400 25 1 2 0 3 0\n")
            << 140LL << 990LL;
        QTest::newRow("tab after the name") << QByteArray("cpu\t10 0 5 85\n") << 15LL << 100LL;
        QTest::newRow("four counters, no newline") << QByteArray("cpu 1 2 3 4") << 6LL << 10LL;
        QTest::newRow("three counters") << QByteArray("cpu 1 2 3\n") << -1LL << 0LL;
        QTest::newRow("a core's line first") << QByteArray("cpu0 1 2 3 4 5\n") << -1LL << 0LL;
        QTest::newRow("letters") << QByteArray("cpu 1 x 3 4\n") << -1LL << 0LL;
        QTest::newRow("empty") << QByteArray() << -1LL << 0LL;
    }

    void machineTimes()
    {
        QFETCH(QByteArray, stat);
        QFETCH(qlonglong, busy);
        QFETCH(qlonglong, total);
        const auto read = machineTimesFromStat(std::string_view(stat.constData(), stat.size()));
        QCOMPARE(read.has_value(), busy >= 0);
        if (read) {
            QCOMPARE(read->busy, busy);
            QCOMPARE(read->total, total);
        }
    }

    void busyShares()
    {
        QCOMPARE(busyShare({100, 400}, {150, 500}), std::optional<double>(0.5));
        QCOMPARE(busyShare({100, 400}, {100, 500}), std::optional<double>(0.0));
        QCOMPARE(busyShare({100, 400}, {100, 400}), std::nullopt); // no time passed
        QCOMPARE(busyShare({100, 400}, {90, 500}), std::nullopt);  // went back
        const auto now = sampleMachine();
        QVERIFY(now.has_value());
        QVERIFY(now->total > 0 && now->busy <= now->total);
    }

    void thisProcessIsSampled()
    {
        // Spend some processor time, so that the sample has something to show.
        volatile double sink = 0;
        for (int i = 0; i < 20'000'000; ++i)
            sink = sink + i * 0.5;
        const auto sample = sampleProcess(getpid());
        QVERIFY(sample.has_value());
        QVERIFY(sample->cpuSeconds > 0);
        QVERIFY(sample->rssKb > 0);
        QVERIFY(sample->hwmKb >= sample->rssKb);
        QCOMPARE(sampleProcess(-5), std::nullopt);
    }

    void pictures_data()
    {
        QTest::addColumn<std::vector<std::uint8_t>>("pixels");
        QTest::addColumn<bool>("picture");
        using Bytes = std::vector<std::uint8_t>;
        QTest::newRow("background only")
            << Bytes{64, 64, 64, 0, 64, 64, 64, 0, 64, 64, 64, 0} << false;
        QTest::newRow("padding byte differs")
            << Bytes{64, 64, 64, 0, 64, 64, 64, 255, 64, 64, 64, 7} << false;
        QTest::newRow("last pixel differs")
            << Bytes{64, 64, 64, 0, 64, 64, 64, 0, 64, 65, 64, 0} << true;
        QTest::newRow("one pixel") << Bytes{1, 2, 3, 4} << false;
        QTest::newRow("nothing") << Bytes{} << false;
    }

    void pictures()
    {
        QFETCH(std::vector<std::uint8_t>, pixels);
        QFETCH(bool, picture);
        QCOMPARE(showsAPicture(pixels.data(), pixels.size()), picture);
    }
};

QTEST_APPLESS_MAIN(TrayProbeTest)
#include "tst_trayprobe.moc"
