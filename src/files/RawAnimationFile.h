#pragma once

#include "files/Animation.h"

#include <variant>

namespace glimmer {

/// Saves `animation` as the raw file `path`: its title, speed, frame count, icon size
/// and the icons of frames 1..frames, read back the same by loadRawAnimation. Written
/// whole or not at all (see WholeFile); a name taken by something other than a file
/// ends it silently. Refused, with the sentence that names it, when a value cannot be
/// written so that it reads back (a title with a character the file cannot store, a
/// path with a line break, ...), or when the folder takes no new file.
FileOutcome saveRawAnimation(const QString& path, const AnimationDraft& animation);

/// Why a raw file could not be loaded.
enum class RawLoadFailure {
    Unreadable, ///< not a readable regular file, or larger than a raw file can be
    Malformed,  ///< not a raw file, numbers out of range, or a title Save would refuse
};

/// Reads the raw file `path`. Its values must be in range (speed 1..10, 1..50 frames,
/// icon size 0..1000) and its title one that Save writes (formats::isStorableTitle).
/// The icons are not looked at.
std::variant<AnimationDraft, RawLoadFailure> loadRawAnimation(const QString& path);

} // namespace glimmer
