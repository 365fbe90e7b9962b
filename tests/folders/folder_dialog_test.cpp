#include "folders/folder_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/program_fixture.h"
#include "text/runtime_error.h"

namespace headly::test {
namespace {

namespace fs = std::filesystem;

const std::string kClashQuestion = "指定したフォルダは既に存在しています。 | 作成フォルダーの末尾に数字を付けて作成しますか？";
const std::string kNotReady = " | ドライブの準備ができていません";

class FolderDialogTest : public ::testing::Test, public ProgramFixture {
 protected:
  std::string text(const std::string& control) { return toUtf8(backend.texts[control]); }
  std::string selectedDrive() { return toUtf8(backend.listItem("COMBO1", backend.listIndex("COMBO1"))); }
  AppState& state() { return program.state; }
};

TEST_F(FolderDialogTest, DecideCreatesTheProposedFolderInTheCurrentFolder) {
  backend.press("BUTTON14");
  runFolderDialog(program);
  EXPECT_TRUE(fs::is_directory(temp / "HEADLY"));
  EXPECT_EQ(state().selectedPath, internal("HEADLY"));
  EXPECT_EQ(selectedDrive(), "[-c-]");
  EXPECT_EQ(text("TEXT13"), internal() + "\\");
  EXPECT_FALSE(backend.visible["FORM5"]);
  EXPECT_TRUE(backend.messages.empty());
}

TEST_F(FolderDialogTest, TakenNamesAreNumberedOneQuestionEach) {
  fs::create_directory(temp / "HEADLY");
  fs::create_directory(temp / "HEADLY_[1]");
  backend.answers = {kAnswerYes, kAnswerYes};
  backend.press("BUTTON14");
  runFolderDialog(program);
  EXPECT_EQ(backend.messages, (std::vector<std::string>{kClashQuestion, kClashQuestion}));
  EXPECT_TRUE(fs::is_directory(temp / "HEADLY_[2]"));
  EXPECT_EQ(state().selectedPath, internal("HEADLY_[2]"));
}

TEST_F(FolderDialogTest, DecliningKeepsTheDialogOpenAndTheNextPressCountsFromOne) {
  fs::create_directory(temp / "HEADLY");
  fs::create_directory(temp / "HEADLY_[1]");
  backend.answers = {kAnswerYes, kAnswerNo, kAnswerYes, kAnswerYes};
  backend.press("BUTTON14");
  backend.press("BUTTON14");
  runFolderDialog(program);
  EXPECT_EQ(backend.messages.size(), 4u);
  EXPECT_TRUE(fs::is_directory(temp / "HEADLY_[2]"));
  EXPECT_FALSE(fs::exists(temp / "HEADLY_[3]"));
}

TEST_F(FolderDialogTest, FileOfTheSameNameIsNoClashButCannotBeMade) {
  temp.write("HEADLY", "x");
  backend.press("BUTTON14");
  EXPECT_THROW(runFolderDialog(program), RuntimeError);
  EXPECT_TRUE(backend.messages.empty());
}

TEST_F(FolderDialogTest, EmptyNameIsProposedAgainAndCancelGivesEscMarker) {
  backend.type("EDIT7", "");
  backend.press("BUTTON14");
  backend.press("BUTTON15");
  runFolderDialog(program);
  EXPECT_EQ(text("EDIT7"), "HEADLY");
  EXPECT_TRUE(isEscMarker(state().selectedPath));
  EXPECT_FALSE(fs::exists(temp / "HEADLY"));
}

TEST_F(FolderDialogTest, ClicksEnterFoldersOrBorrowTheirNames) {
  fs::create_directories(fs::path(temp / "data") / "inner");
  backend.choose("LIST4", "[data]");
  backend.toggle("CHECK4");
  backend.choose("LIST4", "[inner]");
  backend.choose("LIST4", "");  // below the last entry: nothing
  backend.choose("LIST4", "[..]");
  backend.press("BUTTON14");
  runFolderDialog(program);
  // After entering data, the name inner was borrowed without entering it,
  // then the parent entry led back to the start folder.
  EXPECT_EQ(backend.checks["CHECK4"], 0);
  EXPECT_EQ(text("EDIT7"), "inner");
  EXPECT_EQ(text("TEXT13"), internal() + "\\");
  EXPECT_TRUE(fs::is_directory(temp / "inner"));
  EXPECT_EQ(state().selectedPath, internal("inner"));
}

TEST_F(FolderDialogTest, FolderListShowsSubFoldersAndTheParent) {
  fs::create_directory(temp / "b");
  fs::create_directory(temp / "a");
  temp.write("file.txt", "x");
  backend.press("BUTTON15");
  runFolderDialog(program);
  EXPECT_EQ(backend.entries("LIST4"), (std::vector<std::string>{"[..]", "[a]", "[b]"}));
}

TEST_F(FolderDialogTest, DriveNotReadyBringsBackThePreviousDrive) {
  fs::create_directory(temp / "ydrive");
  fs::create_directory(fs::path(temp / "ydrive") / "sub");
  drives.addDrive('x', temp / "missing");
  drives.addDrive('y', temp / "ydrive");
  backend.answers = {kAnswerOk};
  backend.choose("COMBO1", "[-y-]");
  backend.choose("LIST4", "[sub]");
  backend.choose("COMBO1", "[-x-]");
  backend.press("BUTTON14");
  runFolderDialog(program);
  EXPECT_EQ(backend.messages, std::vector<std::string>{kNotReady});
  EXPECT_EQ(selectedDrive(), "[-y-]");
  EXPECT_EQ(text("TEXT13"), "Y:\\sub\\");
  EXPECT_TRUE(fs::is_directory(temp / "ydrive/sub/HEADLY"));
}

TEST_F(FolderDialogTest, DriveRootEndsInTwoBackslashes) {
  fs::create_directory(temp / "ydrive");
  drives.addDrive('y', temp / "ydrive");
  backend.choose("COMBO1", "[-y-]");
  backend.press("BUTTON14");
  runFolderDialog(program);
  EXPECT_EQ(text("TEXT13"), "Y:\\\\");
  EXPECT_EQ(backend.entries("LIST4"), std::vector<std::string>{});
  EXPECT_TRUE(fs::is_directory(temp / "ydrive/HEADLY"));
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
  runFolderDialog(program);
  EXPECT_EQ(backend.messages, std::vector<std::string>{kNotReady});
  EXPECT_EQ(selectedDrive(), "[-c-]");
  EXPECT_EQ(text("TEXT13"), "C:\\\\");
}

}  // namespace
}  // namespace headly::test
