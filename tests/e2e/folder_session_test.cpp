// Whole sessions through the headless driver in folder mode: FORM5 browses
// drives and folders and creates the base folder, and the writer puts the
// layout into heading folders and files below it.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/batch_session.h"
#include "text/encoding.h"

namespace headly {
namespace {

using test::BatchResult;
using test::BatchSession;
using test::layoutFile;

// Loads data.csv with `setup` lines first, makes the first `headings` items
// heading items and the next one the other item, chooses folder mode (and
// numbering), accepts the one FORM4 dialog and the final confirmation; FORM5
// follows.
std::string untilFolderDialog(int headings, bool numbering, const std::string& setup = "") {
  std::string rows;
  for (int i = 0; i < headings; ++i) rows += " " + std::to_string(i);
  return "cwd @DIR@\n" + setup + "file data.csv\ninput 500\nselect LIST1" + rows +
         "\npress BUTTON2\nselect LIST1 0\npress BUTTON4\ncheck CHECK2\ncheck CHECK3\n" +
         (numbering ? "check CHECK5\n" : "") + "press BUTTON6\nanswer OK\npress BUTTON9\nanswer Yes\nanswer Yes\n";
}

// The transcript lines from FORM5 on.
std::vector<std::string> fromFolderDialog(const std::string& transcript) {
  std::vector<std::string> lines;
  std::istringstream in(transcript);
  bool started = false;
  for (std::string line; std::getline(in, line);) {
    started = started || line.rfind("form FORM5", 0) == 0;
    if (started) lines.push_back(line);
  }
  return lines;
}

const std::string kClash = "message 指定したフォルダは既に存在しています。 | 作成フォルダーの末尾に数字を付けて作成しますか？ | YesNo | Exclamation -> ";

TEST(FolderSession, HeadingFoldersWithAFileContinuedLater) {
  BatchSession s;
  s.writeSjisFile("data.csv", "上,下,本文\r\na,x,body1\r\na,x,body2\r\nb,x,body3\r\na,x,body4\r\n");
  const BatchResult r = s.run(untilFolderDialog(2, false) + "show COMBO1\nshow TEXT13\nshow EDIT7\npress BUTTON14\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(fromFolderDialog(r.transcript),
            (std::vector<std::string>{"form FORM5 フォルダの作成", "show COMBO1 | *[-c-]",
                                      "show TEXT13 | " + s.internalPath() + "\\", "show EDIT7 | HEADLY", "end"}));
  EXPECT_EQ(s.readBytes("HEADLY/ａ/ｘ.TXT"), layoutFile({"ｂｏｄｙ１", "ｂｏｄｙ２", "ｂｏｄｙ４"}));
  EXPECT_EQ(s.readBytes("HEADLY/ｂ/ｘ.TXT"), layoutFile({"ｂｏｄｙ３"}));
}

TEST(FolderSession, NumberedNamesWithAsManyDigitsAsTheRecordCount) {
  std::string data = "上,下,本文\r\na,x,1\r\na,y,2\r\nb,x,3\r\na,x,4\r\n";
  for (int r = 5; r <= 120; ++r) data += "a,x," + std::to_string(r) + "\r\n";
  BatchSession s;
  s.writeSjisFile("data.csv", data);
  const BatchResult r = s.run(untilFolderDialog(2, true) + "press BUTTON14\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY/001_ａ/001_ｘ.TXT"), layoutFile({"１"}));
  EXPECT_EQ(s.readBytes("HEADLY/001_ａ/002_ｙ.TXT"), layoutFile({"２"}));
  EXPECT_EQ(s.readBytes("HEADLY/002_ｂ/001_ｘ.TXT"), layoutFile({"３"}));
  const std::string last = s.readBytes("HEADLY/003_ａ/001_ｘ.TXT");
  EXPECT_EQ(last.substr(0, 4), sjis("４") + "\r\n");
  EXPECT_EQ(last.substr(last.size() - 9), sjis("１２０") + "\r\n\x1a");
  EXPECT_FALSE(std::filesystem::exists(s.path("HEADLY/ａ")));
}

TEST(FolderSession, ThreeLevelsGiveTwoFoldersAndNumberedFilesBesideEachOther) {
  std::string data = "一,二,三,本文\r\na,b,c,1\r\n";
  for (int r = 2; r <= 10; ++r) data += "a,b,d," + std::to_string(r % 10) + "\r\n";
  BatchSession s;
  s.writeSjisFile("data.csv", data);
  const BatchResult r = s.run(untilFolderDialog(3, true) + "press BUTTON14\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY/01_ａ/01_ｂ/01_ｃ.TXT"), layoutFile({"１"}));
  EXPECT_EQ(s.readBytes("HEADLY/01_ａ/01_ｂ/02_ｄ.TXT"),
            layoutFile({"２", "３", "４", "５", "６", "７", "８", "９", "０"}));
}

