// The modal dialogs of the real windows, answered from the test once they are
// open: message boxes give the exact answer codes (also for Esc, the close
// box, the buttons' letters and Enter), the input box keeps 64 bytes, and the
// file dialogs filter with the program's patterns, take a typed pattern as a
// filter, ask before overwriting, give the ESC marker on cancel, start at a
// file named when the program started or dropped on them, and list the
// user's folders in their side bar.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTreeView>
#include <QUrl>
#include <QWindow>
#include <filesystem>

#include "qt/qt_fixture.h"
#include "support/temp_folder.h"
#include "text/encoding.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/input_dialog.h"
#include "ui/qt/message_dialog.h"
#include "ui/qt/sjis_line_edit.h"

namespace headly::test {
namespace {

class QtDialogs : public QtWindows {
 protected:
  // Answers the next message box by pressing the button of an answer code.
  void press(int answerCode) {
    backend.modals().queueAnswer([answerCode](QDialog& dialog) {
      auto& box = dynamic_cast<MessageDialog&>(dialog);
      ASSERT_NE(box.button(answerCode), nullptr);
      box.button(answerCode)->click();
    });
  }
  void pressKey(Qt::Key key) {
    backend.modals().queueAnswer([key](QDialog& dialog) { QTest::keyClick(&dialog, key); });
  }
  int ask(Buttons buttons) { return ui.messageBox(sjis("確認"), sjis("よろしいですか？"), buttons, Icon::Question); }
};

TEST_F(QtDialogs, MessageBoxesAnswerWithTheCodeOfTheButtonPressed) {
  press(kAnswerNo);
  EXPECT_EQ(ask(Buttons::YesNo), kAnswerNo);
  press(kAnswerYes);
  EXPECT_EQ(ask(Buttons::YesNoCancel), kAnswerYes);
  press(kAnswerRetry);
  EXPECT_EQ(ask(Buttons::AbortRetryIgnore), kAnswerRetry);
  press(kAnswerIgnore);
  EXPECT_EQ(ask(Buttons::AbortRetryIgnore), kAnswerIgnore);
  press(kAnswerCancel);
  EXPECT_EQ(ask(Buttons::RetryCancel), kAnswerCancel);
  press(kAnswerOk);
  EXPECT_EQ(ask(Buttons::OkCancel), kAnswerOk);
}

TEST_F(QtDialogs, EscapeAndCloseAnswerCancelOrOk) {
  pressKey(Qt::Key_Escape);
  EXPECT_EQ(ask(Buttons::YesNoCancel), kAnswerCancel);
  pressKey(Qt::Key_Escape);
  EXPECT_EQ(ask(Buttons::OkCancel), kAnswerCancel);
  pressKey(Qt::Key_Escape);
  EXPECT_EQ(ask(Buttons::Ok), kAnswerOk);
  backend.modals().queueAnswer([](QDialog& box) { box.close(); });
  EXPECT_EQ(ask(Buttons::RetryCancel), kAnswerCancel);
  pressKey(Qt::Key_Return);
  EXPECT_EQ(ask(Buttons::YesNo), kAnswerYes);  // the first button is the default
}

TEST_F(QtDialogs, YesNoBoxesCannotBeEscapedOrClosed) {
  for (Buttons buttons : {Buttons::YesNo, Buttons::AbortRetryIgnore}) {
    backend.modals().queueAnswer([buttons](QDialog& dialog) {
      auto& box = dynamic_cast<MessageDialog&>(dialog);
      QTest::keyClick(&box, Qt::Key_Escape);
      EXPECT_FALSE(box.close());
      EXPECT_TRUE(box.isVisible());
      box.button(buttons == Buttons::YesNo ? kAnswerNo : kAnswerAbort)->click();
    });
    EXPECT_EQ(ask(buttons), buttons == Buttons::YesNo ? kAnswerNo : kAnswerAbort);
  }
}

TEST_F(QtDialogs, ButtonLettersAnswerWithoutAlt) {
  pressKey(Qt::Key_N);
  EXPECT_EQ(ask(Buttons::YesNo), kAnswerNo);
  pressKey(Qt::Key_Y);
  EXPECT_EQ(ask(Buttons::YesNo), kAnswerYes);
  pressKey(Qt::Key_N);
  EXPECT_EQ(ask(Buttons::YesNoCancel), kAnswerNo);
  pressKey(Qt::Key_I);
  EXPECT_EQ(ask(Buttons::AbortRetryIgnore), kAnswerIgnore);
  pressKey(Qt::Key_R);
  EXPECT_EQ(ask(Buttons::RetryCancel), kAnswerRetry);
  // A letter of no button does nothing; the box waits for a real answer.
  backend.modals().queueAnswer([](QDialog& dialog) {
    QTest::keyClick(&dialog, Qt::Key_X);
    QTest::keyClick(&dialog, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_N);
  });
  EXPECT_EQ(ask(Buttons::YesNo), kAnswerNo);
}

TEST_F(QtDialogs, EnterPressesTheFocusedButton) {
  backend.modals().queueAnswer([](QDialog& dialog) {
    auto& box = dynamic_cast<MessageDialog&>(dialog);
    box.button(kAnswerNo)->setFocus();
    QTest::keyClick(box.button(kAnswerNo), Qt::Key_Return);
  });
  EXPECT_EQ(ask(Buttons::YesNo), kAnswerNo);
}

TEST_F(QtDialogs, MessageBoxIsAsWideAsItsCaptionNeeds) {
  const QString caption = QStringLiteral("データの全角化のお知らせメッセージ");
  backend.modals().queueAnswer([&caption](QDialog& box) {
    EXPECT_GE(box.width(), MessageDialog::captionWidth(caption));
    EXPECT_GT(MessageDialog::captionWidth(caption), QFontMetrics(box.font()).horizontalAdvance(caption));
    box.close();
  });
  ui.messageBox(sjis("データの全角化のお知らせメッセージ"), sjis("文字データを全て全角化します。"), Buttons::Ok,
                Icon::Information);
}

// Above the form, as a window that belongs to it, not above every program.
TEST_F(QtDialogs, MessageBoxStaysAboveAFormOnTop) {
  ui.setTopMost("FORM3", true);
  ASSERT_TRUE(ui.isVisible("FORM3"));
  backend.modals().queueAnswer([this](QDialog& box) {
    EXPECT_EQ(box.parentWidget(), backend.widget("FORM3"));
    EXPECT_EQ(box.windowHandle()->transientParent(), backend.widget("FORM3")->windowHandle());
    EXPECT_FALSE(box.windowFlags() & Qt::WindowStaysOnTopHint);
    box.close();
  });
  ask(Buttons::Ok);
  ui.setTopMost("FORM3", false);
  EXPECT_FALSE(backend.widget("FORM3")->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(ui.isVisible("FORM3"));
  backend.modals().queueAnswer([this](QDialog& box) {
    EXPECT_EQ(box.parentWidget(), backend.widget("MAINFORM"));
    box.close();
  });
  ask(Buttons::Ok);
}

class QtInputBox : public QtDialogs {
 protected:
  SjisString askLimit() {
    return ui.inputBox(sjis("レコード数の最大域は？"), sjis("最大レコード数より大きく設定"), "500");
  }
  void answer(std::function<void(InputDialog&)> act) {
    backend.modals().queueAnswer([act](QDialog& dialog) { act(dynamic_cast<InputDialog&>(dialog)); });
  }
};

TEST_F(QtInputBox, ShowsTitlePromptAndInitialText) {
  answer([](InputDialog& box) {
    EXPECT_EQ(box.windowTitle(), QStringLiteral("レコード数の最大域は？"));
    EXPECT_EQ(box.text(), QStringLiteral("500"));
    EXPECT_EQ(box.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(box.cancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    box.okButton()->click();
  });
  EXPECT_EQ(askLimit(), "500");
}

TEST_F(QtInputBox, TypingStopsAt64Bytes) {
  answer([](InputDialog& box) {
    box.edit()->selectAll();
    QTest::keyClicks(box.edit(), QString(70, QLatin1Char('7')));
    QTest::keyClick(box.edit(), Qt::Key_Return);
  });
  EXPECT_EQ(askLimit(), std::string(64, '7'));
  answer([](InputDialog& box) {
    box.edit()->selectAll();
    box.edit()->insert(QString(40, QChar(u'字')));
    box.okButton()->click();
  });
  std::string thirtyTwo;
  for (int i = 0; i < 32; ++i) thirtyTwo += "字";
  EXPECT_EQ(askLimit(), sjis(thirtyTwo));
}

TEST_F(QtInputBox, CancelEscapeAndCloseGiveTheEscMarker) {
  answer([](InputDialog& box) { box.cancelButton()->click(); });
  EXPECT_EQ(askLimit(), kEscMarker);
  answer([](InputDialog& box) { QTest::keyClick(box.edit(), Qt::Key_Escape); });
  EXPECT_EQ(askLimit(), kEscMarker);
  answer([](InputDialog& box) { box.close(); });
  EXPECT_EQ(askLimit(), kEscMarker);
}

class QtFileDialogs : public QtDialogs {
 protected:
  QtFileDialogs() {
    folder.write("a.csv", "x");
    folder.write("B.TXT", "x");
    folder.write("c.dat", "x");
    QDir(QString::fromStdString(folder.path())).mkdir(QStringLiteral("sub"));
  }
  SjisString internal(const std::string& name) { return *drives.fromNative(folder / name); }
  SjisString folderPath() { return *drives.fromNative(folder.path()) + "\\"; }
  void answer(std::function<void(FileDialog&)> act) {
    backend.modals().queueAnswer([act](QDialog& dialog) { act(dynamic_cast<FileDialog&>(dialog)); });
  }
  static void choose(FileDialog& dialog, const QString& name) {
    dialog.nameField()->setText(name);
    dialog.accept();
  }
  // The names the dialog lists in its folder, once the file model has read it.
  static QStringList listed(FileDialog& dialog, qsizetype expected) {
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int tries = 0; tries < 500 && names.size() < expected; ++tries) {
      QTest::qWait(2);
      names.clear();
      for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    }
    names.sort();
    return names;
  }

  const SjisString filter = sjis("ﾃｷｽﾄ形式(*.TXT,*.CSV)");
  TempFolder folder;
};

TEST_F(QtFileDialogs, OpenDialogListsMatchesOfTheFilterWhateverTheirCase) {
  answer([this](FileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("データファイルの読み込み"));
    EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("ﾃｷｽﾄ形式(*.TXT,*.CSV)")});
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QString::fromStdString(folder.path()));
    EXPECT_EQ(listed(dialog, 3), (QStringList{"B.TXT", "a.csv", "sub"}));
    choose(dialog, QStringLiteral("a.csv"));
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter), internal("a.csv"));
}

