#pragma once

#include "files/Animation.h"

#include <QString>
#include <QStringList>
#include <variant>

namespace glimmer {

/// How a compiled animation file reads, judged as the tray's loader reads it, without
/// keeping anything of it.
enum class CompiledFileCheck {
    Playable,     ///< the header and 1..50 frames, every one of them a picture
    NewerVersion, ///< another version's file: its first five bytes are not "GX2.0"
    Damaged,      ///< anything else: missing, unreadable, cut, no frames, bad records
};
CompiledFileCheck checkCompiledFile(const QString& path);

/// Keeps the compiled animation `path` among the user's animations, so that it can be
/// played at the next start too: a file in one of `folders` already is kept where it
/// is; any other is copied into `folders.front()` (made when missing) under its own
/// name, or the first free one of NAME-2.gx, NAME-3.gx, ..., never over another file,
/// unless one of those names holds the same bytes already (received before). Returns the kept
/// file's path, or the outcome of a failed copy (the folder's sentence, or silent).
std::variant<QString, FileOutcome> keepAnimation(const QString& path, const QStringList& folders);

} // namespace glimmer
