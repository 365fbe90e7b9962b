// What a file dialog finds under the path the user chose, the same for every
// backend. Each name is taken in the form in which it exists on disk (−
// U+2212 for － U+FF0D, 〜 U+301C for ～ U+FF5E, ...), as the file is opened
// afterwards: the existence check, the overwrite question and keep go by the
// file that would be read or replaced.
#pragma once

#include "system/file_system.h"
#include "text/sjis_string.h"

namespace headly {

class Drives;

struct ChosenFile {
  EntryKind kind;     // what the path names
  bool folderExists;  // whether its folder is there
};

// path: an absolute internal path, as the dialog gives it back.
ChosenFile lookAtChosenFile(const Drives& drives, const SjisString& path);

}  // namespace headly
