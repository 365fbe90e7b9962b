// Inputs that forgive and messages that say why: the record-limit box takes
// full-width digits as an input method types them, a refused file name names
// the character that has no Shift-JIS form, a character the program can
// only name by its code is shown beside the code, and a list row cut short
// shows its whole text as a tooltip.
#include <QDir>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "qt/qt_fixture.h"
#include "support/temp_folder.h"
#include "text/encoding.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/input_dialog.h"
#include "ui/qt/message_dialog.h"
#include "ui/qt/sjis_line_edit.h"

namespace headly::test {
namespace {

class QtForgiving : public QtWindows {
 protected:
  // The text of the next message box, which is then closed.
  void readMessage(QString& text) {
    backend.modals().queueAnswer([&text](QDialog& dialog) {
      const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
      for (const QLabel* label : labels) text += label->text();
      dialog.close();
    });
  }
};

TEST_F(QtForgiving, LimitBoxTakesFullWidthDigits) {
  backend.modals().queueAnswer([](QDialog& dialog) {
    auto& box = dynamic_cast<InputDialog&>(dialog);
    box.edit()->selectAll();
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("１０００"));
    QApplication::sendEvent(box.edit(), &typed);
    EXPECT_EQ(box.text(), QStringLiteral("1000"));
    QTest::keyClick(box.edit(), Qt::Key_Return);
  });
  EXPECT_EQ(ui.inputBox(sjis("レコード数の最大域は？"), sjis("最大レコード数より大きく設定"), "500"), "1000");
}

TEST_F(QtForgiving, RefusedFileNameNamesTheCharacter) {
  TempFolder folder;
  backend.modals().queueAnswer([](QDialog& dialog) {
    auto& files = dynamic_cast<FileDialog&>(dialog);
    files.nameField()->setText(QStringLiteral("𠮷田.TXT"));
    files.accept();
    EXPECT_TRUE(files.isVisible());
    files.reject();
  });
  QString shown;
  readMessage(shown);  // the refusal, opened by the file dialog
  ui.saveFileDialog(sjis("データファイルの書き込み"), *drives.fromNative(folder.path()) + "\\HEADLY.TXT",
                    sjis("ﾃｷｽﾄ形式(*.TXT)"));
  EXPECT_TRUE(shown.contains(QStringLiteral("ファイル名が正しくありません。"))) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QStringLiteral("「𠮷 U+20BB7」はShift-JISで表せない文字です。"))) << shown.toStdString();
}

// The program's texts name such a character "U+20BB7"; the window shows it.
TEST_F(QtForgiving, CharacterNamedByItsCodeIsShownBesideIt) {
  QString shown;
  readMessage(shown);
  ui.messageBox(sjis("文字コードの変換"), sjis("（最初：2行目 2項目「U+20BB7」）ほか U+0041"), Buttons::Ok,
                Icon::Information);
  // A code that names a Shift-JIS character is left as it is.
  EXPECT_EQ(shown, QStringLiteral("（最初：2行目 2項目「𠮷 U+20BB7」）ほか U+0041"));
}

TEST_F(QtForgiving, RowCutShortShowsItsWholeTextAsATooltip) {
  const std::string longName = "得意先別売上高前年同月比較（税抜・返品控除後）";
  ui.listAdd("LIST1", sjis(longName));
  ui.listAdd("LIST1", sjis("担当"));
  ui.setVisible("FORM3", true);
  auto* list = find<QListWidget>("LIST1");
  const auto tooltipAt = [list](int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tooltipAt(1), QString());
  EXPECT_EQ(tooltipAt(0), QString::fromStdString(longName));
}

}  // namespace
}  // namespace headly::test
