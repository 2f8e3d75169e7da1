// Glimmerbox exactly as it starts from main.cpp, with the tray area counted: every
// modify is one tick of the player. Under callgrind ("--profile FROM COUNT") it
// measures ticks FROM to FROM + COUNT and ends, so that instruction counts per tick
// compare with the floor's.

#include "TickBudget.h"
#include "app/Windows.h"
#include "platform/qt/QtEnvironment.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTrayArea.h"
#include "runtime/Program.h"

#include <QApplication>

namespace {

/// The program's tray area, with a count of the icon changes handed to it.
class CountingTrayArea final : public glimmer::TrayArea {
public:
    CountingTrayArea(glimmer::TrayArea& tray, glimmer::bench::TickBudget& budget)
        : tray_(tray), budget_(budget)
    {
    }

    bool add(const glimmer::TrayRecord& record) override { return tray_.add(record); }
    bool modify(const glimmer::TrayRecord& record) override
    {
        const bool changed = tray_.modify(record);
        budget_.tick();
        return changed;
    }
    bool remove(const glimmer::TrayRecord& record) override { return tray_.remove(record); }
    void popupMenu(QMenu& menu) override { tray_.popupMenu(menu); }

private:
    glimmer::TrayArea& tray_;
    glimmer::bench::TickBudget& budget_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glimmerbox"));
    QApplication::setQuitOnLastWindowClosed(false);
    glimmer::bench::TickBudget budget = glimmer::bench::TickBudget::fromArguments(argc, argv);

    glimmer::QtSettingsStore settings;
    glimmer::QtTrayArea qtTray;
    CountingTrayArea tray(qtTray, budget);
    glimmer::QtMessageBoxes messages;
    glimmer::QtFileDialogs dialogs;
    glimmer::QtEnvironment environment;
    glimmer::Program program({settings, tray, messages, dialogs, environment});
    glimmer::addWindows(program);
    QObject::connect(&program, &glimmer::Program::finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    program.start();
    return app.exec();
}
