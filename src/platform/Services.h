#pragma once

namespace glimmer {

class SettingsStore;
class TrayArea;
class MessageBoxes;
class FileDialogs;
class Environment;

/// The desktop services the program uses, by interface. The program passes its Qt
/// implementations; a test passes fakes.
struct Services {
    SettingsStore& settings;
    TrayArea& tray;
    MessageBoxes& messages;
    FileDialogs& dialogs;
    Environment& environment;
};

} // namespace glimmer
