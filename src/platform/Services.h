#pragma once

namespace glimmer {

class SettingsStore;
class TrayArea;
class MessageBoxes;
class FileDialogs;
class Environment;
class LoadMeter;

/// The desktop services the program uses, by interface. The program passes its Qt
/// implementations; a test passes fakes.
struct Services {
    SettingsStore& settings;
    TrayArea& tray;
    MessageBoxes& messages;
    FileDialogs& dialogs;
    Environment& environment;
    /// The processor load, for the pace that follows it; none where the system does
    /// not tell it (the option is then unavailable).
    LoadMeter* load = nullptr;
};

} // namespace glimmer
