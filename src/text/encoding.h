// The one place where Shift-JIS (code page 932) meets UTF-8: the screen, the
// transcript and native file names. Everything else in the program is bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/sjis_string.h"

namespace headly {

// Shift-JIS to UTF-8. Bytes that have no UTF-8 form are replaced by U+FFFD.
std::string toUtf8(std::string_view sjis);
// Shift-JIS to UTF-8, or nothing when some byte sequence has no UTF-8 form.
std::optional<std::string> toUtf8Exact(std::string_view sjis);
// UTF-8 to Shift-JIS, or nothing when a character has no Shift-JIS form.
std::optional<SjisString> fromUtf8(std::string_view utf8);
// UTF-8 to Shift-JIS only when the text comes back unchanged through the way
// back (a round trip): U+00A5 would become a backslash, U+301C comes back as
// U+FF5E. Native names must pass this test.
std::optional<SjisString> fromUtf8RoundTrip(std::string_view utf8);
// A text of the program's own, written in UTF-8 in the source. Such texts
// always have a Shift-JIS form.
SjisString sjis(std::string_view utf8);

}  // namespace headly
