#include "ui/chosen_file.h"

#include "system/drives.h"
#include "system/path_text.h"
#include "system/text_files.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

// A path that cannot be looked at (a folder the user may not search) names
// nothing the dialog can show.
EntryKind kindOrMissing(const Drives& drives, const SjisString& path) {
  try {
    return drives.kindOnDisk(path);
  } catch (const RuntimeError&) {
    return EntryKind::Missing;
  }
}

}  // namespace

ChosenFile lookAtChosenFile(const Drives& drives, const SjisString& path) {
  const PathParts parts = splitPath(path);
  return {kindOrMissing(drives, path), kindOrMissing(drives, parts.drive + parts.folder) == EntryKind::Folder};
}

}  // namespace headly
