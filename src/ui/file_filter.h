// The file dialogs' filter text: "ﾃｷｽﾄ形式(*.TXT,*.CSV);..." becomes one
// filter per entry, shown with the entry's own text and matching the patterns
// in its parentheses without regard to letter case.
#pragma once

#include <string_view>
#include <vector>

#include "text/sjis_string.h"

namespace headly {

struct FileFilter {
  SjisString text;                    // the entry as it stands, shown to the user
  std::vector<SjisString> patterns;   // "*.TXT", "*.CSV"
};

// Entries are separated by semicolons; the patterns are the text between an
// entry's first "(" and the next ")", blanks and tabs removed, separated by
// commas. An empty text gives "すべてのﾌｧｲﾙ(*.*)". An entry without its
// parentheses or a text over 511 bytes raises error 5.
std::vector<FileFilter> parseFileFilter(const SjisString& filterText);

// Wildcard match of a file name: "*" any run of characters, "?" one
// character (a double-byte character counts as one); ASCII letters match
// without regard to case; "*.*" matches every name.
bool matchesPattern(std::string_view name, std::string_view pattern);
bool matchesFilter(std::string_view name, const FileFilter& filter);
// What a save dialog adds to a file name (without its folder) typed while
// filter is chosen: an entry of documents that other programs know by their
// extension ("PDF文書(*.PDF)") gives ".PDF" to a name that has no extension;
// for other entries and names, nothing.
SjisString addedExtension(std::string_view name, const FileFilter& filter);

}  // namespace headly
