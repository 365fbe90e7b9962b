#include "folders/heading_folders.h"

#include "system/drives.h"
#include "system/file_system.h"
#include "system/text_files.h"
#include "text/encoding.h"
#include "text/runtime_error.h"

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
    : files_(files), paths_(basePath, levels) {
  held_.push_back(files_.fileSystem().openFolder(files_.drives().toNative(basePath)));
  heldPaths_.push_back(basePath);
}

HeadingFolders::~HeadingFolders() = default;

void HeadingFolders::enterHeading(int32_t level, const SjisString& name) {
  files_.closeFiles();
  const SjisString& path = paths_.pathAt(level, name);
  held_.resize(size_t(level) + 1);
  heldPaths_.resize(size_t(level) + 1);
  requireInPlace();
  // The name in the form it has on disk, if it is there in another one.
  const std::string native = files_.drives().toNative(path);
  const std::string nativeName = native.substr(native.rfind('/') + 1);
  if (paths_.isLastLevel(level)) {
    files_.openAppendingIn(*held_.back(), nativeName, path, 1);
  } else {
    held_.push_back(held_.back()->enter(nativeName));
    heldPaths_.push_back(path);
  }
}

void HeadingFolders::requireInPlace() const {
  for (size_t i = 0; i < held_.size(); ++i)
    if (!held_[i]->inPlace())
      raise(err::kAccessDenied, sjis("フォルダ「") + heldPaths_[i] +
                                    sjis("」が書き込みの途中で移動されたか、別のものに置き換えられたため、書き込みを中止しました。"));
}

}  // namespace headly
