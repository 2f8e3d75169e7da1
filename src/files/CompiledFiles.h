#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace glimmer {

/// The compiled animation files in `folder`, by bare name, in natural name order
/// (letter case aside, digit runs by their value):
/// regular files (links followed) whose name ends in ".gx" in any letter case.
/// Directories, FIFOs, devices, dangling links and hidden files are left out.
QStringList compiledFilesIn(const QString& folder);

/// The compiled animation files of all `folders` (see compiledFilesIn), as paths, in
/// one natural order of their names; of equal names, the one of the earlier folder
/// comes first.
QStringList compiledFilesIn(const QStringList& folders);

/// The title of the compiled file at `path`: the 12 bytes at offset 14 without the
/// spaces on the right, read as Windows-1252. Nothing when the file cannot be read
/// or is shorter than its 26-byte header.
std::optional<QString> compiledFileTitle(const QString& path);

} // namespace glimmer
