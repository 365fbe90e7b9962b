// Whole runs whose output cannot be written as asked: a folder the program
// may not write into, a disk that fills up, a device, FIFO or socket chosen
// as the output file, the data file itself as the target, paths longer than
// 260 bytes and heading values that cannot name a folder or file. The old
// files and the data file keep their bytes, and nothing is left half done.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "support/batch_session.h"
#include "support/child_run.h"
#include "support/faulty_file_system.h"
#include "support/special_files.h"
#include "text/encoding.h"

namespace headly {
namespace {

namespace fs = std::filesystem;
using test::BatchResult;
using test::BatchSession;
using test::layoutFile;

constexpr char kData[] = "見出し,本文\r\nあ,いう\r\nあ,えお\r\nか,き\r\n";
const std::vector<std::string> kLayout{"あ", "　いう", "　えお", "か", "　き"};

// From the open dialog to FORM3's end: 見出し the heading item, 本文 the
// other item; csvAnswer answers the CSV save dialog (empty: no CSV file).
std::string classified(const std::string& csvAnswer) {
  return "cwd @DIR@\nfile data.csv\ninput 500\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n" +
         (csvAnswer.empty() ? std::string("check CHECK2\npress BUTTON6\n") : "press BUTTON6\n" + csvAnswer);
}
// Full width, both items as proposed, the final confirmation; then the
// layout save dialog gets layoutAnswer.
std::string laidOut(const std::string& layoutAnswer) {
  return "answer Yes\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\nanswer Yes\n" + layoutAnswer;
}
// Folder mode: the first one or two items heading items and the next one
// the other item, numbering as asked, the other item as proposed and the
// final confirmation; FORM5 gets form5.
std::string folderRun(const std::string& headingRows, bool numbering, const std::string& form5) {
  return "cwd @DIR@\nfile data.csv\ninput 500\nselect LIST1 " + headingRows +
         "\npress BUTTON2\nselect LIST1 0\npress BUTTON4\ncheck CHECK2\ncheck CHECK3\n" +
         (numbering ? "check CHECK5\n" : "") + "press BUTTON6\nanswer OK\npress BUTTON9\nanswer Yes\nanswer Yes\n" +
         form5;
}

std::string errorReport(int code, const char* message) {
  return "error エラー[" + std::to_string(code) + "] / " + message + " / 任意のキーを押してください\n";
}
const std::string kAccessDenied = errorReport(75, "パスまたはファイルへのアクセスが拒否されました。");
const std::string kDiskFull = errorReport(67, "ディスクに書き込めません。空き容量が不足している可能性があります。");

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Every entry below a folder with its bytes (folders as "/"), so that a test
// can see that nothing changed, appeared or went.
std::map<std::string, std::string> tree(const std::string& folder) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(e.path(), folder);
    if (e.is_directory()) {
      out[name] = "/";
    } else if (e.is_regular_file()) {
      std::ifstream in(e.path(), std::ios::binary);
      out[name] = std::string(std::istreambuf_iterator<char>(in), {});
    } else {
      out[name] = "special";
    }
  }
  return out;
}

class OutputSafety : public ::testing::Test {
 protected:
  OutputSafety() { s.writeSjisFile("data.csv", kData); }
  BatchSession s;
};

