#pragma once

#include <optional>

namespace glimmer {

/// The command line. Without arguments Glimmerbox starts in the tray as ever;
/// otherwise:
///   glimmerbox --import PICTURE... [--output DIR]
///       turns pictures into an animation without any window or display: the frame
///       icons into a new folder beside the first picture, TITLE.rgx and TITLE.gx
///       into DIR (by default that new folder); prints every path it wrote.
///   glimmerbox --autostart | --no-autostart
///       writes or removes the current user's autostart entry (see Autostart.h).
///   glimmerbox --help | --version
/// Returns the exit status when the arguments asked for one of these (0 done, 1 a
/// failure told in one line on stderr, 2 arguments it does not understand), or
/// nothing when the program should start in the tray. Needs no application object.
std::optional<int> runCommandLine(int argc, char* argv[]);

} // namespace glimmer
