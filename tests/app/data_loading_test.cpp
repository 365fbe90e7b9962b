// The open dialog of the data file: only a regular file is taken, and the
// data file's folder becomes the folder of every later dialog.
#include "app/data_loading.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/program_fixture.h"
#include "text/encoding.h"

namespace headly::test {
namespace {

TEST(DataFileDialog, OnlyARegularFileIsTakenAndItsFolderIsKept) {
  ProgramFixture f;
  ASSERT_EQ(mkfifo((f.temp / "pipe").c_str(), 0600), 0);
  std::filesystem::create_directory(f.temp / "folder");
  f.temp.write("data.csv", "a,b\r\n");
  f.backend.chosenFiles = {f.internal("pipe"), f.internal("folder"), f.internal("data.csv")};
  const std::optional<DataFileChoice> data = chooseDataFile(f.ui, f.files, f.internal());
  ASSERT_TRUE(data);
  ASSERT_EQ(f.backend.fileRequests.size(), 3u);
  for (const FileDialogRequest& request : f.backend.fileRequests) {
    EXPECT_EQ(request.initialPath, f.internal() + "\\");
    EXPECT_FALSE(request.save);
  }
  EXPECT_EQ(data->path, f.internal("data.csv"));
  EXPECT_EQ(data->folder, f.internal() + "\\");
}

TEST(DataFileDialog, CancelAndTheSeparatorAfterTheFolder) {
  ProgramFixture f;
  f.backend.chosenFiles = {kEscMarker, kEscMarker};
  // A root already ends in its separator.
  EXPECT_FALSE(chooseDataFile(f.ui, f.files, "C:\\"));
  // The second byte of 表 is a backslash byte, not a separator.
  EXPECT_FALSE(chooseDataFile(f.ui, f.files, sjis("C:\\表")));
  ASSERT_EQ(f.backend.fileRequests.size(), 2u);
  EXPECT_EQ(f.backend.fileRequests[0].initialPath, "C:\\");
  EXPECT_EQ(f.backend.fileRequests[1].initialPath, sjis("C:\\表\\"));
}

}  // namespace
}  // namespace headly::test
