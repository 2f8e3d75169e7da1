#include "app/CommandLine.h"

#include "app/Autostart.h"
#include "editor/Import.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace glimmer {

namespace {

constexpr const char* kUsage =
    "Usage: glimmerbox                      start in the notification area\n"
    "       glimmerbox --import PICTURE... [--output DIR]\n"
    "       glimmerbox --autostart | --no-autostart\n"
    "       glimmerbox --help | --version\n"
    "\n"
    "--import turns pictures into an animation for Glimmerbox, without any window:\n"
    "  one animated picture (GIF, WebP, ...) gives all its frames, with its pace;\n"
    "  one still picture as wide as a whole number of squares gives one frame a\n"
    "  square, left to right; any other picture gives one frame; several pictures\n"
    "  give one frame each, in name order. At most 50 frames. The frames become\n"
    "  16x16, 16-colour icons in a new folder beside the first picture (cat.gif:\n"
    "  cat-frames/cat01.ico, ...), and the animation is written as TITLE.rgx (to\n"
    "  edit) and TITLE.gx (to play and share) into DIR, by default that folder.\n"
    "  Every path written is printed. Copy the .gx file into Glimmerbox's folder to\n"
    "  see it under \"Custom:\" in the options.\n"
    "\n"
    "--autostart makes Glimmerbox start at every login of yours (an entry in\n"
    "  ~/.config/autostart/); --no-autostart removes that entry.\n";

void say(std::FILE* stream, const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stream);
}

int fail(const QString& message)
{
    say(stderr, QStringLiteral("glimmerbox: ") + message);
    return 1;
}

int import(const QStringList& pictures, const QString& output)
{
    // Picture decoding needs Qt's image plugins, which an application object loads;
    // a core one needs no display.
    int argc = 1;
    char name[] = "glimmerbox";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);

    if (!output.isEmpty() && !QFileInfo(output).isDir())
        return fail(QStringLiteral("The folder %1 does not exist.").arg(output));
    auto imported = importPictures(pictures);
    if (const auto* failure = std::get_if<ImportFailure>(&imported))
        return fail(failure->message);
    const ImportedAnimation& animation = std::get<ImportedAnimation>(imported);

    const auto icons = writeFrameIcons(animation);
    if (const auto* failure = std::get_if<ImportFailure>(&icons))
        return fail(failure->message);
    const QStringList& iconPaths = std::get<QStringList>(icons);
    const QString folder =
        QFileInfo(output.isEmpty() ? iconPaths.front() : output + "/").absolutePath();
    const auto files = writeAnimationFiles(animation, iconPaths, folder);
    if (const auto* failure = std::get_if<ImportFailure>(&files)) {
        // The icons were the import's own, in a folder of their own: they go too.
        QDir(QFileInfo(iconPaths.front()).absolutePath()).removeRecursively();
        return fail(failure->message);
    }
    for (const QString& path : iconPaths + std::get<QStringList>(files))
        say(stdout, path);
    if (animation.cut)
        say(stderr, QStringLiteral("glimmerbox: ") + importCutMessage());
    return 0;
}

} // namespace

std::optional<int> runCommandLine(int argc, char* argv[])
{
    if (argc <= 1)
        return std::nullopt;
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    const QString& first = arguments.front();
    if (arguments.size() == 1 &&
        (first == QLatin1String("--help") || first == QLatin1String("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arguments.size() == 1 && first == QLatin1String("--version")) {
        std::fputs("Glimmerbox 2.0\n", stdout);
        return 0;
    }
    if (arguments.size() == 1 &&
        (first == QLatin1String("--autostart") || first == QLatin1String("--no-autostart")))
        return autostartCommand(first == QLatin1String("--autostart"));
    if (first == QLatin1String("--import")) {
        QStringList pictures;
        QString output;
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            if (arguments[i] == QLatin1String("--output") && i + 1 < arguments.size() &&
                output.isEmpty()) {
                output = arguments[++i];
            } else if (arguments[i].startsWith(QLatin1String("--"))) {
                pictures.clear();
                break;
            } else {
                pictures << arguments[i];
            }
        }
        if (!pictures.isEmpty())
            return import(pictures, output);
    }
    say(stderr, QStringLiteral("glimmerbox: unknown arguments \"%1\" (see glimmerbox --help)")
                    .arg(arguments.join(QLatin1Char(' '))));
    return 2;
}

} // namespace glimmer
