// Whole runs on data files and answers that no one would give on purpose:
// binary bytes, files without records, lone lead bytes, end marks in the
// middle, overlong lines, very wide headers, values far longer than their
// lines and record limits that are no numbers. Each run ends with a clear
// message or the error report, and the data file keeps its bytes.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/batch_session.h"
#include "support/child_run.h"
#include "text/encoding.h"

namespace headly {
namespace {

using test::BatchResult;
using test::BatchSession;
using test::layoutFile;
namespace fs = std::filesystem;

// The address sanitizer reserves more address space than a memory limit of
// a gigabyte or two leaves.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Opens data.csv with the limit given, makes the first item of LIST1 the
// heading item and the next one the other item, writes the CSV file out.csv,
// answers the full-width question, accepts both items on FORM4 and the final
// confirmation, and writes HEADLY.TXT.
std::string wholeRun(bool fullWidth, const std::string& secondItem = "", const std::string& limit = "500") {
  return "cwd @DIR@\nfile data.csv\ninput " + limit +
         "\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\npress BUTTON6\nfile out.csv\n" +
         (fullWidth ? "answer Yes\n" : "answer No\n") + "press BUTTON9\nanswer Yes\n" + secondItem +
         "press BUTTON9\nanswer Yes\nanswer Yes\nfile HEADLY.TXT\n";
}

std::string withEndMark(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes + "\x1a";
}

// The names in the session's folder.
std::set<std::string> entries(const BatchSession& s) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(s.dir())) names.insert(entry.path().filename());
  return names;
}

std::string errorReport(int code, const char* message) {
  return "error エラー[" + std::to_string(code) + "] / " + message + " / 任意のキーを押してください\n";
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Every byte value from 0x0E up and round again to CR: each line holds a
// comma (two items), a quote, a lone LF, an end mark, every lead byte and
// bytes that are no character at all; NUL is the one byte reading drops.
TEST(BadInput, BinaryFileOfEveryByteValue) {
  std::string cycle;
  for (int b = 0x0E; b < 0x10E; ++b) cycle += char(b & 0xFF);
  std::string data;
  for (int i = 0; i < 16; ++i) data += cycle;
  BatchSession s;
  s.writeBytes("data.csv", data);
  const BatchResult r = s.run(wholeRun(true));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_TRUE(contains(r.transcript, "-> " + s.internalPath("HEADLY.TXT") + "\nend\n")) << r.transcript;
  EXPECT_EQ(s.readBytes("data.csv"), data);
  // The CSV file gives back every line as it was read.
  std::string line = cycle.substr(0, cycle.size() - 1);
  line.erase(line.find('\0'), 1);
  EXPECT_EQ(s.readBytes("out.csv"), withEndMark(std::vector<std::string>(16, line)));
  // One heading line, then the same body line for each of the 15 records.
  std::istringstream layout(s.readBytes("HEADLY.TXT"));
  std::vector<std::string> lines;
  for (std::string l; std::getline(layout, l, '\n');) lines.push_back(l);
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[16], "\x1a");
  for (int i = 2; i <= 15; ++i) EXPECT_EQ(lines[size_t(i)], lines[1]) << i;
  EXPECT_EQ(lines[1].substr(0, 2), sjis("　"));
}

TEST(BadInput, AnEmptyFileIsReported) {
  BatchSession s;
  s.writeBytes("data.csv", "");
  const BatchResult r = s.run("cwd @DIR@\nfile data.csv\ninput 500\nanswer OK\n");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(contains(r.transcript, "-> 500\nmessage 処理エラー | データファイルにデータがありません | OK | Stop -> OK\nend\n"))
      << r.transcript;
  EXPECT_EQ(entries(s), std::set<std::string>{"data.csv"});
}

// Item names without records go through the whole run: the CSV file holds the
// names and the layout file only its end mark.
TEST(BadInput, FilesOfItemNamesOnlyWriteAnEmptyLayout) {
  for (const char* data : {"A,B,C", "A,B\r\n", "A,B\r\n\x1a"}) {
    SCOPED_TRACE(data);
    BatchSession s;
    s.writeBytes("data.csv", data);
    const BatchResult r = s.run(
        "cwd @DIR@\nfile data.csv\ninput 500\n"
        "select LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\npress BUTTON6\nfile out.csv\n"
        "answer No\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\nanswer Yes\nfile HEADLY.TXT\n");
    EXPECT_EQ(r.exitCode, 0) << r.transcript;
    EXPECT_EQ(s.readBytes("out.csv"), "A,B\r\n\x1a");
    EXPECT_EQ(s.readBytes("HEADLY.TXT"), "\x1a");
  }
}

