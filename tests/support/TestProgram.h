#pragma once

#include "Fakes.h"
#include "runtime/Program.h"

#include <QTemporaryDir>

namespace glimmer {
class frmTray;
class Optionfrm;
class Customfrm;
class Aboutfrm;
} // namespace glimmer

namespace glimmer::test {

/// The tray menu's entries as "OEAX": Options, Edit, About, Exit, each letter
/// replaced by "-" while the entry is disabled.
QString menuEntries(const frmTray& tray);

/// Chooses the entry captioned `caption` in the tray menu, as a user or a tray host
/// does (nothing happens while it is disabled).
void choose(const frmTray& tray, const QString& caption);

/// How many of the tray's custom frame slots, from 1 on, hold a picture before the
/// first empty one.
int filledSlots(const frmTray& tray);

/// The entries of the options window's custom animation list, in order.
QStringList customEntries(const Optionfrm& window);

/// The texts a `FakeMessageBoxes` shows when `message` is expected: none for an empty
/// one.
QStringList expectedMessages(const QString& message);

/// A program context wired to fakes and to the real windows, with its own
/// temporary folder that serves as the program's folder and the current directory.
/// Settings can be stored before `program.start()` runs the start-up.
struct TestProgram {
    TestProgram();
    ~TestProgram();

    /// A path inside the temporary folder.
    QString path(const QString& name) const { return folder.filePath(name); }

    /// The windows, made hidden and loaded when they do not exist yet.
    Optionfrm& optionfrm();
    Customfrm& customfrm();
    Aboutfrm& aboutfrm();
    bool hasOptionfrm() const { return program.hasWindow(WindowKind::Options); }
    bool hasCustomfrm() const { return program.hasWindow(WindowKind::Editor); }
    bool hasAboutfrm() const { return program.hasWindow(WindowKind::About); }

    QTemporaryDir folder;
    QString previousDirectory;
    FakeSettingsStore settings;
    FakeTrayArea tray;
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeEnvironment environment;
    FakeLoadMeter load;
    Program program{Services{settings, tray, messages, dialogs, environment, &load}};
};

} // namespace glimmer::test