// In the detail view every size, type and date is shown whole, and the name
// column keeps the rest of the view: no column reaches past its right edge.
// The widths are set again for each folder read, whatever they were.
TEST_F(QtFileDialogs, DetailColumnsShowTheirTextsWholeWithinTheView) {
  QDir(QString::fromStdString(folder.path())).mkdir(QStringLiteral("more"));
  folder.write("more/report.csv", "x");
  answer([this](FileDialog& dialog) {
    dialog.setViewMode(QFileDialog::Detail);
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(details, nullptr);
    for (int column = 1; column < details->header()->count(); ++column) details->setColumnWidth(column, 4);
    dialog.setDirectory(QString::fromStdString(folder / "more"));
    const auto fitted = [details] {
      const QAbstractItemView* view = details;  // the width the texts need is public there
      if (view->model()->rowCount(view->rootIndex()) == 0) return false;
      int total = details->columnWidth(0);
      for (int column = 1; column < details->header()->count(); ++column) {
        if (details->columnWidth(column) < view->sizeHintForColumn(column)) return false;
        total += details->columnWidth(column);
      }
      return total <= details->viewport()->width();
    };
    EXPECT_TRUE(QTest::qWaitFor(fitted, 2000));
    EXPECT_GE(details->columnWidth(0), details->viewport()->width() / 3);
    dialog.reject();
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter), kEscMarker);
}

