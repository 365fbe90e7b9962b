#include "app/folder_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/program_fixture.h"
#include "text/runtime_error.h"

namespace headly::test {
namespace {

namespace fs = std::filesystem;

const std::string kNotReady = " | ドライブの準備ができていません";

class FolderDialogTest : public ::testing::Test, public ProgramFixture {
 protected:
  std::string text(const std::string& control) { return toUtf8(backend.texts[control]); }
  std::string selectedDrive() { return toUtf8(backend.listItem("COMBO1", backend.listIndex("COMBO1"))); }
  // Runs the dialog; the base folder made (or the ESC marker) in selectedPath.
  void runDialog() { selectedPath = runFolderDialog(ui, files, internal() + "\\"); }
  SjisString selectedPath;
};

TEST_F(FolderDialogTest, DecideCreatesTheProposedFolderInTheCurrentFolder) {
  backend.press("BUTTON14");
  runDialog();
  EXPECT_TRUE(fs::is_directory(temp / "HEADLY"));
  EXPECT_EQ(selectedPath, internal("HEADLY"));
  EXPECT_EQ(selectedDrive(), "[-c-]");
  EXPECT_EQ(text("TEXT13"), internal() + "\\");
  EXPECT_FALSE(backend.visible["FORM5"]);
  EXPECT_TRUE(backend.messages.empty());
}

TEST_F(FolderDialogTest, FileOfTheSameNameIsNoClashButCannotBeMade) {
  temp.write("HEADLY", "x");
  backend.press("BUTTON14");
  EXPECT_THROW(runDialog(), RuntimeError);
  EXPECT_TRUE(backend.messages.empty());
}

TEST_F(FolderDialogTest, EmptyNameIsProposedAgainAndCancelGivesEscMarker) {
  backend.type("EDIT7", "");
  backend.press("BUTTON14");
  backend.press("BUTTON15");
  runDialog();
  EXPECT_EQ(text("EDIT7"), "HEADLY");
  EXPECT_TRUE(isEscMarker(selectedPath));
  EXPECT_FALSE(fs::exists(temp / "HEADLY"));
}

// "." and ".." would be taken as clashes and give hidden "._[1]" folders.
TEST_F(FolderDialogTest, NamesOfDotsOnlyAreRefusedAndTheDialogStaysOpen) {
  for (const char* name : {".", "..", "..."}) {
    backend.type("EDIT7", name);
    backend.press("BUTTON14");
    backend.answers.push_back(kAnswerOk);
  }
  backend.type("EDIT7", ".a");
  backend.press("BUTTON14");
  runDialog();
  EXPECT_EQ(backend.messages, (std::vector<std::string>{"処理エラー | 「.」はフォルダ名に使えません",
                                                         "処理エラー | 「..」はフォルダ名に使えません",
                                                         "処理エラー | 「...」はフォルダ名に使えません"}));
  EXPECT_EQ(selectedPath, internal(".a"));
  EXPECT_EQ(fs::directory_iterator(temp.path())->path().filename(), ".a");
}

TEST_F(FolderDialogTest, FolderListShowsSubFoldersAndTheParent) {
  fs::create_directory(temp / "b");
  fs::create_directory(temp / "a");
  temp.write("file.txt", "x");
  backend.press("BUTTON15");
  runDialog();
  EXPECT_EQ(backend.entries("LIST4"), (std::vector<std::string>{"[..]", "[a]", "[b]"}));
}

TEST_F(FolderDialogTest, WhenThePreviousDriveFailsTooTheRootOfDriveCIsBrowsed) {
  fs::create_directory(temp / "ydrive");
  drives.addDrive('x', temp / "missing");
  drives.addDrive('y', temp / "ydrive");
  backend.answers = {kAnswerOk};
  backend.choose("COMBO1", "[-y-]");
  backend.meanwhile([&] { fs::remove(temp / "ydrive"); });  // the drive browsed before goes away
  backend.choose("COMBO1", "[-x-]");
  backend.press("BUTTON15");
  runDialog();
  EXPECT_EQ(backend.messages, std::vector<std::string>{kNotReady});
  EXPECT_EQ(selectedDrive(), "[-c-]");
  EXPECT_EQ(text("TEXT13"), "C:\\\\");
}

}  // namespace
}  // namespace headly::test
