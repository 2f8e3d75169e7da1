#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace glimmer {

/// Reading files that may be anything: only regular files count as files to read.
/// A directory, a FIFO, a device or a dangling link is refused at once, and opening
/// never blocks.

/// True when `path` (links followed) is a regular file that can be opened for
/// reading now.
bool isReadableRegularFile(const std::filesystem::path& path);

/// The length of `path` when it is a regular file that can be opened for
/// reading, taken from the opened file; nullopt otherwise.
std::optional<std::uintmax_t> readableRegularFileLength(const std::filesystem::path& path);

/// The whole content of `path`. Returns nullopt when it is not a regular file,
/// cannot be opened or read, or holds more than maxBytes bytes.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

/// The first maxBytes bytes of `path` (all of it when it is shorter, fewer when it
/// shrinks while it is read). Returns nullopt when it is not a regular file or
/// cannot be opened or read; bytes after the first maxBytes are never read.
std::optional<std::string> readRegularFileStart(const std::filesystem::path& path,
                                                std::size_t maxBytes);

/// The same for a path as the program spells it; an empty path is nothing to read.
bool isReadableRegularFile(const QString& path);
std::optional<std::string> readRegularFile(const QString& path, std::size_t maxBytes);
std::optional<std::string> readRegularFileStart(const QString& path, std::size_t maxBytes);

} // namespace glimmer