TEST(FolderSession, TakenNamesAreNumberedAndADeclineStartsOverAtOne) {
  BatchSession s;
  s.writeSjisFile("data.csv", "上,本文\r\na,body\r\n");
  std::filesystem::create_directory(s.path("HEADLY"));
  std::filesystem::create_directory(s.path("HEADLY_[1]"));
  const BatchResult r = s.run(untilFolderDialog(1, false) +
                              "press BUTTON14\nanswer Yes\nanswer No\npress BUTTON14\nanswer Yes\nanswer Yes\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(fromFolderDialog(r.transcript), (std::vector<std::string>{"form FORM5 フォルダの作成", kClash + "Yes",
                                                                      kClash + "No", kClash + "Yes", kClash + "Yes",
                                                                      "end"}));
  EXPECT_EQ(s.readBytes("HEADLY_[2]/ａ.TXT"), layoutFile({"ｂｏｄｙ"}));
  EXPECT_FALSE(std::filesystem::exists(s.path("HEADLY_[3]")));
}

TEST(FolderSession, AnAnswerIfAskedAnswersTheClashAsOftenAsItIsAsked) {
  BatchSession s;
  s.writeSjisFile("data.csv", "上,本文\r\na,body\r\n");
  std::filesystem::create_directory(s.path("HEADLY"));
  std::filesystem::create_directory(s.path("HEADLY_[1]"));
  const BatchResult r = s.run(untilFolderDialog(1, false) + "press BUTTON14\nanswer Yes if asked\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(fromFolderDialog(r.transcript),
            (std::vector<std::string>{"form FORM5 フォルダの作成", kClash + "Yes", kClash + "Yes", "end"}));
  EXPECT_EQ(s.readBytes("HEADLY_[2]/ａ.TXT"), layoutFile({"ｂｏｄｙ"}));
  // No if asked: the dialog waits again, and the next name is free.
  const BatchResult declined =
      s.run(untilFolderDialog(1, false) + "press BUTTON14\nanswer No if asked\ntype EDIT7 other\npress BUTTON14\n");
  ASSERT_EQ(declined.exitCode, 0) << declined.transcript;
  EXPECT_EQ(s.readBytes("other/ａ.TXT"), layoutFile({"ｂｏｄｙ"}));
}

TEST(FolderSession, BrowsingFoldersAndBorrowingAFolderName) {
  BatchSession s;
  s.writeSjisFile("data.csv", "上,本文\r\na,body\r\n");
  std::filesystem::create_directories(s.path("sub/inner"));
  const BatchResult r = s.run(untilFolderDialog(1, false) +
                              "click LIST4 [sub]\nshow LIST4\ncheck CHECK4\nclick LIST4 [inner]\nclick LIST4\n"
                              "show CHECK4\nshow EDIT7\nshow TEXT13\ntype EDIT7 \"\"\npress BUTTON14\nshow EDIT7\n"
                              "type EDIT7 inner\npress BUTTON14\nanswer Yes\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  const std::string sub = s.internalPath("sub") + "\\";
  EXPECT_EQ(fromFolderDialog(r.transcript),
            (std::vector<std::string>{"form FORM5 フォルダの作成", "show LIST4 | [..] | [inner]",
                                      "show CHECK4 | unchecked | enabled", "show EDIT7 | inner", "show TEXT13 | " + sub,
                                      "show EDIT7 | HEADLY", kClash + "Yes", "end"}));
  EXPECT_EQ(s.readBytes("sub/inner_[1]/ａ.TXT"), layoutFile({"ｂｏｄｙ"}));
}

TEST(FolderSession, DriveNotReadyBringsBackThePreviousDrive) {
  BatchSession s;
  s.writeSjisFile("data.csv", "上,本文\r\na,body\r\n");
  const BatchResult r = s.run(untilFolderDialog(1, false, "drive x @DIR@/missing\n") +
                              "choose COMBO1 [-x-]\nanswer OK\nshow COMBO1\nshow TEXT13\npress BUTTON15\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(fromFolderDialog(r.transcript),
            (std::vector<std::string>{"form FORM5 フォルダの作成", "message  | ドライブの準備ができていません | OK | Stop -> OK",
                                      "show COMBO1 | *[-c-] | [-x-]", "show TEXT13 | " + s.internalPath() + "\\",
                                      "end"}));
  EXPECT_FALSE(std::filesystem::exists(s.path("HEADLY")));
}

TEST(FolderSession, BaseFolderAtADriveRoot) {
  BatchSession s;
  s.writeSjisFile("data.csv", "上,本文\r\na,body\r\n");
  std::filesystem::create_directory(s.path("ydrive"));
  const BatchResult r = s.run(untilFolderDialog(1, false, "drive y @DIR@/ydrive\n") +
                              "choose COMBO1 [-y-]\nshow TEXT13\nshow LIST4\npress BUTTON14\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(fromFolderDialog(r.transcript), (std::vector<std::string>{"form FORM5 フォルダの作成",
                                                                      "show TEXT13 | Y:\\\\", "show LIST4", "end"}));
  EXPECT_EQ(s.readBytes("ydrive/HEADLY/ａ.TXT"), layoutFile({"ｂｏｄｙ"}));
}

}  // namespace
}  // namespace headly
