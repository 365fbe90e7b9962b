// What the information message after converting a data file from UTF-8 or
// UTF-16 says: bytes that are not valid in the file's encoding (and where
// the first one is), and the characters read in Shift-JIS's own form, which
// come back in that form in every file written.
#include <gtest/gtest.h>

#include <string>

#include "support/batch_session.h"
#include "text/encoding.h"

namespace headly {
namespace {

using test::BatchResult;
using test::BatchSession;

// After the record limit: two items; the CSV file holds both and the run
// ends (no layout).
constexpr char kToCsv[] =
    "select LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\ncheck CHECK1\npress BUTTON6\n"
    "file out.csv replace\n";
constexpr char kNotice[] = "message データファイルの読み込み | ";
constexpr char kOwnForm[] =
    "Shift-JISの形で読み込んだ文字 4 個（マイナス記号、波ダッシュ、ポンド記号など）は、書き出すファイルでは "
    "－、～、￡ などのShift-JISの形になります";

BatchResult convertAndWrite(BatchSession& s, const std::string& bytes, const std::string& limit = "500") {
  s.writeBytes("data.csv", bytes);
  return s.run("cwd @DIR@\nfile data.csv\nanswer Yes\nanswer OK\ninput " + limit + "\n" + kToCsv);
}

// The run ended well and its conversion notice says says (its start, when
// it has more).
void expectNoticeSays(const BatchResult& r, const std::string& says) {
  ASSERT_EQ(r.exitCode, 0) << r.transcript.substr(0, 2000);
  EXPECT_NE(r.transcript.find(kNotice + says), std::string::npos) << r.transcript.substr(0, 2000);
}
constexpr char kAnswered[] = " | OK | Information -> OK\n";

TEST(ConversionNotice, BytesThatAreNotValidAreReportedWithTheirPlace) {
  BatchSession s;
  // The 0xFF is byte 20 of the file (the BOM counts).
  expectNoticeSays(convertAndWrite(s, "\xEF\xBB\xBF名前,値\r\nab,x\xFFy\r\n"),
                   std::string("UTF-8として正しくないバイト列 1 か所を〓に置き換えました（最初：2行目 2項目、ファイルの"
                               "先頭から 20 バイト目）") + kAnswered);
  EXPECT_EQ(s.readBytes("out.csv"), *fromUtf8("名前,値\r\nab,x〓y\r\n\x1A"));

  // UTF-16LE: an unpaired surrogate at byte 17, and a character without a
  // Shift-JIS form, each said on its own line.
  expectNoticeSays(
      convertAndWrite(s, std::string("\xFF\xFE" "a\0,\0b\0\r\0\n\0\x00\xD8,\0\x3D\xD8\x00\xDE\r\0\n\0", 24)),
      std::string("Shift-JISにない文字 1 個を〓に置き換えました（最初：2行目 2項目「U+1F600」） / "
                  "UTF-16として正しくないバイト列 1 か所を〓に置き換えました（最初：2行目 1項目、ファイルの"
                  "先頭から 13 バイト目）") + kAnswered);
}

// − U+2212, 〜 U+301C, £ U+00A3 and ‖ U+2016 are read as the Shift-JIS
// characters, whose own form is written back.
TEST(ConversionNotice, CharactersReadInShiftJisOwnFormAreCounted) {
  BatchSession s;
  expectNoticeSays(convertAndWrite(s, "品目,値\r\n−5,〜\r\n£3,‖\r\n"), kOwnForm + std::string(kAnswered));
  EXPECT_EQ(s.readBytes("out.csv"), *fromUtf8("品目,値\r\n－5,～\r\n￡3,∥\r\n\x1A"));

  expectNoticeSays(convertAndWrite(s, "品目,値\r\n−5,〜\r\n£3,‖\U00020BB7\r\n"),
                   "Shift-JISにない文字 1 個を〓に置き換えました（最初：3行目 2項目「U+20BB7」） / " +
                       std::string(kOwnForm) + kAnswered);
}

// The places are those of the lines as they are read: in a file of LF lines
// an LF inside a quoted value is no line end; the first of each kind is found
// however far apart the blocks read put them.
TEST(ConversionNotice, PlacesFollowTheLinesAsRead) {
  BatchSession s;
  expectNoticeSays(convertAndWrite(s, "\xEF\xBB\xBF名前,メモ\n佐藤,\"一\n二\"\n鈴木,\"x\n\U00020BB7\xFF\"\n"),
                   std::string("Shift-JISにない文字 1 個を〓に置き換えました（最初：3行目 2項目「U+20BB7」） / "
                               "UTF-8として正しくないバイト列 1 か所を〓に置き換えました（最初：3行目 2項目、ファイルの"
                               "先頭から 49 バイト目）") + kAnswered);

  std::string data = "\xEF\xBB\xBF品目,値\r\n𠮷,1\r\n";
  for (int i = 0; i < 100000; ++i) data += "行" + std::to_string(i) + ",〜\r\n";
  const size_t bad = data.size() + 7;  // the 0xC0, counted from 1
  data += "終,ab\xC0\xAF\r\n";
  expectNoticeSays(convertAndWrite(s, data, "200000"),
                   "Shift-JISにない文字 1 個を〓に置き換えました（最初：2行目 1項目「U+20BB7」） / "
                   "UTF-8として正しくないバイト列 2 か所を〓に置き換えました（最初：100003行目 2項目、ファイルの"
                   "先頭から " + std::to_string(bad) + " バイト目） / Shift-JISの形で読み込んだ文字 100000 個");
}

}  // namespace
}  // namespace headly