TEST_F(QtFileDialogs, TypedPatternFiltersAndIsNeverTheResult) {
  answer([this](FileDialog& dialog) {
    choose(dialog, QStringLiteral("*.DAT"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(listed(dialog, 2), (QStringList{"c.dat", "sub"}));
    choose(dialog, QStringLiteral("c.dat"));
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter), internal("c.dat"));
}

TEST_F(QtFileDialogs, ChoosingAnotherFilterEntryListsItsMatches) {
  answer([this](FileDialog& dialog) {
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->itemText(1), QStringLiteral("CSV形式(*.csv)"));
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);
    EXPECT_EQ(listed(dialog, 2), (QStringList{"a.csv", "sub"}));
    choose(dialog, QStringLiteral("a.csv"));
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), sjis("ﾃｷｽﾄ形式(*.TXT);CSV形式(*.csv)")),
            internal("a.csv"));
}

TEST_F(QtFileDialogs, OpenDialogRefusesAFileThatDoesNotExist) {
  answer([this](FileDialog& dialog) {
    press(kAnswerOk);  // the "not found" message
    choose(dialog, QStringLiteral("missing.csv"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(backend.modals().hasQueuedAnswers());
    dialog.reject();
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter), kEscMarker);
}

TEST_F(QtFileDialogs, SaveDialogShowsThePatternNameAndAsksBeforeOverwriting) {
  answer([this](FileDialog& dialog) {
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("*.TXT"));
    press(kAnswerNo);
    choose(dialog, QStringLiteral("B.TXT"));
    EXPECT_TRUE(dialog.isVisible());
    press(kAnswerYes);
    choose(dialog, QStringLiteral("B.TXT"));
  });
  EXPECT_EQ(ui.saveFileDialog(sjis("ＣＳＶファイルの書き込み"), folderPath() + "*.TXT", filter), internal("B.TXT"));
}

// −(U+2212) on disk is the file that －(U+FF0D) names: the question comes.
TEST_F(QtFileDialogs, SaveDialogAsksBeforeAFileNamedInAnotherForm) {
  folder.write("前−回.TXT", "x");
  answer([this](FileDialog& dialog) {
    press(kAnswerNo);
    choose(dialog, QStringLiteral("前－回.TXT"));
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
  });
  EXPECT_EQ(ui.saveFileDialog(sjis("データファイルの書き込み"), folderPath() + "HEADLY.TXT", filter), kEscMarker);
  EXPECT_EQ(folder.read("前−回.TXT"), "x");
}

TEST_F(QtFileDialogs, SaveDialogTakesANewNameWithoutAsking) {
  answer([](FileDialog& dialog) { choose(dialog, QStringLiteral("HEADLY.TXT")); });
  EXPECT_EQ(ui.saveFileDialog(sjis("データファイルの書き込み"), folderPath() + "HEADLY.TXT", filter),
            internal("HEADLY.TXT"));
}

TEST_F(QtFileDialogs, ChoosingAFolderEntersIt) {
  folder.write("sub/d.csv", "x");
  answer([this](FileDialog& dialog) {
    choose(dialog, QStringLiteral("sub"));
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QString::fromStdString(folder / "sub"));
    choose(dialog, QStringLiteral("d.csv"));
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter), internal("sub/d.csv"));
}

