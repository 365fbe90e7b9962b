#include "folders/heading_folders.h"

#include "text/text_files.h"

namespace headly {

HeadingFolders::HeadingFolders(TextFiles& files, const SjisString& basePath, int32_t levels)
    : files_(files), basePath_(basePath), lastLevel_(levels - 1), levelPath_(size_t(levels)) {}

void HeadingFolders::enterHeading(int32_t level, const SjisString& name) {
  files_.closeFiles();
  path_.assign(basePath_);
  if (level > 0) path_ += levelPath_[size_t(level) - 1];
  path_ += '\\';
  path_ += name;
  if (level == lastLevel_) {
    files_.openFile(path_, FileMode::Append, 1);
    return;
  }
  levelPath_[size_t(level)].assign(path_, basePath_.size());
  if (!files_.folderExists(path_)) files_.makeFolder(path_);
}

}  // namespace headly
