// A data file that another program changes while it is read (cut short,
// added to or replaced): the run ends in the error report with a message
// that names the file, and no output file is replaced.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "support/batch_session.h"
#include "support/faulty_file_system.h"

namespace headly::changing_data_file_test {
namespace {

using test::BatchResult;
using test::BatchSession;

constexpr char kOld[] = "old\r\n\x1a";
// The whole session of a layout file; the reading is at "input 5000".
constexpr char kScript[] =
    "cwd @DIR@\nfile data.csv\ninput 5000\nanswer OK\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
    "press BUTTON6\nanswer No\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\nanswer Yes\n"
    "file HEADLY.TXT replace\n";

std::string sjisData() {
  std::string data = "a,b\r\n";
  for (int i = 0; i < 2000; ++i) data += "x\x82\xa0," + std::to_string(i) + "\r\n";  // x あ
  return data;
}

TEST(ChangingDataFile, AChangeWhileReadingEndsTheRunNamingTheFile) {
  struct Case {
    const char* name;
    std::function<void(BatchSession&)> change;
  };
  const Case cases[] = {
      {"cut short", [](BatchSession& s) { std::filesystem::resize_file(s.path("data.csv"), 100); }},
      {"added to", [](BatchSession& s) { std::ofstream(s.path("data.csv"), std::ios::app) << "y,1\r\n"; }},
      {"replaced",
       [](BatchSession& s) {
         s.writeBytes("new.csv", sjisData());
         std::filesystem::rename(s.path("new.csv"), s.path("data.csv"));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BatchSession s;
    s.writeBytes("data.csv", sjisData());
    s.writeBytes("HEADLY.TXT", kOld);
    test::FaultyFileSystem reading(SIZE_MAX);
    reading.readLimit = 256;
    // Read 1 is the look at the encoding; the data lines are read from read 2 on.
    reading.onRead = [&](int readsBefore) {
      if (readsBefore == 4) c.change(s);
    };
    const BatchResult r = s.run(kScript, reading);
    EXPECT_EQ(r.exitCode, 1) << r.transcript;
    EXPECT_NE(r.transcript.find("message 処理エラー | データファイル " + s.internalPath("data.csv") +
                                " が読み込みの途中で変更されました"),
              std::string::npos)
        << r.transcript;
    EXPECT_NE(r.transcript.find("\nerror エラー["), std::string::npos) << r.transcript;
    EXPECT_EQ(s.readBytes("HEADLY.TXT"), kOld);
  }
}

}  // namespace
}  // namespace headly::changing_data_file_test
