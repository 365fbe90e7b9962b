// headly --record FILE: the option is taken out of the arguments before Qt
// reads its own, and the file is opened for the script at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/record_option.h"
#include "support/batch_session.h"

namespace headly {
namespace {

using test::BatchSession;

// The words after the option was taken, and the option.
struct Taken {
  std::vector<std::string> left;
  RecordOption option;
};
Taken take(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  int argc = int(words.size());
  Taken taken{{}, takeRecordOption(argc, argv.data())};
  EXPECT_EQ(argv[size_t(argc)], nullptr);
  taken.left.assign(argv.begin(), argv.begin() + argc);
  return taken;
}

TEST(RecordOption, IsTakenOutOfTheArgumentsAndOpensTheFile) {
  BatchSession s;
  const Taken spaced = take({"headly", "-platform", "offscreen", "--record", s.path("a.script")});
  EXPECT_EQ(spaced.left, (std::vector<std::string>{"headly", "-platform", "offscreen"}));
  EXPECT_EQ(spaced.option.path, s.path("a.script"));
  ASSERT_TRUE(spaced.option.file && *spaced.option.file);
  EXPECT_EQ(spaced.option.fault, "");

  const Taken joined = take({"headly", "--record=" + s.path("b.script"), "-platform", "xcb"});
  EXPECT_EQ(joined.left, (std::vector<std::string>{"headly", "-platform", "xcb"}));
  EXPECT_EQ(joined.option.path, s.path("b.script"));

  const Taken none = take({"headly", "-platform", "xcb"});
  EXPECT_EQ(none.left.size(), 3u);
  EXPECT_EQ(none.option.path, "");
  EXPECT_FALSE(none.option.file);
}

TEST(RecordOption, AMissingOrUnwritableFileIsAFault) {
  BatchSession s;
  EXPECT_NE(take({"headly", "--record"}).option.fault.find("--record needs a FILE"), std::string::npos);
  EXPECT_NE(take({"headly", "--record", s.path("no/such/folder.script")}).option.fault.find("cannot write"),
            std::string::npos);
}

}  // namespace
}  // namespace headly
