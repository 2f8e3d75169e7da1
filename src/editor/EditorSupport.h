#pragma once

#include "platform/FilePath.h"

#include <QString>

namespace glimmer {

class Program;

/// The editor's refusal when an animation has no accepted icon yet.
inline const QString kNoFramesMessage =
    QStringLiteral("This animation has no frames! Refer to Readme.txt for more information.");

/// Shows `text` in a message box titled "Error" with the critical-stop icon.
void showError(Program& program, const QString& text);

/// True when the last three characters of `name`, with ASCII letters upper-cased,
/// are `upperLetters` (three upper-case ASCII letters). No dot is required before
/// them.
bool endsWithLetters(const QString& name, const char* upperLetters);

} // namespace glimmer
