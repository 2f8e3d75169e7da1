#pragma once

#include <QByteArray>
#include <QString>

namespace glimmer::bench {

/// A one-image 16x16 16-colour Windows icon file (318 bytes) painted with palette
/// entry `colour`, padded with zero bytes to `length` bytes (at least 318). The
/// padding lies after the picture, where readers do not look.
QByteArray iconOfLength(int length, int colour);

/// Writes `bytes` to `path`; ends the benchmark when it cannot.
void writeBytes(const QString& path, const QByteArray& bytes);

} // namespace glimmer::bench
