#pragma once

// Helpers shared by the formats tests: byte strings with embedded NULs and
// readable failure output for the library's outcomes.

#include "formats/compiled_file.h"
#include "formats/icon_rules.h"
#include "formats/raw_file.h"

#include <QByteArray>
#include <QTest>
#include <string>
#include <string_view>

namespace glimmer::formats {

// A byte string from a literal, NULs included.
template <std::size_t N> std::string bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

inline QByteArray qbytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

inline char* toString(CompiledReadOutcome outcome)
{
    static constexpr const char* kNames[] = {"Complete", "OtherVersion", "BadNumber", "Truncated",
                                             "StoppedByCaller"};
    return qstrdup(kNames[static_cast<int>(outcome)]);
}

inline char* toString(RawReadOutcome outcome)
{
    static constexpr const char* kNames[] = {"Ok", "Truncated", "BadNumber", "TooManyFrames"};
    return qstrdup(kNames[static_cast<int>(outcome)]);
}

inline char* toString(RawWriteError error)
{
    return qstrdup(error == RawWriteError::None ? "None" : "UnwritableValue");
}

inline char* toString(IconVerdict verdict)
{
    static constexpr const char* kNames[] = {"Accepted", "NotAnIconFile", "NotSuitable",
                                             "DifferentFormat", "CannotBeOpened"};
    return qstrdup(kNames[static_cast<int>(verdict)]);
}

} // namespace glimmer::formats

Q_DECLARE_METATYPE(glimmer::formats::CompiledReadOutcome)
Q_DECLARE_METATYPE(glimmer::formats::RawReadOutcome)
Q_DECLARE_METATYPE(glimmer::formats::IconVerdict)
