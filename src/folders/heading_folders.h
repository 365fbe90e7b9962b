// The heading folders and files of folder mode below the base folder: at a
// heading break the open heading file is closed, a folder level gets its
// folder (made when missing) and the last level's file is opened for
// appending, so a heading met again later continues its file. Every folder
// is held open from the base folder down and entered through the one above
// it, a link refused at every level; a folder that is no longer where it was
// entered (moved away, replaced by a link) ends the writing (error 75).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "text/sjis_string.h"

namespace headly {

class NativeFolder;
class TextFiles;

// The paths of the heading folders and files: the base folder, the folders
// of the levels above and the heading's own name, each after a "\".
class HeadingPaths {
 public:
  // basePath: the base folder made by the folder dialog; levels: the number
  // of heading items, the last of which names the files.
  HeadingPaths(const SjisString& basePath, int32_t levels);

  // The path of the heading named name at level; at a folder level it
  // becomes the folder of that level for the levels below. Valid until the
  // next call.
  const SjisString& pathAt(int32_t level, const SjisString& name);
  bool isLastLevel(int32_t level) const { return level == lastLevel_; }

 private:
  SjisString basePath_;
  int32_t lastLevel_;
  std::vector<SjisString> levelPath_;  // "\name" of every level from 0 down to it
  SjisString path_;
};

class HeadingFolders {
 public:
  HeadingFolders(TextFiles& files, const SjisString& basePath, int32_t levels);
  ~HeadingFolders();

  // The heading-folder step for a break at level with the heading's name.
  // Breaks come from level to the last level in one record, so the folders
  // above a level always exist.
  void enterHeading(int32_t level, const SjisString& name);

 private:
  void requireInPlace() const;

  TextFiles& files_;
  HeadingPaths paths_;
  // The base folder and the folder of every level down to the current one,
  // with their internal paths.
  std::vector<std::unique_ptr<NativeFolder>> held_;
  std::vector<SjisString> heldPaths_;
};

}  // namespace headly
