#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

namespace glimmer {

class Program;

/// Loads the compiled animation named by the setting "Custom" (a bare name is looked
/// for in the user's animations folder, then the program's: findAnimation) into the tray's custom
/// frame slots and publishes its speed, frame count and title, each as soon as it is read. Reports
/// its own failures in message boxes: nothing selected or any read failure falls back to animation
/// 2; a newer version changes nothing. A file declaring more than 50 frames keeps frames 1..50 and
/// then fails. No file is written.
void LoadCustomAnimation(Program& program);

} // namespace glimmer
