// Whole sessions on the real windows, driven offscreen as a person would:
// the data file clicked in the open dialog's list, rows clicked in the lists,
// numbers typed, names typed, buttons clicked. Each session is also run
// through the script driver; both must pass the same windows with the same
// titles and texts and write the same bytes.
#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "qt/qt_fixture.h"
#include "support/sample_data.h"
#include "support/temp_folder.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/input_dialog.h"
#include "ui/qt/message_dialog.h"
#include "main/qt_program.h"
#include "main/batch_run.h"
#include "build_paths.h"

namespace headly::test {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string sample(const std::string& name) { return readFile(fs::path(test::kSourceDir) / "samples" / name); }

// Every file below a folder by its relative path, with its bytes; folders
// map to "(folder)".
std::map<std::string, std::string> tree(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
    entries[fs::relative(entry.path(), root).string()] =
        entry.is_directory() ? std::string("(folder)") : readFile(entry.path());
  return entries;
}

// The lines of a transcript that name a window the person meets or a control
// looked at, cut to what does not depend on the folder of the run: "form NAME
// CAPTION", "message CAPTION | TEXT", "input TITLE | PROMPT", "open TITLE",
// "save TITLE", "show ...".
std::vector<std::string> windowsMet(const std::string& transcript) {
  std::vector<std::string> lines;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) {
    const std::string command = line.substr(0, line.find(' '));
    if (command == "form" || command == "show") {
      lines.push_back(line);
    } else if (command == "message" || command == "input") {
      const size_t text = line.find(" | ");
      lines.push_back(line.substr(0, line.find(" | ", text + 3)));
    } else if (command == "open" || command == "save") {
      lines.push_back(line.substr(0, line.find(" | ")));
    }
  }
  return lines;
}

std::string utf8(const QString& text) { return text.toStdString(); }

// Runs the test in a folder as the program's start folder, then goes back.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path) : saved_(fs::current_path()) { fs::current_path(path); }
  ~CurrentFolder() { fs::current_path(saved_); }

 private:
  fs::path saved_;
};

// ---- What a person does with the widgets ---------------------------------

void click(QWidget* widget) {
  ASSERT_NE(widget, nullptr);
  ASSERT_TRUE(widget->isVisible() && widget->isEnabled()) << utf8(widget->objectName());
  QTest::mouseClick(widget, Qt::LeftButton);
}

void clickRow(QAbstractItemView* view, const QModelIndex& row) {
  ASSERT_TRUE(row.isValid());
  view->scrollTo(row);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(row).center());
}

// Replaces what a field holds by ASCII typing: a click into it, Ctrl+A, the keys.
void typeInto(QLineEdit* field, const QString& keys) {
  click(field);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, keys);
}

// Replaces what a field holds by Japanese text, committed by the input method.
void typeJapaneseInto(QLineEdit* field, const QString& text) {
  click(field);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(field, &commit);
}

QAbstractItemView* fileView(QFileDialog& dialog) {
  for (const char* name : {"listView", "treeView"}) {
    auto* view = dialog.findChild<QAbstractItemView*>(QString::fromLatin1(name));
    if (view && view->isVisible()) return view;
  }
  return nullptr;
}

QPushButton* acceptButton(QFileDialog& dialog) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  if (!buttons) return nullptr;
  return buttons->button(dialog.acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                        : QDialogButtonBox::Open);
}

// Clicks a file in the dialog's list, once the folder is read, then the open
// (or save) button.
void pickFile(FileDialog& dialog, const QString& name) {
  QAbstractItemView* view = fileView(dialog);
  ASSERT_NE(view, nullptr);
  QModelIndex row;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    const QModelIndex root = view->rootIndex();
    for (int r = 0; r < view->model()->rowCount(root) && !row.isValid(); ++r)
      if (view->model()->index(r, 0, root).data().toString() == name) row = view->model()->index(r, 0, root);
    return row.isValid();
  })) << utf8(name)
      << " is not listed";
  clickRow(view, row);
  EXPECT_EQ(dialog.nameField()->text(), name);
  click(acceptButton(dialog));
}

void typeFileName(FileDialog& dialog, const QString& name) {
  typeInto(dialog.nameField(), name);
  click(acceptButton(dialog));
}

// ---- The person ------------------------------------------------------------

// Does one thing after another: acts on a form while the program waits on it,
// or answers a dialog once it is open, and notes every window met as the
// script driver's transcript names it. Anything out of turn fails the test
// and closes the main window, which ends the run.
class Person {
 public:
  explicit Person(QtBackend& backend) : backend_(backend) {
    met.push_back("form MAINFORM " + utf8(backend.widget("MAINFORM")->windowTitle()));
    backend.onWait([this] { onWait(); });
    expectDialog();
  }

