// A person at the real windows, for whole sessions driven offscreen: what a
// person does with the widgets (clicks, typing, keys) and a Person that does
// one thing after another as the program waits or opens a dialog.
#pragma once

#include <gtest/gtest.h>

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

#include "build_paths.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/input_dialog.h"
#include "ui/qt/message_dialog.h"
#include "ui/qt/qt_backend.h"

namespace headly::test {

namespace fs = std::filesystem;

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string sample(const std::string& name) { return readFile(fs::path(test::kSourceDir) / "samples" / name); }

// Every file below a folder by its relative path, with its bytes; folders
// map to "(folder)".
inline std::map<std::string, std::string> tree(const fs::path& root) {
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
inline std::vector<std::string> windowsMet(const std::string& transcript) {
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

inline std::string widgetText(const QString& text) { return text.toStdString(); }

// Runs the test in a folder as the program's start folder, then goes back.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path) : saved_(fs::current_path()) { fs::current_path(path); }
  ~CurrentFolder() { fs::current_path(saved_); }

 private:
  fs::path saved_;
};

// ---- What a person does with the widgets ---------------------------------

inline void click(QWidget* widget) {
  ASSERT_NE(widget, nullptr);
  ASSERT_TRUE(widget->isVisible() && widget->isEnabled()) << widgetText(widget->objectName());
  QTest::mouseClick(widget, Qt::LeftButton);
}

inline void clickRow(QAbstractItemView* view, const QModelIndex& row) {
  ASSERT_TRUE(row.isValid());
  view->scrollTo(row);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(row).center());
}

// Replaces what a field holds by ASCII typing: a click into it, Ctrl+A, the keys.
inline void typeInto(QLineEdit* field, const QString& keys) {
  click(field);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, keys);
}

// Replaces what a field holds by Japanese text, committed by the input method.
inline void typeJapaneseInto(QLineEdit* field, const QString& text) {
  click(field);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(field, &commit);
}

inline QAbstractItemView* fileView(QFileDialog& dialog) {
  for (const char* name : {"listView", "treeView"}) {
    auto* view = dialog.findChild<QAbstractItemView*>(QString::fromLatin1(name));
    if (view && view->isVisible()) return view;
  }
  return nullptr;
}

inline QPushButton* acceptButton(QFileDialog& dialog) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  if (!buttons) return nullptr;
  return buttons->button(dialog.acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                        : QDialogButtonBox::Open);
}

// Clicks a file in the dialog's list, once the folder is read, then the open
// (or save) button.
inline void pickFile(FileDialog& dialog, const QString& name) {
  QAbstractItemView* view = fileView(dialog);
  ASSERT_NE(view, nullptr);
  QModelIndex row;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    const QModelIndex root = view->rootIndex();
    for (int r = 0; r < view->model()->rowCount(root) && !row.isValid(); ++r)
      if (view->model()->index(r, 0, root).data().toString() == name) row = view->model()->index(r, 0, root);
    return row.isValid();
  })) << widgetText(name)
      << " is not listed";
  clickRow(view, row);
  EXPECT_EQ(dialog.nameField()->text(), name);
  click(acceptButton(dialog));
}

inline void typeFileName(FileDialog& dialog, const QString& name) {
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
    met.push_back("form MAINFORM " + widgetText(backend.widget("MAINFORM")->windowTitle()));
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
    const std::string formLine = "form " + step.form + " " + widgetText(backend_.widget(step.form)->windowTitle());
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
      if (!label->text().isEmpty()) labels += widgetText(label->text());
    const std::string title = widgetText(dialog.windowTitle());
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
      line += " | " + std::string(list->item(row)->isSelected() ? "*" : "") + widgetText(list->item(row)->text());
    return line;
  }

  QtBackend& backend_;
  std::deque<Step> steps_;
  std::string lastForm_;
  bool gaveUp_ = false;
};

}  // namespace headly::test
