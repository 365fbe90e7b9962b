// Whole sessions on the real windows, driven offscreen as a person would:
// the data file clicked in the open dialog's list, rows clicked in the lists,
// numbers typed, names typed, buttons clicked. Each session is also run
// through the script driver; both must pass the same windows with the same
// titles and texts and write the same bytes.
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "main/batch_run.h"
#include "main/qt_program.h"
#include "qt/qt_fixture.h"
#include "qt/session_person.h"
#include "support/sample_data.h"
#include "support/temp_folder.h"

namespace headly::test {
namespace {

// ---- The sessions ------------------------------------------------------------

// Two copies of the sample data, one for the real windows and one for the
// script driver.
class WholeSession : public ::testing::Test {
 protected:
  WholeSession() {
    testApplication();
    for (const TempFolder* folder : {&windows, &batch}) folder->write("sales.csv", sample("sales.csv"));
  }

  // The session of a script through the script driver, in its own folder.
  std::string runScript(std::string script, const std::vector<std::string>& arguments = {}) {
    for (size_t at; (at = script.find("@DIR@")) != std::string::npos;) script.replace(at, 5, batch.path());
    std::ostringstream transcript;
    EXPECT_EQ(runBatch(script, arguments, transcript, false), 0) << transcript.str();
    return transcript.str();
  }

  // The same session on the real windows, started in the other folder;
  // with record, recorded there as a script.
  void runWindows(const std::function<void(Person&)>& steps, std::ostream* record = nullptr) {
    const CurrentFolder start(windows.path());
    QtProgram program(record, "month.script");
    Person person(program.backend());
    steps(person);
    EXPECT_EQ(program.run(), RunResult::Ended);
    EXPECT_TRUE(person.finished()) << "the program ended before the person was done";
    met = person.met;
  }

  // The data file picked in the open dialog, the record limit as proposed, and
  // on FORM3 the first two items (支店, 担当) to the heading list and then
  // `others` more to the other list.
  static void loadAndClassify(Person& person, int others) {
    person.fileDialog([](FileDialog& dialog) { pickFile(dialog, QStringLiteral("sales.csv")); });
    person.onDialog([](QDialog& dialog) {
      auto* box = dynamic_cast<InputDialog*>(&dialog);
      ASSERT_NE(box, nullptr);
      click(box->okButton());
    });
    for (int row : {0, 1}) person.clickListRow("FORM3", "LIST1", row);
    person.press("FORM3", "BUTTON2");
    for (int row = 0; row < others; ++row) person.clickListRow("FORM3", "LIST1", row);
    person.press("FORM3", "BUTTON4");
  }

  // The session of samples/sales.script, done by hand.
  static void sampleSession(Person& person) {
    loadAndClassify(person, 2);
    person.show("FORM3", "LIST2");
    person.show("FORM3", "LIST3");
    person.press("FORM3", "BUTTON6");
    person.fileDialog([](FileDialog& dialog) { typeFileName(dialog, QStringLiteral("SALES.TXT")); });
    person.answer(kAnswerYes);  // full width
    for (int item = 0; item < 3; ++item) {
      person.press("FORM4", "BUTTON9");
      person.answer(kAnswerYes);
    }
    person.onForm("FORM2", [&person] { typeInto(person.find<QLineEdit>("EDIT1"), QStringLiteral("2")); });
    person.press("FORM2", "BUTTON1");
    person.answer(kAnswerYes);
    person.answer(kAnswerYes);  // the final confirmation
    person.fileDialog([](FileDialog& dialog) {
      EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("HEADLY.TXT"));
      click(acceptButton(dialog));
    });
  }

