#pragma once

#include "platform/FilePath.h"

#include <QString>
#include <filesystem>
#include <optional>
#include <string>

namespace glimmer {

class Program;

/// The editor's refusal when an animation has no accepted icon yet.
inline const QString kNoFramesMessage =
    QStringLiteral("This animation has no frames! Refer to Readme.txt for more information.");

/// Shows `text` in a message box titled "Error" with the critical-stop icon.
void showError(Program& program, const QString& text);

/// "The folder X cannot be written to.", X being the folder of the file `path`: what
/// the editor says when no file can be made there.
QString folderCannotBeWrittenMessage(const QString& path);

/// True when the last three characters of `name`, with ASCII letters upper-cased,
/// are `upperLetters` (three upper-case ASCII letters). No dot is required before
/// them.
bool endsWithLetters(const QString& name, const char* upperLetters);

/// True when `path` names nothing yet or a regular file: the only kind of name the
/// editor writes to (never a device, a pipe or a folder).
bool isWritableName(const QString& path);

/// The title as the animation files store it (Windows-1252); nothing when a
/// character has no byte there.
std::optional<std::string> titleBytes(const QString& title);

} // namespace glimmer
