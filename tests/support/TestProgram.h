#pragma once

#include "Fakes.h"
#include "runtime/Program.h"

#include <QTemporaryDir>

namespace glimmer::test {

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
