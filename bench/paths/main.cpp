// glimmer_bench_paths: the three file paths a user waits for, run in process
// through the program's own code with fake dialogs and message boxes, timed one
// call at a time. Prints "key=value" lines; ends with status 1 when a path did not
// do its work (a benchmark of a failure path would flatter it).
//
//   loader_ms   LoadCustomAnimation of a file of 50 frames of 1000 bytes
//   list_ms     FillCustomList over a program folder of 500 compiled files
//   compile_ms  the editor's Compile of 50 frames of 1000 bytes
//   load_sample_us      one sample of the processor load (ProcStatLoadMeter::sample,
//                       reading the system's /proc/stat), with its 99th percentile
//
// Usage: glimmer_bench_paths [SCALE] [PATH...]: SCALE divides the number of calls;
// PATH is loader, list, compile or load_sample (all of them when none is named).

#include "EditorSession.h"
#include "TestFiles.h"
#include "TestProgram.h"
#include "Texts.h"
#include "Timing.h"
#include "formats/compiled_file.h"
#include "options/Optionfrm.h"
#include "platform/ProcStatLoadMeter.h"
#include "runtime/CustomLoader.h"
#include "runtime/frmTray.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <cstdio>
#include <thread>

using namespace glimmer;
using namespace glimmer::bench;

namespace {

constexpr int kFrames = 50;
constexpr int kIconLength = 1000;

void report(const char* key, const Timing& timing)
{
    std::printf("%s=%.4f\n%s_mean=%.4f\n%s_runs=%d\n", key, timing.medianMs, key, timing.meanMs,
                key, timing.runs);
}

[[noreturn]] void failed(const char* what)
{
    std::printf("error=%s\n", what);
    std::exit(1);
}

/// Frame `i` of an animation: a 16x16 icon padded to kIconLength bytes.
QByteArray frame(int i)
{
    return test::iconBytes({.colour = i % 16, .length = kIconLength});
}

/// A compiled file of `frames` frames at speed 10.
QByteArray animation(const QByteArray& title, int frames)
{
    QList<QByteArray> records;
    for (int i = 1; i <= frames; ++i)
        records << frame(i);
    return test::compiledFile({.title = title, .speed = 10, .frames = records});
}

void benchLoader(int loads)
{
    test::TestProgram t;
    t.program.start();
    test::writeFile(t.path("fifty.gx"), animation("Fifty", kFrames));
    t.settings.set("Custom", "fifty.gx");

    const Timing timing = timeRuns(10, loads, [&] { LoadCustomAnimation(t.program); });
    const frmTray& tray = t.program.tray();
    if (!t.messages.shown.empty() || t.program.state().CustomFrameCount != kFrames ||
        tray.customFrame(kFrames).isNull())
        failed("the loader did not load the 50 frames");
    report("loader_ms", timing);
}

void benchCustomList(int fills)
{
    test::TestProgram t;
    t.program.start();
    for (int i = 0; i < 500; ++i) {
        const QString title = QStringLiteral("Anim %1").arg(i, 3, 10, QLatin1Char('0'));
        test::writeFile(t.path(QStringLiteral("anim%1.gx").arg(i, 3, 10, QLatin1Char('0'))),
                        animation(title.toLatin1(), 1));
    }
    Optionfrm& options = t.optionfrm();
    const Timing timing = timeRuns(3, fills, [&] { options.FillCustomList(); });
    if (options.Combo1->count() != 500)
        failed("the custom list does not hold the 500 files");
    report("list_ms", timing);
}

void benchCompile(int compiles)
{
    test::EditorSession s;
    test::TestProgram& t = s.t;
    s.setFrameCount(kFrames);
    for (int i = 1; i <= kFrames; ++i)
        s.chooseIconFor(i, s.icon(QStringLiteral("frame%1.ico").arg(i), frame(i)));
    if (!t.messages.shown.empty())
        failed("an icon was refused");

    const QString output = t.path("out.gx");
    const Timing timing = timeRuns(5, compiles, [&] {
        t.messages.clear();
        t.dialogs.answers.push_back(output);
        s.editor().Image14_Click();
    });
    if (t.messages.texts() != QStringList{test::kAnimationCompiled} ||
        QFileInfo(output).size() != formats::kCompiledHeaderSize + kFrames * kIconLength)
        failed("the compile did not write the 50 frames");
    report("compile_ms", timing);
}

void benchLoadSample(int calls)
{
    ProcStatLoadMeter meter;
    if (!meter.available())
        failed("the processor load cannot be read here");
    // Most calls come less than a clock tick after the one before and have no share
    // to tell; they read and parse the file all the same. Those that do must be
    // shares.
    int shares = 0;
    bool wrong = false;
    const Timing timing = timeRuns(100, calls, [&] {
        if (const auto share = meter.sample()) {
            ++shares;
            wrong = wrong || *share < 0 || *share > 1;
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto later = meter.sample();
    if (wrong || !later || *later < 0 || *later > 1)
        failed("the load sample did not give a share from 0 to 1");
    std::printf("load_sample_us=%.3f\nload_sample_us_mean=%.3f\nload_sample_us_p99=%.3f\n"
                "load_sample_us_runs=%d\nload_sample_shares=%d\n",
                timing.medianMs * 1000, timing.meanMs * 1000, timing.p99Ms * 1000, timing.runs,
                shares);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int scale = 1;
    QStringList paths;
    for (int i = 1; i < argc; ++i) {
        if (std::atoi(argv[i]) > 0)
            scale = std::atoi(argv[i]);
        else
            paths << QString::fromLocal8Bit(argv[i]);
    }
    const auto wanted = [&](const char* name) {
        return paths.isEmpty() || paths.contains(QLatin1String(name));
    };
    if (wanted("loader"))
        benchLoader(1000 / scale);
    if (wanted("list"))
        benchCustomList(50 / scale);
    if (wanted("compile"))
        benchCompile(200 / scale);
    if (wanted("load_sample"))
        benchLoadSample(100000 / scale);
    return 0;
}
