#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

namespace glimmer {

class Program;

/// Loads the compiled animation named by the setting "Custom" (a bare name is taken
/// from the current directory) into the tray's custom frame slots and publishes its
/// speed, frame count and title, each as soon as it is read. Reports its own
/// failures in message boxes: nothing selected or any read failure falls back to
/// animation 2; a newer version changes nothing. A file declaring more than 50
/// frames keeps frames 1..50 and then fails. No file is written.
void LoadCustomAnimation(Program& program);

/// The first `maxBytes` bytes of the file at `path`, fewer when it is shorter.
/// Only a regular file (links followed) is read: a directory, a FIFO or a device
/// gives nothing at once and is never waited on. Nothing when it cannot be read.
std::optional<std::string> readFileStart(const QString& path, std::size_t maxBytes);

} // namespace glimmer
