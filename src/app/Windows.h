#pragma once

namespace glimmer {

class Program;

/// Tells `program` how to make the options dialog, the editor and the about box.
/// The program's main and every test that opens a window call it once, before
/// start-up.
void addWindows(Program& program);

} // namespace glimmer