// The one way a process as root meets a folder it may not write into is to
// be someone else: the run goes on in a child as the user nobody.
TEST_F(OutputSafety, AFolderWithoutWritePermission) {
  fs::create_directory(s.path("locked"));
  s.writeBytes("locked/old.csv", "old csv");
  s.writeBytes("locked/HEADLY.TXT", "old layout");
  chmod(s.path("locked").c_str(), 0555);
  const auto before = tree(s.dir());
  struct Case {
    const char* what;
    std::string script;
  };
  const Case cases[] = {
      {"new CSV file", classified("file locked/new.csv\n")},
      {"existing CSV file", classified("file locked/old.csv\nanswer Yes\n")},
      {"layout file", classified("") + laidOut("file locked/HEADLY.TXT\nanswer Yes\n")},
      {"base folder", folderRun("0", false, "click LIST4 [locked]\npress BUTTON14\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<BatchResult> r = test::runWithoutPrivileges(s, c.script);
    if (!r) GTEST_SKIP() << "no child that the folder permissions bind";
    EXPECT_EQ(r->exitCode, 1);
    EXPECT_TRUE(endsWith(r->transcript, kAccessDenied)) << r->transcript;
    EXPECT_EQ(tree(s.dir()), before);
  }
  chmod(s.path("locked").c_str(), 0755);
}

// The file layer fails where a full disk shows: at a write, at the sync
// before the rename, at the close; and the rename itself may be refused.
TEST_F(OutputSafety, AFullDiskLeavesTheOldFiles) {
  s.writeBytes("out.csv", "old csv");
  s.writeBytes("HEADLY.TXT", "old layout");
  const auto before = tree(s.dir());
  using Faults = test::FaultyFileSystem::Faults;
  struct Case {
    const char* what;
    size_t room;
    Faults faults;
    std::string report;
  };
  const Case cases[] = {
      {"write", 10, {}, kDiskFull},
      {"sync", 100000, {.sync = ENOSPC}, kDiskFull},
      {"close", 100000, {.close = ENOSPC}, kDiskFull},
      {"rename", 100000, {.rename = EACCES}, kAccessDenied},
  };
  for (const Case& c : cases) {
    for (const bool csv : {true, false}) {
      SCOPED_TRACE(std::string(c.what) + (csv ? " of the CSV file" : " of the layout file"));
      test::FaultyFileSystem faulty(c.room, c.faults);
      const BatchResult r =
          s.run(csv ? classified("file out.csv\nanswer Yes\n") : classified("") + laidOut("file HEADLY.TXT\nanswer Yes\n"),
                faulty);
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_TRUE(endsWith(r.transcript, c.report)) << r.transcript;
      EXPECT_EQ(tree(s.dir()), before);
    }
  }
}

TEST_F(OutputSafety, AFullDiskLeavesTheOldPdfDocument) {
  s.writeBytes("HEADLY.PDF", "old document");
  const auto before = tree(s.dir());
  using Faults = test::FaultyFileSystem::Faults;
  struct Case {
    size_t room;
    Faults faults;
    std::string report;
  };
  // Full at the first bytes, inside the document, and at its sync; the
  // rename refused.
  for (const Case& c : {Case{10, {}, kDiskFull}, Case{3000, {}, kDiskFull}, Case{1000000, {.sync = ENOSPC}, kDiskFull},
                        Case{1000000, {.rename = EACCES}, kAccessDenied}}) {
    SCOPED_TRACE(c.room);
    test::FaultyFileSystem faulty(c.room, c.faults);
    const BatchResult r = s.run(classified("") + laidOut("file HEADLY PDF\nanswer Yes\n"), faulty);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(endsWith(r.transcript, c.report)) << r.transcript;
    EXPECT_EQ(tree(s.dir()), before);
  }
}

// Heading files are appended to: a full disk leaves each with whole lines.
TEST_F(OutputSafety, AFullDiskInFolderModeLeavesWholeLines) {
  test::FaultyFileSystem faulty(sjis("　いう\r\n").size() + 3);
  const BatchResult r = s.run(folderRun("0", false, "press BUTTON14\n"), faulty);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(endsWith(r.transcript, kDiskFull)) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY/あ.TXT"), "");
}

TEST_F(OutputSafety, DevicesFifosAndSocketsAreNeverDeletedNorWrittenThrough) {
  test::makeFifo(s.path("fifo.TXT"));
  test::makeSocket(s.path("sock.TXT"));
  std::vector<std::string> names{"fifo.TXT", "sock.TXT"};
  if (test::makeFullDevice(s.path("full.TXT"))) names.push_back("full.TXT");
  for (const std::string& name : names) {
    const mode_t type = test::entryType(s.path(name));
    for (const bool csv : {true, false}) {
      SCOPED_TRACE(name + (csv ? " as the CSV file" : " as the layout file"));
      const std::string answer = "file " + name + "\nanswer Yes\n";
      const BatchResult r = s.run(csv ? classified(answer) : classified("") + laidOut(answer));
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_TRUE(endsWith(r.transcript, kAccessDenied)) << r.transcript;
      EXPECT_EQ(test::entryType(s.path(name)), type);
    }
  }
}

TEST_F(OutputSafety, TheDataFileIsReplacedOnlyWhenTheUserSaidSo) {
  const std::string data = s.readBytes("data.csv");
  // Declined twice, then cancelled: no CSV file and no layout.
  const std::string declined = "file data.csv\nanswer No\ncancel\n";
  BatchResult r = s.run(classified(declined) + laidOut(declined));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("data.csv"), data);

  // A full disk while the confirmed CSV file is written keeps the data file.
  const std::string confirmed = "file data.csv\nanswer Yes\n";
  test::FaultyFileSystem full(20);
  r = s.run(classified(confirmed), full);
  EXPECT_TRUE(endsWith(r.transcript, kDiskFull)) << r.transcript;
  EXPECT_EQ(s.readBytes("data.csv"), data);

  // Confirmed: the CSV file takes the data file's place, and the layout comes
  // from the records read before.
  r = s.run(classified(confirmed) + laidOut("file HEADLY.TXT\n"));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("data.csv"), data + "\x1a");
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layoutFile(kLayout));
  r = s.run(classified("") + laidOut(confirmed));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("data.csv"), layoutFile(kLayout));
  EXPECT_EQ(tree(s.dir()).size(), 2u);  // data.csv and HEADLY.TXT, no temporary file
}

