// The scripting guide (docs/scripting.md) kept true: its tables of forms and
// controls agree with the program's catalogue, and its complete examples run
// on the sample data as the guide says.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/batch_session.h"
#include "support/sample_data.h"
#include "ui/catalogue.h"
#include "build_paths.h"

namespace headly::test {
namespace {

namespace fs = std::filesystem;

std::string guide() {
  std::ifstream in(std::string(test::kSourceDir) + "/docs/scripting.md", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text of the guide's section "### FORM CAPTION", up to the next heading.
std::string formSection(const std::string& text, const FormSpec& form) {
  const std::string heading = std::string("\n### ") + form.name + " " + form.caption + "\n";
  const size_t start = text.find(heading);
  if (start == std::string::npos) return {};
  const size_t end = text.find("\n#", start + heading.size());
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

const char* kindWord(ControlKind kind) {
  static const char* const kWords[] = {"button", "radio", "check", "group", "edit", "label", "list", "combo"};
  return kWords[int(kind)];
}

TEST(ScriptingGuide, EveryFormAndControlIsListedWithItsCaption) {
  const std::string text = guide();
  ASSERT_FALSE(text.empty());
  for (const FormSpec& form : formCatalogue()) {
    const std::string section = formSection(text, form);
    ASSERT_FALSE(section.empty()) << form.name << " has no section";
    size_t rows = 0;
    for (size_t at = section.find("\n| `"); at != std::string::npos; at = section.find("\n| `", at + 1)) ++rows;
    EXPECT_EQ(rows, form.controls.size()) << form.name;
    for (const ControlSpec& control : form.controls) {
      const std::string caption = *control.caption ? control.caption : "-";
      const std::string row =
          std::string("\n| `") + control.name + "` | " + kindWord(control.kind) + " | " + caption + " | ";
      EXPECT_NE(section.find(row), std::string::npos) << row;
    }
  }
}

// The guide's complete examples: the blocks marked "script".
std::vector<std::string> examples(const std::string& text) {
  std::vector<std::string> blocks;
  const std::string open = "\n```script\n";
  for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
    const size_t start = at + open.size();
    blocks.push_back(text.substr(start, text.find("\n```", start) + 1 - start));
  }
  return blocks;
}

// Runs an example in a folder holding sales.csv, which is also the current
// folder (where folder mode creates its folder), as the guide says.
struct ExampleRun {
  BatchSession folder;
  BatchResult result;
  explicit ExampleRun(const std::string& script) {
    folder.writeBytes("sales.csv", sampleFile("sales.csv"));
    runAgain(script);
  }
  // The same script once more in the same folder.
  void runAgain(const std::string& script) {
    const fs::path before = fs::current_path();
    fs::current_path(folder.dir());
    result = folder.runWith(script, {"sales.csv"});
    fs::current_path(before);
  }
  bool has(const std::string& name) const { return fs::exists(fs::u8path(folder.path(name))); }
};

TEST(ScriptingGuide, TheThreeExamplesRunOnTheSampleData) {
  const std::vector<std::string> blocks = examples(guide());
  ASSERT_EQ(blocks.size(), 3u);

  ASSERT_EQ(blocks[0].rfind("# example: file mode\n", 0), 0u);
  const ExampleRun fileMode(blocks[0]);
  EXPECT_EQ(fileMode.result.exitCode, 0) << fileMode.result.transcript;
  EXPECT_EQ(fileMode.folder.readAsUtf8("HEADLY.TXT").rfind("東京\r\n", 0), 0u);
  EXPECT_FALSE(fileMode.has("SALES.TXT"));

  ASSERT_EQ(blocks[1].rfind("# example: folder mode\n", 0), 0u);
  ExampleRun folderMode(blocks[1]);
  EXPECT_EQ(folderMode.result.exitCode, 0) << folderMode.result.transcript;
  EXPECT_TRUE(folderMode.has("売上/東京"));
  EXPECT_FALSE(folderMode.has("HEADLY.TXT"));
  // Run again in the same folder it goes into the numbered folder.
  EXPECT_FALSE(folderMode.has("売上_[1]"));
  folderMode.runAgain(blocks[1]);
  EXPECT_EQ(folderMode.result.exitCode, 0) << folderMode.result.transcript;
  EXPECT_EQ(folderMode.folder.readBytes("売上_[1]/東京/佐藤.TXT"), folderMode.folder.readBytes("売上/東京/佐藤.TXT"));
  EXPECT_FALSE(folderMode.folder.readBytes("売上_[1]/東京/佐藤.TXT").empty());

  ASSERT_EQ(blocks[2].rfind("# example: CSV only\n", 0), 0u);
  const ExampleRun csvOnly(blocks[2]);
  EXPECT_EQ(csvOnly.result.exitCode, 0) << csvOnly.result.transcript;
  EXPECT_EQ(csvOnly.folder.readAsUtf8("SALES.TXT").rfind("担当,支店,数量,商品\r\n佐藤,東京,120,ボールペン\r\n", 0), 0u);
  EXPECT_FALSE(csvOnly.has("HEADLY.TXT"));
}

}  // namespace
}  // namespace headly::test
