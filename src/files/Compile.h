#pragma once

#include "files/Animation.h"

namespace glimmer {

/// Compiles `animation` into the compiled file `target`: the header with its title,
/// speed, frame count and icon size, then the first iconSize bytes of the icon of
/// every frame, as they are. Written whole or not at all, never over one of its own
/// icon files. Refused, with a sentence, when an icon is missing or shorter than the
/// icon size, when the target is one of the icons, when the folder takes no new file
/// or the write fails; silent when the animation cannot be stored (a title or a frame
/// count out of its range) or the name is taken by something other than a file.
FileOutcome compileAnimation(const AnimationDraft& animation, const QString& target);

} // namespace glimmer