// The save dialog takes no path longer than its buffer; a base folder whose
// path would pass 260 bytes is refused before it is made.
TEST_F(OutputSafety, PathsLongerThan260Bytes) {
  const std::string name = std::string(260, 'n') + ".TXT";
  BatchResult r = s.run(classified("file " + name + "\ncancel\n") + laidOut("file " + name + "\ncancel\n"));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("refused " + name + " (longer than 259 bytes)\nsave ＣＳＶ"), std::string::npos)
      << r.transcript;
  EXPECT_TRUE(endsWith(r.transcript, "refused " + name + " (longer than 259 bytes)\nsave データファイルの書き込み | " +
                                         s.internalPath("HEADLY.TXT") + " | ﾃｷｽﾄ形式(*.TXT) -> ESC\nend\n"))
      << r.transcript;
  r = s.run(folderRun("0", false, "type EDIT7 " + std::string(260, 'n') + "\npress BUTTON14\n"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(endsWith(r.transcript, errorReport(55, "ファイル名が正しくありません。"))) << r.transcript;
  EXPECT_EQ(tree(s.dir()).size(), 1u);
}

// Each heading value below fails as a name; the record before it has good
// names, and still no heading folder or file is made. Values are in full
// width by then: "x" is "ｘ", 2 bytes in Shift-JIS and 3 in UTF-8.
TEST_F(OutputSafety, HeadingNamesTheFileSystemRefuses) {
  const std::string badCharacters = "」はフォルダ名・ファイル名に使えない文字を含むため出力できません";
  const std::string tooLong = "」はフォルダ名・ファイル名には長すぎるため出力できません";
  const std::string longPath = "」のフォルダ・ファイルのパスが260バイトを超えるため出力できません";
  std::string xs;
  for (int i = 0; i < 32; ++i) xs += "ｘ";
  struct Case {
    const char* what;
    std::string record;  // the second record: values of H, G and V
    bool numbering;
    bool longBase;  // a base folder path of 200 bytes, else HEADLY
    std::string message;
  };
  const Case cases[] = {
      {"no UTF-8 form", sjis("あ") + "\x85\x40,a,2", false, false, "あ\xEF\xBF\xBD@" + badCharacters},
      {"86 characters", std::string(86, 'x') + ",a,2", false, false, xs + "…" + tooLong},
      {"85 characters and a number", std::string(85, 'x') + ",a,2", true, false, xs + "…" + tooLong},
      {"85 characters and .TXT", "a," + std::string(85, 'x') + ",2", false, false, xs + "…" + tooLong},
      {"path of 262 bytes", "a," + std::string(27, 'x') + ",2", false, true, xs.substr(0, 27 * 3) + longPath},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BatchSession session;
    session.writeBytes("data.csv", "H,G,V\r\na,a,1\r\n" + c.record + "\r\n");
    const std::string baseName = c.longBase ? std::string(200 - session.internalPath().size() - 1, 'b') : "HEADLY";
    const BatchResult r =
        session.run(folderRun("0 1", c.numbering, "type EDIT7 " + baseName + "\npress BUTTON14\nanswer OK\n"));
    ASSERT_EQ(r.exitCode, 0) << r.transcript;
    EXPECT_TRUE(endsWith(r.transcript, "message 処理エラー | 見出し「" + c.message + " | OK | Stop -> OK\nend\n"))
        << r.transcript;
    const auto written = tree(session.dir());
    EXPECT_EQ(written.size(), 2u);  // data.csv and the base folder, empty
    EXPECT_EQ(written.count(baseName), 1u);
  }
}

}  // namespace
}  // namespace headly