  // One user action on a form.
  void onForm(const std::string& form, std::function<void()> act) { steps_.push_back({form, std::move(act), {}}); }
  // The answer to the next dialog.
  void onDialog(std::function<void(QDialog&)> act) { steps_.push_back({{}, {}, std::move(act)}); }
  // Notes a list's rows (selected ones marked "*"), as the script's show does.
  void show(const std::string& form, const std::string& list) {
    onForm(form, [this, list] { met.push_back(listLine(list)); });
  }

  template <typename W>
  W* find(const std::string& name) {
    W* widget = dynamic_cast<W*>(backend_.widget(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void press(const std::string& form, const std::string& button) {
    onForm(form, [this, button] { click(find<QPushButton>(button)); });
  }
  void clickListRow(const std::string& form, const std::string& list, int row) {
    onForm(form, [this, list, row] {
      QListWidget* widget = find<QListWidget>(list);
      clickRow(widget, widget->model()->index(row, 0));
    });
  }
  void answer(int answerCode) {
    onDialog([answerCode](QDialog& dialog) {
      auto* box = dynamic_cast<MessageDialog*>(&dialog);
      ASSERT_NE(box, nullptr);
      click(box->button(answerCode));
    });
  }
  void fileDialog(std::function<void(FileDialog&)> act) {
    onDialog([act](QDialog& dialog) {
      auto* files = dynamic_cast<FileDialog*>(&dialog);
      ASSERT_NE(files, nullptr);
      act(*files);
    });
  }

  bool finished() const { return steps_.empty(); }
  // The picture on the main window as it stands.
  QImage drawing() const { return backend_.drawing(); }
  std::vector<std::string> met;

 private:
  struct Step {
    std::string form;  // empty for a dialog
    std::function<void()> onForm;
    std::function<void(QDialog&)> onDialog;
  };

  // Every dialog gets this answer; the next one is queued first, so that a
  // dialog opened from this one (the file dialog's questions) has it too.
  void expectDialog() {
    backend_.modals().queueAnswer([this](QDialog& dialog) {
      expectDialog();
      met.push_back(dialogLine(dialog));
      if (steps_.empty() || !steps_.front().form.empty()) return giveUp("a dialog out of turn: " + met.back(), &dialog);
      const Step step = std::move(steps_.front());
      steps_.pop_front();
      step.onDialog(dialog);
      if (::testing::Test::HasFatalFailure()) giveUp("the answer failed", &dialog);
    });
  }

  void onWait() {
    if (gaveUp_) return;
    if (steps_.empty() || steps_.front().form.empty()) return giveUp("a wait out of turn", nullptr);
    const Step step = std::move(steps_.front());
    steps_.pop_front();
    if (!backend_.widget(step.form)->isVisible()) return giveUp("the program waits, but not on " + step.form, nullptr);
    const std::string formLine = "form " + step.form + " " + utf8(backend_.widget(step.form)->windowTitle());
    if (formLine != lastForm_) met.push_back(lastForm_ = formLine);
    step.onForm();
    if (::testing::Test::HasFatalFailure()) giveUp("the action failed", nullptr);
  }

  void giveUp(const std::string& why, QDialog* dialog) {
    if (!gaveUp_) ADD_FAILURE() << why;
    gaveUp_ = true;
    steps_.clear();
    if (dialog) dialog->done(QDialog::Rejected);
    if (QWidget* main = backend_.widget("MAINFORM")) main->close();
  }

  std::string dialogLine(QDialog& dialog) {
    lastForm_.clear();  // a form shown again after a dialog is met again
    std::string labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
      if (!label->text().isEmpty()) labels += utf8(label->text());
    const std::string title = utf8(dialog.windowTitle());
    if (dynamic_cast<MessageDialog*>(&dialog)) return "message " + title + " | " + labels;
    if (dynamic_cast<InputDialog*>(&dialog)) return "input " + title + " | " + labels;
    const auto* files = dynamic_cast<FileDialog*>(&dialog);
    if (files) return (files->acceptMode() == QFileDialog::AcceptSave ? "save " : "open ") + title;
    return "dialog " + title;
  }

  std::string listLine(const std::string& name) {
    std::string line = "show " + name;
    const QListWidget* list = find<QListWidget>(name);
    for (int row = 0; list && row < list->count(); ++row)
      line += " | " + std::string(list->item(row)->isSelected() ? "*" : "") + utf8(list->item(row)->text());
    return line;
  }

  QtBackend& backend_;
  std::deque<Step> steps_;
  std::string lastForm_;
  bool gaveUp_ = false;
};

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
