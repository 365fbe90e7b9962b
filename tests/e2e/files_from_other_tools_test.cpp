// Whole runs through the headless driver on data files written by other
// tools (UTF-8, UTF-16, LF-only lines), folder names in the other Unicode
// forms of Shift-JIS characters, and output in UTF-8.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/batch_session.h"
#include "text/encoding.h"
#include "build_paths.h"

namespace headly::test {
namespace {

constexpr char kBomUtf8[] = "\xEF\xBB\xBF";
constexpr char kQuestionUtf8[] =
    "message データファイルの読み込み | このファイルはUTF-8です。Shift-JISに変換して読み込みますか？ | "
    "YesNoCancel | Question -> ";
// Two items; the CSV file holds both and the run ends (no layout).
constexpr char kToCsv[] =
    "input 500\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\ncheck CHECK1\npress BUTTON6\n"
    "file out.csv\n";

std::string sampleScript() {
  std::ifstream in(std::string(test::kSourceDir) + "/samples/sales.script");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string sampleData() {
  std::ifstream in(std::string(test::kSourceDir) + "/samples/sales.csv", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// UTF-16LE with its BOM, from UTF-8 (decoded here, not by the program).
std::string utf16leOf(const std::string& utf8) {
  std::string out = "\xFF\xFE";
  auto unit = [&](unsigned u) {
    out += char(u & 0xFF);
    out += char(u >> 8);
  };
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    unsigned code = n == 1 ? c : c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += n;
    if (code >= 0x10000) {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      unit(code);
    }
  }
  return out;
}

std::string withoutCr(std::string text) {
  std::erase(text, '\r');
  return text;
}

std::string sjisBytes(const std::string& utf8) { return *fromUtf8(utf8); }

TEST(OtherToolsRun, SalesFromOtherToolsGivesTheLayoutAndCsvOfTheOriginal) {
  BatchSession original;
  original.writeBytes("sales.csv", sampleData());
  ASSERT_EQ(original.runWith(sampleScript(), {original.path("sales.csv")}).exitCode, 0);
  const std::string layout = original.readBytes("HEADLY.TXT");
  const std::string csv = original.readBytes("SALES.TXT");

  const std::string utf8 = toUtf8(sampleData());
  struct Case {
    const char* name;
    std::string bytes;
    bool asked;
  };
  for (const Case& c : {Case{"UTF-8 with BOM", kBomUtf8 + utf8, true}, Case{"UTF-8", utf8, true},
                        Case{"UTF-16LE with BOM", utf16leOf(utf8), true},
                        Case{"Shift-JIS with LF", withoutCr(sampleData()), false}}) {
    SCOPED_TRACE(c.name);
    BatchSession s;
    s.writeBytes("sales.csv", c.bytes);
    std::string script = sampleScript();
    if (c.asked) script.replace(script.find("input 500"), 0, "answer Yes\n");
    const BatchResult r = s.runWith(script, {s.path("sales.csv")});
    ASSERT_EQ(r.exitCode, 0) << r.transcript;
    EXPECT_EQ(r.transcript.find("Shift-JISに変換して読み込みますか？") != std::string::npos, c.asked);
    EXPECT_EQ(s.readBytes("HEADLY.TXT"), layout);
    EXPECT_EQ(s.readBytes("SALES.TXT"), csv);
  }
}

TEST(OtherToolsRun, CharactersWithoutShiftJisBecomeGetaAndAreReported) {
  BatchSession s;
  s.writeBytes("data.csv", std::string(kBomUtf8) + "名前,値\r\n\"a,b\",x\U00020BB7y\r\n😀,1\r\n");
  const BatchResult r = s.run("cwd @DIR@\nfile data.csv\nanswer Yes\nanswer OK\n" + std::string(kToCsv));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("このファイルはUTF-8（BOM付き）です。Shift-JISに変換して読み込みますか？ | YesNoCancel | "
                              "Question -> Yes\n"
                              "message データファイルの読み込み | Shift-JISにない文字 2 個を〓に置き換えました"
                              "（最初：2行目 2項目「U+20BB7」） | OK | Information -> OK\n"),
            std::string::npos)
      << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), sjisBytes("名前,値\r\n\"a,b\",x〓y\r\n〓,1\r\n\x1A"));
}

TEST(OtherToolsRun, TheFirstGetaIsPlacedInLinesAsTheyAreRead) {
  // UTF-16 with LF-only lines, long enough to be converted in many blocks;
  // the first 〓 lies in a quoted field whose comma is no item border.
  BatchSession s;
  std::string text = "名前,値\n";
  for (int i = 0; i < 30000; ++i) text += "ｱｲｳ" + std::to_string(i) + ",東京\n";
  text += "\"x,y\",a\U00020BB7\n😀,1\n";
  s.writeBytes("data.csv", utf16leOf(text));
  const BatchResult r =
      s.run("cwd @DIR@\nfile data.csv\nanswer Yes\nanswer OK\ninput 99999\n" + std::string(kToCsv).substr(10));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("Shift-JISにない文字 2 個を〓に置き換えました（最初：30002行目 2項目「U+20BB7」）"),
            std::string::npos)
      << r.transcript;
  std::string expected = "名前,値\r\n";
  for (int i = 0; i < 30000; ++i) expected += "ｱｲｳ" + std::to_string(i) + ",東京\r\n";
  EXPECT_EQ(s.readBytes("out.csv"), sjisBytes(expected + "\"x,y\",a〓\r\n〓,1\r\n\x1A"));
}

