#include "app/cli/CommandLine.h"

#include "app/cli/Autostart.h"
#include "files/Import.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cstdio>

namespace glimmer {

namespace {

constexpr const char* kUsage =
    "Usage: glimmerbox                      start in the notification area\n"
    "       glimmerbox --import PICTURE... [--output DIR]\n"
    "       glimmerbox --autostart | --no-autostart\n"
    "       glimmerbox FILE...                open .gx and .rgx files\n"
    "       glimmerbox --help | --version\n"
    "\n"
    "--import turns pictures into an animation for Glimmerbox, without any window:\n"
    "  one animated picture (GIF, WebP, ...) gives all its frames, with its pace;\n"
    "  one still picture as wide as three or more squares side by side (such as\n"
    "  48x16) gives one frame a square, left to right; any other picture gives one\n"
    "  frame; several pictures give one frame each, in name order. At most 50\n"
    "  frames. The frames become 16x16, 16-colour icons in a new folder beside the\n"
    "  first picture (cat.gif: cat-frames/cat01.ico, ...), and the animation is\n"
    "  written as TITLE.rgx (to edit) and TITLE.gx (to play and share) into that\n"
    "  folder. With --output DIR, the frames folder and both files go into DIR\n"
    "  instead. An existing file is never replaced: TITLE-2.gx, ... is used then.\n"
    "  Every path written is printed. Copy the .gx file into Glimmerbox's folder to\n"
    "  see it under \"Custom:\" in the options.\n"
    "\n"
    "--autostart makes Glimmerbox start at every login of yours (an entry in\n"
    "  ~/.config/autostart/); --no-autostart removes that entry.\n"
    "\n"
    "A file given without an option is opened: a .gx animation is kept among your\n"
    "  animations and played, a .rgx opens in the editor; a Glimmerbox already\n"
    "  running takes it. Any other argument is left to Qt (-platform, -style,\n"
    "  -session, ...).\n";

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

    const auto icons = writeFrameIcons(animation, output);
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
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Only these are ours. Anything else is Qt's (-platform, -style, and -session, with
    // which a session manager starts the program again): the program starts as ever,
    // and Qt takes them.
    const QStringList ours{QStringLiteral("--import"),      QStringLiteral("--output"),
                           QStringLiteral("--help"),        QStringLiteral("-h"),
                           QStringLiteral("--version"),     QStringLiteral("--autostart"),
                           QStringLiteral("--no-autostart")};
    if (std::none_of(arguments.begin(), arguments.end(),
                     [&](const QString& argument) { return ours.contains(argument); }))
        return std::nullopt;

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