TEST_F(QtFileDialogs, FileNamedAtTheStartIsProposedInTheFirstOpenDialogOnly) {
  backend.proposeOpenFile(folder / "sub/../a.csv");
  answer([this](FileDialog& dialog) {
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QString::fromStdString(folder.path()));
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("a.csv"));
    dialog.accept();  // the user confirms it
  });
  const SjisString home = *drives.fromNative(QDir::homePath().toStdString()) + "\\";
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), home, filter), internal("a.csv"));
  answer([](FileDialog& dialog) {
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QDir::homePath());
    EXPECT_EQ(dialog.nameField()->text(), QString());
    dialog.reject();
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), home, filter), kEscMarker);
}

TEST_F(QtFileDialogs, FileUrlAndMissingFolderAtTheStart) {
  backend.proposeOpenFile("file://" + (folder / "c.dat"));
  answer([this](FileDialog& dialog) {
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QString::fromStdString(folder.path()));
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("c.dat"));
    dialog.reject();
  });
  ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter);
  backend.proposeOpenFile(folder / "gone/x.csv");
  answer([this](FileDialog& dialog) {
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QString::fromStdString(folder.path()));
    EXPECT_EQ(dialog.nameField()->text(), QString());
    dialog.reject();
  });
  ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter);
}

TEST_F(QtFileDialogs, FileDroppedOnTheDialogIsProposed) {
  folder.write("sub/d.csv", "x");
  answer([this](FileDialog& dialog) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder / "sub/d.csv"))});
    data.setText(QStringLiteral("not the name"));
    // Dropped on the name field, which would otherwise take the text.
    QWidget* target = dialog.nameField();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QString::fromStdString(folder / "sub"));
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("d.csv"));
    EXPECT_TRUE(dialog.isVisible());  // the user still confirms
    dialog.accept();
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter), internal("sub/d.csv"));
}

