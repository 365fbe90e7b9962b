#include "folders/heading_folders.h"

#include "system/text_files.h"

namespace headly {

HeadingPaths::HeadingPaths(const SjisString& basePath, int32_t levels)
    : basePath_(basePath), lastLevel_(levels - 1), levelPath_(size_t(levels)) {}

const SjisString& HeadingPaths::pathAt(int32_t level, const SjisString& name) {
  path_.assign(basePath_);
  if (level > 0) path_ += levelPath_[size_t(level) - 1];
  path_ += '\\';
  path_ += name;
  if (!isLastLevel(level)) levelPath_[size_t(level)].assign(path_, basePath_.size());
  return path_;
}

HeadingFolders::HeadingFolders(TextFiles& files, const SjisString& basePath, int32_t levels)
    : files_(files), paths_(basePath, levels) {}

void HeadingFolders::enterHeading(int32_t level, const SjisString& name) {
  files_.closeFiles();
  const SjisString& path = paths_.pathAt(level, name);
  if (paths_.isLastLevel(level))
    files_.openFile(path, FileMode::Append, 1);
  else if (!files_.folderExists(path))
    files_.makeFolder(path);
}

}  // namespace headly
