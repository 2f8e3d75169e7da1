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

/// Writes `bytes` into the regular file `path` that another program made for them and
/// reads back through the handle it keeps open (tumbler hands a thumbnailer such a file):
/// the content of that very file is replaced, since a new file taking its name would
/// leave that program reading the old, empty one. Not for the user's files: a failure
/// halfway leaves part of the bytes, which the program that asked for them refuses.
/// NotAFile when nothing is there (nothing is made) or it is no regular file (a folder,
/// a pipe, a device: never written, and opening it never blocks); Failed when writing
/// or syncing fails.
WholeFileOutcome writeIntoHandedFile(const QString& path, std::string_view bytes);

} // namespace glimmer
