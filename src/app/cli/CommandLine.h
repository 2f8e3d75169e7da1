#pragma once

#include <optional>

namespace glimmer {

/// The command line. Without any of our own options Glimmerbox starts in the tray as
/// ever, and Qt takes the arguments it knows (-platform, -session, ...); with them:
///   glimmerbox --import PICTURE... [--output DIR]
///       turns pictures into an animation without any window or display: the frame
///       icons into a new folder beside the first picture (inside DIR with --output),
///       TITLE.rgx and TITLE.gx into that new folder (into DIR with --output), never
///       over an existing file; prints every path it wrote.
///   glimmerbox --autostart | --no-autostart
///       writes or removes the current user's autostart entry (see Autostart.h).
///   glimmerbox --help | --version
/// Returns the exit status when the arguments asked for one of these (0 done, 1 a
/// failure told in one line on stderr, 2 our own options used in a way it does not
/// understand), or nothing when the program should start in the tray. Needs no
/// application object.
std::optional<int> runCommandLine(int argc, char* argv[]);

} // namespace glimmer
