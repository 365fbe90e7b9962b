// Argument checks of the toolkit and the requests its file dialogs build.
#include <gtest/gtest.h>

#include <string>

#include "support/recording_backend.h"
#include "text/encoding.h"
#include "text/runtime_error.h"
#include "system/path_text.h"
#include "ui/file_filter.h"
#include "ui/toolkit.h"

namespace headly {
namespace {

class RequestRecorder : public test::RecordingBackend {
 public:
  SjisString fileDialog(const FileDialogRequest& request) override {
    last = request;
    return kEscMarker;
  }
  FileDialogRequest last;
};

int errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.errorCode;
  }
  return 0;
}

class ToolkitChecks : public ::testing::Test {
 protected:
  ToolkitChecks() { ui.createWindows(); }
  RequestRecorder windows;
  Ui ui{windows};
};

TEST_F(ToolkitChecks, BadCodesAndValuesRaiseError5) {
  EXPECT_EQ(errorOf([&] { ui.messageBox("", "", Buttons(6), Icon::None); }), 5);
  EXPECT_EQ(errorOf([&] { ui.messageBox("", "", Buttons::Ok, Icon(5)); }), 5);
  EXPECT_EQ(errorOf([&] { ui.messageBox("", "", Buttons(-1), Icon::None); }), 5);
  EXPECT_EQ(errorOf([&] { ui.setCheck("CHECK1", 3); }), 5);
  EXPECT_EQ(errorOf([&] { ui.setCheck("RADIO1", -1); }), 5);
  EXPECT_EQ(errorOf([&] { ui.setImeMode("EDIT1", 8); }), 5);
  EXPECT_EQ(errorOf([&] { ui.drawText(0, 0, "a", 1, 1, 16); }), 5);
  EXPECT_EQ(errorOf([&] { ui.drawBox(0, 0, 1, 1, -1); }), 5);
  EXPECT_EQ(errorOf([&] { ui.setFontName("EDIT7", std::string(32, 'a')); }), 5);
  EXPECT_EQ(errorOf([&] { ui.messageBox("", "", Buttons::RetryCancel, Icon::None); }), 0);
  EXPECT_EQ(errorOf([&] { ui.drawBox(0, 0, 1, 1, 15); }), 0);
  EXPECT_EQ(errorOf([&] { ui.setCheck("CHECK1", 2); }), 0);
}

TEST_F(ToolkitChecks, DialogTextsOver64BytesRaiseError5) {
  const SjisString longest(64, 'x');
  const SjisString over(65, 'x');
  EXPECT_EQ(errorOf([&] { ui.inputBox(longest, longest, longest); }), 0);
  EXPECT_EQ(errorOf([&] { ui.inputBox(over, "", ""); }), 5);
  EXPECT_EQ(errorOf([&] { ui.inputBox("", over, ""); }), 5);
  EXPECT_EQ(errorOf([&] { ui.inputBox("", "", over); }), 5);
  EXPECT_EQ(errorOf([&] { ui.openFileDialog(over, "C:\\", ""); }), 5);
  EXPECT_EQ(errorOf([&] { ui.saveFileDialog("t", "C:\\" + SjisString(258, 'a'), ""); }), 5);
  EXPECT_EQ(errorOf([&] { ui.saveFileDialog("t", "C:\\" + SjisString(257, 'a'), ""); }), 0);
  EXPECT_EQ(errorOf([&] { ui.openFileDialog("t", "C:\\", "no parentheses"); }), 5);
}

TEST_F(ToolkitChecks, NamesOfTheWrongKindOrNoneAtAll) {
  EXPECT_EQ(errorOf([&] { ui.getCheck("BUTTON1"); }), err::kWrongKind);
  EXPECT_EQ(errorOf([&] { ui.listSelected("COMBO1", 0); }), err::kWrongKind);
  EXPECT_EQ(errorOf([&] { ui.listAdd("EDIT1", "a"); }), err::kWrongKind);
  EXPECT_EQ(errorOf([&] { ui.setText("LIST1", "a"); }), err::kWrongKind);
  EXPECT_EQ(errorOf([&] { ui.setTopMost("LIST1", true); }), err::kWrongKind);
  EXPECT_EQ(errorOf([&] { ui.setImeMode("TEXT1", 0); }), err::kWrongKind);
  EXPECT_EQ(errorOf([&] { ui.setVisible("BUTTON99", true); }), err::kNoSuchControl);
  EXPECT_EQ(errorOf([&] { ui.setText("FORM3", "a"); }), 0);
  EXPECT_EQ(errorOf([&] { ui.setImeMode("FORM2", 3); }), 0);
  ui.end();
  EXPECT_EQ(errorOf([&] { ui.setText("FORM3", "a"); }), err::kNoSuchObject);
}

TEST_F(ToolkitChecks, ListItemAndSelectionOutsideTheRowsAreEmpty) {
  EXPECT_EQ(ui.listItem("LIST1", -1), "");
  EXPECT_EQ(ui.listItem("LIST1", 0), "");
  EXPECT_FALSE(ui.listSelected("LIST1", 0));
}

struct SplitCase {
  const char* initialPath;  // UTF-8
  const char* folder;
  const char* name;
};