TEST(OtherToolsRun, TheRecordLimitCountsConvertedLines) {
  // UTF-8 without a BOM and without a character Shift-JIS lacks: no 〓 to
  // report (only the 〜 read as ～), and the limit counts the lines as
  // converted.
  BatchSession s;
  s.writeBytes("data.csv", "名前,メモ\r\n佐藤,ｱ\r\n鈴木,〜\r\n");
  const BatchResult r = s.run("cwd @DIR@\nfile data.csv\nanswer Yes\nanswer OK\ninput 2\nanswer OK\ninput 3\n" +
                              std::string(kToCsv).substr(10));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(r.transcript.find("〓"), std::string::npos) << r.transcript;
  EXPECT_NE(r.transcript.find("レコード数が最大域を超えました"), std::string::npos) << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), *fromUtf8("名前,メモ\r\n佐藤,ｱ\r\n") + toShiftJisReplacing("鈴木,〜\r\n", UnicodeForm::Utf8).text + "\x1A");
}

TEST(OtherToolsRun, NoReadsTheBytesAsTheyStandAndCancelEndsWithoutOutput) {
  BatchSession s;
  const std::string data = "項目,値\r\nｱｲ,1\r\n";  // UTF-8 that a Shift-JIS reader takes byte for byte
  s.writeBytes("data.csv", data);
  BatchResult r = s.run("cwd @DIR@\nfile data.csv\nanswer No\n" + std::string(kToCsv));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find(std::string(kQuestionUtf8) + "No\ninput "), std::string::npos) << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), data + "\x1A");

  // The BOM is left out even then.
  s.writeBytes("data.csv", kBomUtf8 + data);
  r = s.run("cwd @DIR@\nfile data.csv\nanswer No\n" + std::string(kToCsv) + "answer Yes\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), data + "\x1A");

  std::filesystem::remove(s.path("out.csv"));
  s.writeBytes("data.csv", data);
  r = s.run("cwd @DIR@\nfile data.csv\nanswer Cancel\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find(std::string(kQuestionUtf8) + "Cancel\nend\n"), std::string::npos) << r.transcript;
  EXPECT_FALSE(std::filesystem::exists(s.path("out.csv")));
}

TEST(OtherToolsRun, LineEnds) {
  // CR LF lines keep a bare LF inside a quoted field; LF-only lines end at
  // each LF, and the record limit counts them.
  BatchSession s;
  s.writeSjisFile("data.csv", "名前,メモ\r\n佐藤,\"一行目\n二行目\"\r\n");
  BatchResult r = s.run("cwd @DIR@\nfile data.csv\n" + std::string(kToCsv));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), sjisBytes("名前,メモ\r\n佐藤,\"一行目\n二行目\"\r\n\x1A"));

  std::filesystem::remove(s.path("out.csv"));
  s.writeSjisFile("data.csv", "名前,メモ\n佐藤,a\n鈴木,b\n");
  r = s.run("cwd @DIR@\nfile data.csv\ninput 2\nanswer OK\ninput 3\n" + std::string(kToCsv).substr(10));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("レコード数が最大域を超えました"), std::string::npos);
  EXPECT_EQ(s.readBytes("out.csv"), sjisBytes("名前,メモ\r\n佐藤,a\r\n鈴木,b\r\n\x1A"));
}

TEST(OtherToolsRun, LfLinesKeepAnLfInsideAQuotedField) {
  // As in a CR LF file, the LF belongs to the value: one record of two
  // items, the text before the LF kept. A doubled quote does not close the
  // field; a quote inside an unquoted field opens nothing.
  BatchSession s;
  s.writeSjisFile("data.csv", "名前,メモ\n佐藤,\"一行目\n\"\"二行目\"\"\"\n鈴木,a\"b\n田中,\"c\"\n");
  const BatchResult r = s.run("cwd @DIR@\nfile data.csv\ninput 4\n" + std::string(kToCsv).substr(10));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"),
            sjisBytes("名前,メモ\r\n佐藤,\"一行目\n\"\"二行目\"\"\"\r\n鈴木,a\"b\r\n田中,\"c\"\r\n\x1A"));
}