TEST_F(QtFileDialogs, DragWithoutAFileIsRefused) {
  answer([](FileDialog& dialog) {
    QMimeData data;
    data.setText(QStringLiteral("text"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dialog.nameField(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    dialog.reject();
  });
  ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter);
}

TEST_F(QtFileDialogs, SideBarListsTheUsersFoldersThatExist) {
  const QString home = QDir::homePath();
  answer([&home](FileDialog& dialog) {
    const QList<QUrl> side = dialog.sidebarUrls();
    ASSERT_FALSE(side.isEmpty());
    EXPECT_EQ(side.front(), QUrl::fromLocalFile(home));
    for (const QUrl& url : side) EXPECT_TRUE(QFileInfo(url.toLocalFile()).isDir()) << url.toString().toStdString();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(side.contains(QUrl::fromLocalFile(documents)), QFileInfo(documents).isDir());
    dialog.reject();
  });
  ui.saveFileDialog(sjis("データファイルの書き込み"), folderPath() + "HEADLY.TXT", filter);
}

TEST_F(QtFileDialogs, CancelGivesTheEscMarker) {
  answer([](FileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(ui.saveFileDialog(sjis("データファイルの書き込み"), folderPath() + "HEADLY.TXT", filter), kEscMarker);
}

TEST_F(QtFileDialogs, SaveDialogOffersUtf8AfterTheProgramsEntry) {
  const SjisString text = sjis("ﾃｷｽﾄ形式(*.TXT)"), utf8 = sjis("UTF-8テキスト(*.TXT)");
  answer([](FileDialog& dialog) {
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"ﾃｷｽﾄ形式(*.TXT)", "UTF-8テキスト(*.TXT)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("ﾃｷｽﾄ形式(*.TXT)"));
    choose(dialog, QStringLiteral("HEADLY.TXT"));
  });
  EXPECT_EQ(ui.saveFileDialog(sjis("データファイルの書き込み"), folderPath() + "HEADLY.TXT", text, utf8),
            internal("HEADLY.TXT"));
  EXPECT_EQ(ui.chosenFilter(), 0);

  answer([](FileDialog& dialog) {
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);
    choose(dialog, QStringLiteral("OUT.TXT"));
  });
  EXPECT_EQ(ui.saveFileDialog(sjis("データファイルの書き込み"), folderPath() + "HEADLY.TXT", text, utf8),
            internal("OUT.TXT"));
  EXPECT_EQ(ui.chosenFilter(), 1);
}

TEST_F(QtFileDialogs, PdfEntryGivesItsExtensionToANameWithout) {
  const SjisString text = sjis("ﾃｷｽﾄ形式(*.TXT)"), offered = sjis("UTF-8テキスト(*.TXT);PDF文書(*.PDF)");
  for (const char* typed : {"REPORT", "REPORT.pdf"}) {
    answer([typed](FileDialog& dialog) {
      EXPECT_EQ(dialog.nameFilters().size(), 3);
      auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      ASSERT_NE(types, nullptr);
      types->setFocus();
      QTest::keyClick(types, Qt::Key_Down);
      QTest::keyClick(types, Qt::Key_Down);
      choose(dialog, QString::fromUtf8(typed));
    });
    EXPECT_EQ(ui.saveFileDialog(sjis("データファイルの書き込み"), folderPath() + "HEADLY.TXT", text, offered),
              internal(std::string(typed) == "REPORT" ? "REPORT.PDF" : typed));
    EXPECT_EQ(ui.chosenFilter(), 2);
  }
}

TEST_F(QtFileDialogs, FoldersInTheOtherFormsOfShiftJisCharactersOpen) {
  QDir(QString::fromStdString(folder.path())).mkdir(QStringLiteral("4月〜6月"));
  QDir(QString::fromStdString(folder.path())).mkdir(QStringLiteral("😀"));
  folder.write("4月〜6月/d.csv", "x");
  folder.write("😀/e.csv", "x");
  answer([](FileDialog& dialog) {
    choose(dialog, QStringLiteral("4月〜6月"));
    choose(dialog, QStringLiteral("d.csv"));
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter), internal("4月〜6月/d.csv"));
  EXPECT_EQ(toUtf8(internal("4月〜6月/d.csv")).substr(toUtf8(folderPath()).size()), "4月～6月\\d.csv");

  // The folder that has no Shift-JIS form is named, not the file.
  answer([this](FileDialog& dialog) {
    backend.modals().queueAnswer([](QDialog& box) {
      bool named = false;
      for (QLabel* label : box.findChildren<QLabel*>()) named = named || label->text().startsWith(QStringLiteral("😀\n"));
      EXPECT_TRUE(named);
      dynamic_cast<MessageDialog&>(box).button(kAnswerOk)->click();
    });
    choose(dialog, QStringLiteral("😀"));
    choose(dialog, QStringLiteral("e.csv"));
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), folderPath(), filter), kEscMarker);
}

// The program is started in a folder it cannot name: the windows are made
// there, and the first file dialog says where it starts instead.
struct InFolderWithoutAProgramName {
  InFolderWithoutAProgramName() : saved(std::filesystem::current_path()) {
    std::filesystem::create_directory(folder / "café");
    std::filesystem::current_path(folder / "café");
  }
  ~InFolderWithoutAProgramName() { std::filesystem::current_path(saved); }
  TempFolder folder;
  std::filesystem::path saved;
};

class QtUnnamedStart : public InFolderWithoutAProgramName, public QtDialogs {};

TEST_F(QtUnnamedStart, TheFirstFileDialogSaysWhereItStartsInstead) {
  backend.modals().queueAnswer([this](QDialog& dialog) {
    auto* box = dynamic_cast<MessageDialog*>(&dialog);
    if (!box) {
      ADD_FAILURE() << "the file dialog came without a word";
      dialog.reject();
      return;
    }
    bool named = false;
    for (QLabel* label : box->findChildren<QLabel*>())
      named = named || label->text().contains(QString::fromStdString(folder / "café"));
    EXPECT_TRUE(named);
    box->button(kAnswerOk)->click();
  });
  backend.modals().queueAnswer([](QDialog& dialog) { dialog.reject(); });
  const SjisString filter = sjis("ﾃｷｽﾄ形式(*.TXT,*.CSV)");
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), drives.currentFolder() + "\\", filter), kEscMarker);
  // Said once: the next dialog opens at once.
  backend.modals().queueAnswer([](QDialog& dialog) {
    EXPECT_NE(dynamic_cast<FileDialog*>(&dialog), nullptr);
    dialog.reject();
  });
  EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), drives.currentFolder() + "\\", filter), kEscMarker);
}

}  // namespace
}  // namespace headly::test