  TempFolder windows;
  TempFolder batch;
  std::vector<std::string> met;
};

TEST_F(WholeSession, LayoutFileOfTheSampleSessionEqualsTheScriptDrivers) {
  const std::string transcript = runScript(sample("sales.script"), {batch / "sales.csv"});
  runWindows(sampleSession);

  EXPECT_EQ(met, windowsMet(transcript));
  for (const char* file : {"HEADLY.TXT", "SALES.TXT"}) {
    EXPECT_FALSE(batch.read(file).empty()) << file;
    EXPECT_EQ(windows.read(file), batch.read(file)) << file;
  }
}

TEST_F(WholeSession, FolderTreeOfAFolderModeSessionEqualsTheScriptDrivers) {
  for (const TempFolder* folder : {&windows, &batch}) fs::create_directory(*folder / "sub");
  const std::string transcript = runScript(
      "cwd @DIR@\nfile sales.csv\ninput 500\nselect LIST1 0 1\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
      "check CHECK2\ncheck CHECK3\ncheck CHECK5\npress BUTTON6\nanswer OK\npress BUTTON9\nanswer Yes\nanswer Yes\n"
      "click LIST4 [sub]\nshow LIST4\ntype EDIT7 出力\npress BUTTON14\n");
  runWindows([](Person& person) {
    loadAndClassify(person, 1);
    for (const char* check : {"CHECK2", "CHECK3", "CHECK5"})
      person.onForm("FORM3", [&person, check] { click(person.find<QWidget>(check)); });
    person.press("FORM3", "BUTTON6");
    person.answer(kAnswerOk);  // the data goes full width
    person.press("FORM4", "BUTTON9");
    person.answer(kAnswerYes);
    person.answer(kAnswerYes);  // the final confirmation
    person.onForm("FORM5", [&person] {
      QListWidget* folders = person.find<QListWidget>("LIST4");
      const QList<QListWidgetItem*> sub = folders->findItems(QStringLiteral("[sub]"), Qt::MatchExactly);
      ASSERT_EQ(sub.size(), 1);
      clickRow(folders, folders->indexFromItem(sub.front()));
    });
    person.show("FORM5", "LIST4");
    person.onForm("FORM5", [&person] { typeJapaneseInto(person.find<QLineEdit>("EDIT7"), QStringLiteral("出力")); });
    person.press("FORM5", "BUTTON14");
  });

  EXPECT_EQ(met, windowsMet(transcript));
  const std::map<std::string, std::string> created = tree(batch / "sub");
  EXPECT_GT(created.size(), 2u);
  EXPECT_EQ(tree(windows / "sub"), created);
}

TEST_F(WholeSession, ARecordedSessionReplaysToTheSameBytesAndOnAnAddedColumnToTheSameLayout) {
  std::ostringstream recorded;
  runWindows(sampleSession, &recorded);
  const std::string script = recorded.str();
  EXPECT_NE(script.find("file \"$1\"\n"), std::string::npos) << script;
  EXPECT_NE(script.find("# データファイル / data file: " + (windows / "sales.csv") + "\n"), std::string::npos);
  EXPECT_NE(script.find("select LIST1 =支店\nselect LIST1 =担当\npress BUTTON2\n"), std::string::npos) << script;

  runScript(script, {batch / "sales.csv"});
  for (const char* file : {"HEADLY.TXT", "SALES.TXT"}) {
    EXPECT_FALSE(windows.read(file).empty()) << file;
    EXPECT_EQ(batch.read(file), windows.read(file)) << file;
  }

  TempFolder nextMonth;
  nextMonth.write("sales.csv", withDateColumn(sample("sales.csv")));
  std::ostringstream transcript;
  EXPECT_EQ(runBatch(script, {nextMonth / "sales.csv"}, transcript, false), 0) << transcript.str();
  EXPECT_EQ(nextMonth.read("HEADLY.TXT"), windows.read("HEADLY.TXT"));
}

// The rows of the preview below its title lines that hold a colour.
int rowsInColour(const QImage& picture, QRgb colour) {
  int rows = 0;
  bool inRow = false;
  for (int y = 100; y < picture.height(); ++y) {
    bool found = false;
    for (int x = 0; x < picture.width() && !found; ++x) found = picture.pixel(x, y) == colour;
    rows += found && !inRow;
    inRow = found;
  }
  return rows;
}

TEST_F(WholeSession, PreviewShowsTheLinesTheWriterMakesAlsoAfterARestart) {
  // 数量 (at most "１２０", 6 bytes, 6 a line) is the second body item, drawn
  // in cyan. With the delimiters ［ ］ it takes two lines; after いいえ at the
  // final confirmation it is set again without them and takes one.
  const QRgb cyan = qRgb(0, 255, 255);
  std::vector<int> rowsAtConfirmation;
  runWindows([&](Person& person) {
    loadAndClassify(person, 2);
    person.onForm("FORM3", [&person] { click(person.find<QWidget>("CHECK2")); });
    person.press("FORM3", "BUTTON6");
    person.answer(kAnswerYes);  // full width
    const auto setItems = [&](const QString& before, const QString& after) {
      for (int item = 0; item < 3; ++item) {
        person.press("FORM4", "BUTTON9");
        person.answer(kAnswerYes);
      }
      person.onForm("FORM2", [&person, before, after] {
        typeInto(person.find<QLineEdit>("EDIT2"), before);
        typeInto(person.find<QLineEdit>("EDIT3"), after);
      });
      person.press("FORM2", "BUTTON1");
      person.onDialog([&](QDialog& dialog) {
        rowsAtConfirmation.push_back(rowsInColour(person.drawing(), cyan));
        click(dynamic_cast<MessageDialog&>(dialog).button(kAnswerYes));
      });
    };
    setItems(QStringLiteral("["), QStringLiteral("]"));
    person.answer(kAnswerNo);  // the final confirmation: all again
    setItems(QString(), QString());
    person.onDialog([&](QDialog& dialog) {
      rowsAtConfirmation.push_back(rowsInColour(person.drawing(), cyan));
      click(dynamic_cast<MessageDialog&>(dialog).button(kAnswerYes));
    });
    person.fileDialog([](FileDialog& dialog) { click(acceptButton(dialog)); });
  });
  EXPECT_EQ(rowsAtConfirmation, (std::vector<int>{2, 1, 1}));
  // In the file its value stands on the line of 商品, without delimiters.
  const std::string layout = windows.read("HEADLY.TXT");
  const size_t value = layout.find(sjis("１２０"));
  ASSERT_NE(value, std::string::npos);
  const size_t lineStart = layout.rfind("\r\n", value);
  EXPECT_NE(layout.substr(lineStart, value - lineStart).find(sjis("ボールペン")), std::string::npos);
  EXPECT_EQ(layout.find(sjis("［")), std::string::npos);
}

}  // namespace
}  // namespace headly::test