TEST(OtherToolsRun, Utf8OutputOnRequest) {
  BatchSession s;
  s.writeBytes("sales.csv", sampleData());
  std::string script = sampleScript();
  script.replace(script.find("file SALES.TXT"), 14, "file SALES.TXT UTF-8");
  script.replace(script.find("file HEADLY.TXT"), 15, "file HEADLY.TXT UTF-8");
  const BatchResult r = s.runWith(script, {s.path("sales.csv")});
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  // The transcript names the entry chosen; the program's filter text stays.
  EXPECT_NE(r.transcript.find("| ﾃｷｽﾄ形式(*.TXT) -> " + s.internalPath("HEADLY.TXT") + " [UTF-8テキスト(*.TXT)]\n"),
            std::string::npos)
      << r.transcript;
  EXPECT_NE(r.transcript.find("| ﾃｷｽﾄ形式(*.TXT) -> " + s.internalPath("SALES.TXT") +
                              " [UTF-8テキスト（BOM付き）(*.TXT)]\n"),
            std::string::npos)
      << r.transcript;

  BatchSession shiftJis;
  shiftJis.writeBytes("sales.csv", sampleData());
  ASSERT_EQ(shiftJis.runWith(sampleScript(), {shiftJis.path("sales.csv")}).exitCode, 0);
  // The CSV file starts with the byte order mark a spreadsheet looks for;
  // the layout text has none. After it, the same lines as in Shift-JIS.
  for (const auto& [name, mark] : {std::pair<const char*, std::string>{"HEADLY.TXT", ""}, {"SALES.TXT", kBomUtf8}}) {
    SCOPED_TRACE(name);
    const std::string bytes = s.readBytes(name);
    ASSERT_EQ(bytes.substr(0, mark.size()), mark);
    const std::string utf8 = bytes.substr(mark.size());
    const std::optional<SjisString> back = fromUtf8(utf8);  // fails on bytes that are not UTF-8
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(utf8.find('\x1A'), std::string::npos);
    EXPECT_NE(utf8.substr(0, 3), kBomUtf8);
    EXPECT_EQ(*back + "\x1A", shiftJis.readBytes(name));
  }
}

TEST(OtherToolsRun, ANameWithoutShiftJisIsRefusedNamingIt) {
  BatchSession s;
  std::filesystem::create_directories(s.path("😀"));
  s.writeSjisFile("😀/data.csv", "a,b\r\n1,2\r\n");
  const BatchResult r = s.run("cwd @DIR@\nfile 😀/data.csv\ncancel\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("refused 😀/data.csv (the folder 😀 has no Shift-JIS form)\n"), std::string::npos)
      << r.transcript;
}

// Folders named as Linux input methods type 〜 (U+301C) and − (U+2212):
// the data file opens, the start folder is kept, and folder mode creates
// its folders below them in the forms they have on disk.
TEST(OtherToolsRun, FoldersInTheOtherFormsOfShiftJisCharacters) {
  for (const char* folder : {"4月〜6月", "A−B"}) {
    SCOPED_TRACE(folder);
    BatchSession s;
    std::filesystem::create_directories(s.path(folder));
    s.writeSjisFile(std::string(folder) + "/data.csv", "上,本文\r\na,body\r\n");
    const std::string internal = s.internalPath(standardNameForm(folder));
    const BatchResult r = s.run(
        "cwd @DIR@/" + std::string(folder) +
        "\nfile data.csv\ninput 500\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
        "check CHECK2\ncheck CHECK3\npress BUTTON6\nanswer OK\npress BUTTON9\nanswer Yes\nanswer Yes\n"
        "click LIST4 [..]\nclick LIST4 [" + standardNameForm(folder) + "]\nshow TEXT13\npress BUTTON14\n");
    ASSERT_EQ(r.exitCode, 0) << r.transcript;
    EXPECT_NE(r.transcript.find("open データファイルの読み込み | " + internal + "\\ |"), std::string::npos)
        << r.transcript;
    EXPECT_NE(r.transcript.find("show TEXT13 | " + internal + "\\\n"), std::string::npos) << r.transcript;
    EXPECT_EQ(s.readBytes(std::string(folder) + "/HEADLY/ａ.TXT"), layoutFile({"ｂｏｄｙ"}));
  }
}

}  // namespace
}  // namespace headly::test
