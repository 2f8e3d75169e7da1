#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glimmer::formats {

// Titles in animation files are stored in Windows-1252, so that a file reads
// the same on every machine it is handed to.

// True when `c` has a byte in Windows-1252. The five bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// characters U+0081, U+008D, U+008F, U+0090 and U+009D, so every byte has a
// character and every one of those 256 characters has its byte.
bool windows1252CanHold(char32_t c);

// Converts UTF-8 text to Windows-1252 bytes. Returns nullopt when the UTF-8 is
// malformed (overlong forms, surrogates, truncated sequences, values above
// U+10FFFF) or when a character has no Windows-1252 byte (for example U+4E2D).
std::optional<std::string> utf8ToWindows1252(std::string_view utf8);

// Converts UTF-8 text to Windows-1252 bytes, leaving out every character that has no
// byte there and every malformed sequence (one byte at a time). Never fails.
std::string windows1252Subset(std::string_view utf8);

// Converts Windows-1252 bytes to UTF-8. Never fails: every byte has a
// character (see windows1252CanHold).
std::string windows1252ToUtf8(std::string_view bytes);

} // namespace glimmer::formats
