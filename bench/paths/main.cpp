// glimmer_bench_paths: the three file paths a user waits for, run in process
// through the program's own code with fake dialogs and message boxes, timed one
// call at a time. Prints "key=value" lines; ends with status 1 when a path did not
// do its work (a benchmark of a failure path would flatter it).
//
//   loader_ms   LoadCustomAnimation of a file of 50 frames of 1000 bytes
//   list_ms     FillCustomList over a program folder of 500 compiled files
//   compile_ms  the editor's Compile of 50 frames of 1000 bytes

#include "EditorSession.h"
#include "TestFiles.h"
#include "TestProgram.h"
#include "Texts.h"
#include "Timing.h"
#include "formats/compiled_file.h"
#include "options/Optionfrm.h"
#include "runtime/CustomLoader.h"
#include "runtime/frmTray.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <cstdio>

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
        tray.Customimg[kFrames].isNull())
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

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int scale = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    benchLoader(1000 / scale);
    benchCustomList(50 / scale);
    benchCompile(200 / scale);
    return 0;
}
