#pragma once

namespace glimmer {

/// glimmerbox --autostart (`enable`) and --no-autostart: writes or removes the current
/// user's entry that starts Glimmerbox at every login,
/// $XDG_CONFIG_HOME/autostart/<application id>.desktop (~/.config when unset), made
/// for this very executable. A new entry replaces an earlier one only once all of it
/// is written; having none to remove is no failure. Prints what it did on stdout and
/// returns 0, or prints what failed on stderr and returns 1. Makes its own core
/// application object: needs none, and no display.
int autostartCommand(bool enable);

} // namespace glimmer
