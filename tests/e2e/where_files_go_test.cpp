// Whole runs in which a file is not where or what it seems: a name typed in
// another form of its characters, a current folder the program cannot name,
// a link that another user left in a shared folder, a file the user may not
// write, and a heading folder swapped for a link while the files are written.
// The program asks, refuses or reports; it never writes somewhere else
// without a word.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/batch_session.h"
#include "support/child_run.h"
#include "support/faulty_file_system.h"

// Its own namespace: test files are compiled several to a unit.
namespace headly::where_files_go {
namespace {

namespace fs = std::filesystem;
using test::BatchResult;
using test::BatchSession;

constexpr char kData[] = "見出し,本文\r\nあ,いう\r\nか,き\r\n";
constexpr uid_t kNobody = 65534;
constexpr uid_t kStranger = 4321;  // a third user, owner of nothing but a link

// From the open dialog to FORM3's end with a CSV file; csvAnswer answers its
// save dialog.
std::string classified(const std::string& csvAnswer) {
  return "cwd @DIR@\nfile data.csv\ninput 500\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
         "press BUTTON6\n" + csvAnswer;
}
// Full width, both items as proposed, the final confirmation; then the
// layout save dialog gets layoutAnswer.
std::string laidOut(const std::string& layoutAnswer) {
  return "answer Yes\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\nanswer Yes\n" + layoutAnswer;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class WhereFilesGo : public ::testing::Test {
 protected:
  WhereFilesGo() { s.writeSjisFile("data.csv", kData); }
  BatchSession s;
};

// −(U+2212) and 〜(U+301C) on disk are the files that －(U+FF0D) and
// ～(U+FF5E) name: the question comes, and keep or No leaves them alone.
TEST_F(WhereFilesGo, ANameInAnotherFormMeetsTheExistingFile) {
  s.writeBytes("前−回.TXT", "old csv");
  s.writeBytes("あ〜い.TXT", "old layout");
  const BatchResult r = s.run(classified("file 前－回.TXT keep\n") + laidOut("file あ～い.TXT\nanswer No\ncancel\n"));
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_TRUE(contains(r.transcript, "回.TXT -> No\nsave ＣＳＶファイルの書き込み")) << r.transcript;
  EXPECT_TRUE(contains(r.transcript, "い.TXT -> No\nsave データファイルの書き込み")) << r.transcript;
  EXPECT_EQ(s.readBytes("前−回.TXT"), "old csv");
  EXPECT_EQ(s.readBytes("あ〜い.TXT"), "old layout");
  EXPECT_FALSE(fs::exists(s.path("前－回.TXT")));
  EXPECT_FALSE(fs::exists(s.path("あ～い.TXT")));
}

// A folder whose name has no Shift-JIS form, or whose path is over 260
// bytes, is named in a misfit before anything is read; the home folder is
// never used in its place.
TEST_F(WhereFilesGo, ACurrentFolderWithoutAProgramNameEndsTheRunFirst) {
  const std::string longFolder = "x/" + std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(60, 'c');
  fs::create_directories(s.path("café"));
  fs::create_directories(s.path(longFolder));
  fs::create_directories(s.path("home"));
  s.writeSjisFile("home/data.csv", kData);
  const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", s.path("home").c_str(), 1);
  const std::string session = "file data.csv\ninput 500\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
                              "check CHECK2\npress BUTTON6\n" + laidOut("file HEADLY.TXT\n");
  const fs::path saved = fs::current_path();
  for (const std::string& folder : {std::string("café"), longFolder}) {
    SCOPED_TRACE(folder);
    const BatchResult byLine = s.run("cwd @DIR@/" + folder + "\n" + session);
    fs::current_path(s.path(folder));
    const BatchResult byProcess = s.run(session);
    fs::current_path(saved);
    for (const BatchResult& r : {byLine, byProcess}) {
      EXPECT_EQ(r.exitCode, 2);
      EXPECT_EQ(r.transcript.rfind("misfit ", 0), 0u) << r.transcript;
      EXPECT_TRUE(contains(r.transcript, s.path(folder))) << r.transcript;
    }
  }
  setenv("HOME", savedHome.c_str(), 1);
  EXPECT_FALSE(fs::exists(s.path("home/HEADLY.TXT")));
}

// As root the test can leave a link owned by a third user in a sticky folder
// that everyone may write into, and run the program as the user nobody.
class SharedFolders : public WhereFilesGo {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file or link to other users";
    fs::create_directory(s.path("public"));
    ::chmod(s.path("public").c_str(), 01777);
    fs::create_directory(s.path("mine"));
    ASSERT_EQ(::chown(s.path("mine").c_str(), kNobody, kNobody), 0);
    s.writeBytes("mine/report.TXT", "my report");
    ASSERT_EQ(::chown(s.path("mine/report.TXT").c_str(), kNobody, kNobody), 0);
  }
  void linkAs(uid_t owner, const std::string& name) {
    fs::create_symlink("../mine/report.TXT", s.path("public/" + name));
    ASSERT_EQ(::lchown(s.path("public/" + name).c_str(), owner, owner), 0);
  }
  std::optional<BatchResult> runAsNobody(const std::string& csvAnswer) {
    return test::runWithoutPrivileges(s, classified(csvAnswer) + "answer No\npress BUTTON9\nanswer Yes\npress "
                                                                  "BUTTON9\nanswer Yes\nanswer Yes\ncancel\n");
  }
};

// The kernel follows a link in a sticky folder open to all only for the
// link's owner and the folder's owner: the program follows it no further.
TEST_F(SharedFolders, AnotherUsersLinkInASharedFolderIsNotFollowed) {
  linkAs(kStranger, "OUT.TXT");
  const std::optional<BatchResult> r = runAsNobody("file public/OUT.TXT replace\n");
  ASSERT_TRUE(r) << "no child as the user nobody";
  EXPECT_EQ(r->exitCode, 1) << r->transcript;
  EXPECT_TRUE(contains(r->transcript, "error エラー[75]")) << r->transcript;
  EXPECT_TRUE(contains(r->transcript, s.internalPath("public") + "\\OUT.TXT")) << r->transcript;
  EXPECT_EQ(s.readBytes("mine/report.TXT"), "my report");
  EXPECT_TRUE(fs::is_symlink(s.path("public/OUT.TXT")));

  // The user's own link there is followed, as the kernel would.
  linkAs(kNobody, "OWN.TXT");
  const std::optional<BatchResult> own = runAsNobody("file public/OWN.TXT replace\n");
  ASSERT_TRUE(own);
  EXPECT_EQ(own->exitCode, 0) << own->transcript;
  EXPECT_EQ(s.readAsUtf8("mine/report.TXT"), "見出し,本文\r\nあ,いう\r\nか,き\r\n\x1a");
  EXPECT_TRUE(fs::is_symlink(s.path("public/OWN.TXT")));
}

// A read-only file cannot be deleted, so it is not replaced either: another
// user's, or the user's own.
TEST_F(SharedFolders, AReadOnlyFileIsNotReplaced) {
  s.writeBytes("public/theirs.TXT", "their report");
  ::chmod(s.path("public/theirs.TXT").c_str(), 0444);
  ::chmod(s.path("mine/report.TXT").c_str(), 0444);
  for (const char* answer : {"file public/theirs.TXT\nanswer Yes\n", "file mine/report.TXT replace\n"}) {
    SCOPED_TRACE(answer);
    const std::optional<BatchResult> r = runAsNobody(answer);
    ASSERT_TRUE(r) << "no child as the user nobody";
    EXPECT_EQ(r->exitCode, 1) << r->transcript;
    EXPECT_TRUE(contains(r->transcript, "error エラー[75]")) << r->transcript;
    EXPECT_TRUE(contains(r->transcript, "」は読み取り専用のため、置き換えられません。")) << r->transcript;
  }
  EXPECT_EQ(s.readBytes("public/theirs.TXT"), "their report");
  EXPECT_EQ(s.readBytes("mine/report.TXT"), "my report");
  struct stat st;
  ASSERT_EQ(::stat(s.path("public/theirs.TXT").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
}

// A heading folder that is moved away and replaced by a link while its files
// are written: no file goes into the link's target, the run ends in the
// error report, and the file written before the swap is complete.
TEST_F(WhereFilesGo, AHeadingFolderSwappedForALinkEndsTheRun) {
  s.writeSjisFile("data.csv", "上,下,本文\r\na,x,1\r\na,y,2\r\nb,z,3\r\n");
  fs::create_directory(s.path("elsewhere"));
  test::FaultyFileSystem layer(size_t(1) << 30);
  bool swapped = false;
  layer.onWrite = [&] {
    if (swapped || !fs::exists(s.path("HEADLY/ａ"))) return;
    swapped = true;
    fs::rename(s.path("HEADLY/ａ"), s.path("moved"));
    fs::create_directory_symlink(s.path("elsewhere"), s.path("HEADLY/ａ"));
  };
  const BatchResult r = s.run(
      "cwd @DIR@\nfile data.csv\ninput 500\nselect LIST1 0 1\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
      "check CHECK2\ncheck CHECK3\npress BUTTON6\nanswer OK\npress BUTTON9\nanswer Yes\nanswer Yes\npress BUTTON14\n",
      layer);
  ASSERT_TRUE(swapped) << r.transcript;
  EXPECT_EQ(r.exitCode, 1) << r.transcript;
  EXPECT_TRUE(contains(r.transcript, "フォルダ「" + s.internalPath("HEADLY") + "\\ａ」が書き込みの途中で")) << r.transcript;
  EXPECT_TRUE(fs::is_empty(s.path("elsewhere")));
  EXPECT_EQ(s.readBytes("moved/ｘ.TXT"), test::layoutFile({"１"}));
  EXPECT_FALSE(fs::exists(s.path("HEADLY/ｂ")));
}

}  // namespace
}  // namespace headly::where_files_go
