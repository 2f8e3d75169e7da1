// Glimmerbox: an animated icon in the notification area, and nothing else on screen.

#include "app/OpenFiles.h"
#include "app/Windows.h"
#include "app/cli/CommandLine.h"
#include "platform/ApplicationId.h"
#include "platform/ProcStatLoadMeter.h"
#include "platform/qt/QtEnvironment.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTrayArea.h"
#include "platform/qt/SessionInstance.h"
#include "runtime/Program.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace {

/// Qt would abort with a cryptic message when there is no display at all.
bool hasDisplay()
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool headlessPlatform = platform && *platform && std::string_view(platform) != "xcb" &&
                                  std::string_view(platform).rfind("wayland", 0) != 0;
    return headlessPlatform || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

/// The files the program was started with (what a file manager's double-click passes),
/// as absolute paths: the arguments Qt has not taken, but for options.
QStringList filesToOpen()
{
    QStringList files;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        if (!argument.startsWith(QLatin1Char('-')))
            files << QFileInfo(argument).absoluteFilePath();
    }
    return files;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = glimmer::runCommandLine(argc, argv))
        return *status;
    if (!hasDisplay()) {
        std::fputs("Glimmerbox needs a desktop session with a notification area, and no display "
                   "was found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n",
                   stderr);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glimmerbox"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    // Desktops find the launcher, and so the icon, of the program's windows by this.
    QGuiApplication::setDesktopFileName(QLatin1String(glimmer::kApplicationId));
    // The program has no main window: closing a dialog must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    // A Glimmerbox already running in this session takes the files: no second icon.
    const QStringList files = filesToOpen();
    if (!files.isEmpty() && glimmer::SessionInstance::handOver(files))
        return 0;

    glimmer::QtSettingsStore settings;
    glimmer::QtTrayArea tray;
    glimmer::QtMessageBoxes messages;
    glimmer::QtFileDialogs dialogs;
    glimmer::QtEnvironment environment;
    glimmer::ProcStatLoadMeter load;
    glimmer::Program program({settings, tray, messages, dialogs, environment, &load});
    glimmer::addWindows(program);
    QObject::connect(&program, &glimmer::Program::finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    program.start();
    glimmer::SessionInstance instance;
    instance.serve([&program](const QStringList& handed) { glimmer::openFiles(program, handed); });
    glimmer::openFiles(program, files);
    return app.exec();
}
