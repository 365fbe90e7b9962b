// Conversion of half-width characters to their full-width forms, with the
// voiced and semi-voiced marks merged into the kana before them.
#pragma once

#include <string_view>

#include "text/sjis_string.h"

namespace headly {

// Every byte of the result belongs to a double-byte character; anything that
// has no full-width form becomes ■. Longer than 0x3FFFFFFF bytes: error 15.
SjisString toFullWidth(std::string_view s);
// The same, appended to out (no allocation when out has room).
void appendFullWidth(std::string_view s, SjisString& out);
// The same, written at o, which has room for twice the bytes of s (at most
// 0x3FFFFFFF); returns the end.
char* writeFullWidth(std::string_view s, char* o);
// The byte length of the full-width form of s, without making it.
size_t fullWidthLength(std::string_view s);
// True when s holds double-byte characters only, which the conversion
// leaves as they are.
bool isFullWidth(std::string_view s);

}  // namespace headly
