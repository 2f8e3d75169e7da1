#pragma once

#include <QStringList>

namespace glimmer {

class Program;

/// Opens files handed to the program, as a double-click in a file manager does, one
/// after the other:
/// - a raw animation (a name ending in .rgx) opens the editor with it loaded, as the
///   tray menu's "Edit" and then the editor's Load would;
/// - any other file is taken as a compiled animation: it is kept among the user's
///   animations (keepAnimation), played as the custom animation at its own speed, and
///   kept as the choice for the next start, as picking it in the options and pressing
///   "Okay" would.
/// A file that fails gives the sentence the editor's Load or the loader has for that
/// failure and changes nothing. Nothing interrupts a message box: while one of the
/// program's boxes is open the files wait for it to close. While the window they would
/// change is open (the editor for a raw file, the options for a compiled one) a file
/// is refused with a sentence.
void openFiles(Program& program, const QStringList& files);

} // namespace glimmer