// A lead byte just before a comma or a line end pairs with nothing: the CSV
// file keeps it as it was, full width makes it ■.
TEST(BadInput, LoneLeadBytesAtLineEnds) {
  const std::string data = sjis("見出し,本文") + "\x82\r\n" + sjis("あ") + "\x82," + sjis("い") + "\x82\r\n" + sjis("あ") +
                           "\x82," + sjis("う") + "\r\n" + sjis("か") + ",\x82\r\n";
  BatchSession s;
  s.writeBytes("data.csv", data);
  const BatchResult r = s.run(wholeRun(true));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), data + "\x1a");
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layoutFile({"あ■", "　い■", "　う", "か", "　■"}));
  EXPECT_EQ(s.readBytes("data.csv"), data);
}

// Only a last byte 0x1A ends the file; inside a line it is data, which full
// width turns into ■.
TEST(BadInput, EndMarkInTheMiddleOfTheFile) {
  const std::string data = "A,B\r\nx\x1ay,z\r\n\x1a,w\r\nq,r\x1a\r\n\x1a";
  BatchSession s;
  s.writeBytes("data.csv", data);
  const BatchResult half = s.run(wholeRun(false));
  ASSERT_EQ(half.exitCode, 0) << half.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), withEndMark({"A,B", "x\x1ay,z", "\x1a,w", "q,r\x1a"}));
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), withEndMark({"x\x1ay", " z", "\x1a", " w", "q", " r\x1a"}));

  std::filesystem::remove(s.path("out.csv"));
  std::filesystem::remove(s.path("HEADLY.TXT"));
  const BatchResult full = s.run(wholeRun(true));
  ASSERT_EQ(full.exitCode, 0) << full.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layoutFile({"ｘ■ｙ", "　ｚ", "■", "　ｗ", "ｑ", "　ｒ■"}));
  EXPECT_EQ(s.readBytes("data.csv"), data);
}

TEST(BadInput, OverlongLinesEndTheRunBeforeAnythingIsWritten) {
  std::string wideHeader;
  for (int i = 0; i < 100000; ++i) wideHeader += (i ? "," : "") + std::to_string(i);
  for (const std::string& data : {"A,B\r\n" + std::string(40000, 'x') + "\r\n", wideHeader + "\r\n1,2\r\n",
                                  std::string(40000, 'h') + "\r\n1\r\n"}) {
    BatchSession s;
    s.writeBytes("data.csv", data);
    const BatchResult r = s.run(wholeRun(true));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.transcript, "-> 500\n" + errorReport(15, "文字列が長すぎます。"))) << r.transcript;
    EXPECT_EQ(entries(s), std::set<std::string>{"data.csv"});
    EXPECT_EQ(s.readBytes("data.csv"), data);
  }
}

// 32,767 commas are the most a header line can hold: 32,768 items, all
// without a name.
TEST(BadInput, TheWidestHeaderThatFitsALine) {
  const std::string data = std::string(32767, ',') + "\r\n1,2\r\n";
  BatchSession s;
  s.writeBytes("data.csv", data);
  const BatchResult r = s.run(wholeRun(true));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), withEndMark({",", "1,2"}));
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layoutFile({"１", "　２"}));
}

