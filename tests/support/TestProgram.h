#pragma once

#include "Fakes.h"
#include "runtime/Program.h"

#include <QTemporaryDir>

namespace glimmer {
class frmTray;
}

namespace glimmer::test {

/// The tray menu's entries as "OEAX": Options, Edit, About, Exit, each letter
/// replaced by "-" while the entry is disabled.
QString menuEntries(const frmTray& tray);

/// A program context wired to fakes, with its own temporary folder that serves as
/// the program's folder and the current directory. Settings can be stored before
/// `program.start()` runs the start-up.
struct TestProgram {
    TestProgram();
    ~TestProgram();

    /// A path inside the temporary folder.
    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    QString previousDirectory;
    FakeSettingsStore settings;
    FakeTrayArea tray;
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeEnvironment environment;
    Program program{Services{settings, tray, messages, dialogs, environment}};
};

} // namespace glimmer::test
