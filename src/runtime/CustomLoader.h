#pragma once

namespace glimmer {

class Program;

/// Loads the compiled animation named by the setting "Custom" into the tray's
/// custom frame slots and publishes its frame count, title and speed. Reports its
/// own failures in message boxes; on a failure other than a newer version it falls
/// back to animation 2.
void LoadCustomAnimation(Program& program);

} // namespace glimmer