// A sparse file of 2 GB whose first lines are records, with the limit 10:
// loading takes what ten lines need, not what the file's size says, so the
// limit error comes and its question is asked again.
TEST(BadInput, AHugeFileWithASmallLimitGivesTheLimitErrorInLittleMemory) {
  if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
  std::string data = "a,b\r\n";
  for (int i = 0; i < 20; ++i) data += "1,2\r\n";
  BatchSession s;
  s.writeBytes("data.csv", data);
  // Twice the address space the child may have: read whole, it could not fit.
  const uint64_t twoGigabytes = uint64_t(2) << 30;
  std::error_code ec;
  fs::resize_file(s.path("data.csv"), twoGigabytes, ec);
  if (ec) GTEST_SKIP() << "no sparse file of 2 GB here";
  const std::optional<BatchResult> r =
      test::runInChild(s, "cwd @DIR@\nfile data.csv\ninput 10\nanswer OK\ncancel\n", [] {
        const rlimit limit{size_t(1) << 30, size_t(1) << 30};
        return setrlimit(RLIMIT_AS, &limit) == 0;
      });
  fs::remove(s.path("data.csv"));
  if (!r) GTEST_SKIP() << "no child with a memory limit";
  ASSERT_EQ(r->exitCode, 0) << r->transcript;
  EXPECT_TRUE(contains(r->transcript, "message 処理エラー | レコード数が最大域を超えました | OK | Stop -> OK\n"
                                      "input レコード数の最大域は？ | 最大レコード数より大きく設定 | 10 -> ESC\nend\n"))
      << r->transcript;
}

// 32,768 items by 100,000 records are 3.3 billion cells: in a process that
// may have 2 GB the run either keeps to the memory it has or ends with the
// error report of a full memory; it never aborts.
TEST(BadInput, ManyItemsTimesManyRecordsInLittleMemory) {
  if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
  std::string data = std::string(32767, ',') + "\r\n";
  for (int i = 0; i < 100000; ++i) data += "1,2\r\n";
  BatchSession s;
  s.writeBytes("data.csv", data);
  const std::optional<BatchResult> r = test::runInChild(s, wholeRun(true, "", "1e9"), [] {
    const rlimit limit{size_t(2) << 30, size_t(2) << 30};
    return setrlimit(RLIMIT_AS, &limit) == 0;
  });
  if (!r) GTEST_SKIP() << "no child with a memory limit";
  if (r->exitCode == 1) {
    EXPECT_TRUE(contains(r->transcript, errorReport(7, "メモリが不足しています。"))) << r->transcript;
  } else {
    ASSERT_EQ(r->exitCode, 0) << r->transcript;
    std::string layout = sjis("１") + "\r\n";
    for (int i = 0; i < 100000; ++i) layout += sjis("　２") + "\r\n";
    EXPECT_EQ(s.readBytes("HEADLY.TXT"), layout + "\x1a");
  }
  EXPECT_EQ(s.readBytes("data.csv"), data);
}

// 3,000 bytes at 2 characters per line: 3,000 body lines for the record and
// a separator, and the short value of the next record padded to its width.
TEST(BadInput, ValueFarLongerThanItsCharactersPerLine) {
  BatchSession s;
  s.writeBytes("data.csv", "H,V\r\nh," + std::string(3000, 'x') + "\r\nh,yy\r\n");
  const BatchResult r = s.run(wholeRun(true, "type EDIT5 2\n"));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  std::vector<std::string> expected{"ｈ"};
  for (int i = 0; i < 3000; ++i) expected.push_back("　ｘ");
  expected.insert(expected.end(), {"　―", "　ｙ", "　ｙ", "　―"});
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layoutFile(expected));
}

// A limit that is no number is 0 and a negative one can never load a file;
// 1e12 loads without a table of that size.
TEST(BadInput, RecordLimitsThatAreTextNegativeOrHuge) {
  BatchSession s;
  s.writeBytes("data.csv", "A,B\r\nx,y\r\n");
  const BatchResult r =
      s.run("cwd @DIR@\nfile data.csv\ninput 五百\nanswer OK\ninput -500\nanswer OK\ninput 1e12\ncheck CHECK1\npress "
            "BUTTON6\nfile out.csv\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  const std::string asked = "input レコード数の最大域は？ | 最大レコード数より大きく設定 | ";
  const std::string limitError = "message 処理エラー | レコード数が最大域を超えました | OK | Stop -> OK\n";
  EXPECT_TRUE(contains(r.transcript, asked + "500 -> 五百\n" + limitError + asked + "五百 -> -500\n" + limitError +
                                         asked + "-500 -> 1e12\nform FORM3 項目の分類\n"))
      << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), withEndMark({"", ""}));
}

}  // namespace
}  // namespace headly
