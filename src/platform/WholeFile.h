#pragma once

#include <QString>
#include <string_view>

namespace glimmer {

/// Writes every file the user keeps (raw and compiled animations, imported icons) whole
/// or not at all.
///
/// The one policy: the bytes go into a new temporary file beside the target, which is
/// flushed and synced to the disk and only then takes the target's name. A failure at any
/// point (a full disk, a quota, a cut power) leaves an older file of that name exactly as
/// it was, and never half a file. There is no fallback that writes into the older file in
/// place where no temporary file can be made (a folder one may not write to holding a file
/// one may): a failure halfway through such a write would destroy the file it was meant to
/// replace, so the write is refused instead and the caller says why.
enum class ExistingFile {
    Replace, ///< the user named this file: an older one is replaced, keeping its mode
    Keep,    ///< the program chose the name: an older file is never touched
};

enum class WholeFileOutcome {
    Written,
    Exists,         ///< Keep, and something of that name is there already
    FolderReadOnly, ///< no file can be made in the target's folder
    NotAFile,       ///< the name is taken by a folder, a device, a pipe or a dangling link
    Failed,         ///< writing or syncing failed (a full disk, ...); nothing changed
};

/// Writes `bytes` as the file `path` under the policy above. A link is followed: the
/// file it names is the one written (made, when it does not exist yet); links that go
/// round in a circle are replaced by the file.
WholeFileOutcome writeWholeFile(const QString& path, std::string_view bytes, ExistingFile existing);

} // namespace glimmer
