#pragma once

#include <QString>
#include <filesystem>

namespace glimmer {

/// A path as the file system spells it (the bytes the system's file names use on
/// Unix), for the formats library's readers and checks.
std::filesystem::path toFsPath(const QString& path);

} // namespace glimmer
