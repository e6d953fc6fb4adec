#pragma once
// The one place where Qt strings and the program's byte strings meet:
// UTF-8 settings and names, file names in the locale's encoding, and texts
// of the system's own 8-bit set.
#include <QString>
#include <string>
#include <string_view>

namespace nuvel {

// UTF-8 bytes (settings, registry values, component names).
QString FromUtf8(std::string_view bytes);
std::string ToUtf8(const QString& text);

// A file name: bytes in the locale's encoding, shown decoded as such.
QString FromFileName(std::string_view name);
std::string ToFileName(const QString& name);

// Text in the system's own 8-bit set (interface texts, messages, document
// bytes), each byte through the system's Unicode table; a precomposed
// pointed letter becomes its letter followed by its points; a file name
// marked by FileNameInMessage is decoded as a file name and isolated.
QString FromSystemText(std::string_view bytes);
// Typed or shown text back to the system's set, one byte per UTF-16 unit;
// characters the set lacks become its replacement byte.
std::string ToSystemText(const QString& text);

// Text in the system's set one character a byte (a pointed letter as its
// own code), for edits whose positions must stay those of the bytes; and
// back, a character the set lacks becoming 0.
QString FromSystemBytes(std::string_view bytes);
std::string ToSystemBytes(const QString& text);

}  // namespace nuvel