TEST_F(ToolkitChecks, InitialFolderAndNameOfTheFileDialogs) {
  const SplitCase cases[] = {
      {"C:\\WORK\\", "C:\\WORK", ""},
      {"C:\\", "C:\\", ""},
      {"C:\\DATA\\HEADLY.TXT", "C:\\DATA", "HEADLY.TXT"},
      {"C:\\\\*.TXT", "C:\\", "*.TXT"},  // the work folder at a drive root ends in two backslashes
      {"D:HEADLY.TXT", "D:", "HEADLY.TXT"},
      {"HEADLY.TXT", "", "HEADLY.TXT"},
      {"C:\\ソフト\\表", "C:\\ソフト", "表"},  // ソ and 表 end in the byte 0x5C
      {"C:\\データ\\能力表", "C:\\データ", "能力表"},
  };
  for (const SplitCase& c : cases) {
    ui.saveFileDialog("t", sjis(c.initialPath), "");
    EXPECT_EQ(toUtf8(windows.last.initialFolder), c.folder) << c.initialPath;
    EXPECT_EQ(toUtf8(windows.last.initialName), c.name) << c.initialPath;
    EXPECT_EQ(windows.last.initialPath, sjis(c.initialPath));
  }
}

TEST_F(ToolkitChecks, OpenAndSaveRequestsDifferInOverwriteAndExistence) {
  EXPECT_EQ(ui.openFileDialog("t", "C:\\", sjis("ﾃｷｽﾄ形式(*.TXT,*.CSV)")), kEscMarker);
  EXPECT_FALSE(windows.last.save);
  EXPECT_TRUE(windows.last.fileMustExist);
  EXPECT_FALSE(windows.last.overwritePrompt);
  ASSERT_EQ(windows.last.filters.size(), 1u);
  EXPECT_EQ(windows.last.filters[0].text, sjis("ﾃｷｽﾄ形式(*.TXT,*.CSV)"));
  ui.saveFileDialog("t", "C:\\", "");
  EXPECT_TRUE(windows.last.save);
  EXPECT_TRUE(windows.last.overwritePrompt);
  EXPECT_FALSE(windows.last.fileMustExist);
  EXPECT_EQ(toUtf8(windows.last.filters.at(0).text), "すべてのﾌｧｲﾙ(*.*)");
}

TEST(FileFilter, EntriesBecomeFiltersWithTheirPatterns) {
  const std::vector<FileFilter> filters = parseFileFilter(sjis("ﾃｷｽﾄ形式( *.TXT ,\t*.CSV);全部(*.*)"));
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].text, sjis("ﾃｷｽﾄ形式( *.TXT ,\t*.CSV)"));
  EXPECT_EQ(filters[0].patterns, (std::vector<SjisString>{"*.TXT", "*.CSV"}));
  EXPECT_EQ(filters[1].patterns, (std::vector<SjisString>{"*.*"}));
  EXPECT_EQ(parseFileFilter("").at(0).patterns, (std::vector<SjisString>{"*.*"}));
}

TEST(FileFilter, FiltersThatCannotBeConvertedRaiseError5) {
  EXPECT_EQ(errorOf([] { parseFileFilter("text(*.TXT);"); }), 5);
  EXPECT_EQ(errorOf([] { parseFileFilter("text(*.TXT"); }), 5);
  EXPECT_EQ(errorOf([] { parseFileFilter("a(*.A)" + SjisString(506, 'x')); }), 5);  // 512 bytes
  EXPECT_EQ(errorOf([] { parseFileFilter("a(*.A)" + SjisString(505, 'x')); }), 0);
  EXPECT_EQ(errorOf([] { parseFileFilter("(" + SjisString(509, '*') + ")"); }), 0);
}

TEST(FileFilter, PatternsMatchWithoutRegardToCase) {
  EXPECT_TRUE(matchesPattern("sales.csv", "*.CSV"));
  EXPECT_TRUE(matchesPattern("SALES.CSV", "*.csv"));
  EXPECT_FALSE(matchesPattern("sales.csvx", "*.CSV"));
  EXPECT_FALSE(matchesPattern("sales.txt", "*.CSV"));
  EXPECT_TRUE(matchesPattern("README", "*.*"));
  EXPECT_TRUE(matchesPattern(sjis("表.txt"), "?.TXT")) << "a double-byte character is one character";
  EXPECT_FALSE(matchesPattern(sjis("表.txt"), "??.TXT"));
  EXPECT_FALSE(matchesPattern(sjis("ソ"), sjis("ソ") + "X"));
  const FileFilter textFiles = parseFileFilter(sjis("ﾃｷｽﾄ形式(*.TXT,*.CSV)")).at(0);
  EXPECT_TRUE(matchesFilter("a.Csv", textFiles));
  EXPECT_FALSE(matchesFilter("a.dat", textFiles));
  EXPECT_TRUE(hasWildcard("*.TXT"));
  EXPECT_FALSE(hasWildcard(sjis("表ソ.TXT")));
}

TEST(FileFilter, OnlyThePdfEntryGivesItsExtensionToANameWithout) {
  const std::vector<FileFilter> filters = parseFileFilter(sjis("ﾃｷｽﾄ形式(*.TXT);UTF-8テキスト(*.TXT);PDF文書(*.PDF)"));
  EXPECT_EQ(addedExtension("HEADLY", filters[2]), ".PDF");
  EXPECT_EQ(addedExtension(sjis("見出し一覧"), filters[2]), ".PDF");
  EXPECT_EQ(addedExtension(".hidden", filters[2]), ".PDF") << "a leading point starts no extension";
  EXPECT_EQ(addedExtension("HEADLY.PDF", filters[2]), "");
  EXPECT_EQ(addedExtension("report.2026", filters[2]), "") << "any extension is kept";
  EXPECT_EQ(addedExtension("HEADLY", filters[0]), "") << "text names stay as typed";
  EXPECT_EQ(addedExtension("HEADLY", filters[1]), "");
}

}  // namespace
}  // namespace headly
