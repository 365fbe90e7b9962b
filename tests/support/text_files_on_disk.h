// Text files on the real file system for a test: drive D is a fresh folder
// under /tmp, removed when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/temp_folder.h"
#include "system/drives.h"
#include "system/file_system.h"
#include "system/text_files.h"

namespace headly::test {

class TextFilesOnDisk : public ::testing::Test {
 protected:
  TextFilesOnDisk() { drives.addDrive('d', tmp.path()); }

  // The lines left in the open file of number 1, read as the program reads
  // them; every file is closed afterwards.
  std::vector<SjisString> readRest() {
    std::vector<SjisString> lines;
    while (!files.atEnd(1)) lines.push_back(files.readLine(1));
    files.closeFiles();
    return lines;
  }

  TempFolder tmp;
  std::unique_ptr<FileSystem> fs = makePosixFileSystem();
  Drives drives{*fs};
  TextFiles files{*fs, drives};
};

}  // namespace headly::test
