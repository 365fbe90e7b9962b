// Not a check but a debug switch of the test suite: saves a picture of every
// window as the program shows it (MAINFORM with a layout preview and with the
// progress of long work, FORM2 to FORM5 with the texts their stages put in,
// FORM2's group box enlarged, the whole screen with FORM3 in front of the
// main window, and the dialogs), so that people can look at captions, fonts
// and placement; run with QT_SCALE_FACTOR=2 for the pictures at that scale.
// scripts/screenshots runs it on a virtual display with a window manager, and
// each picture is then taken from the screen with the window's frame and
// title bar; without a window manager a plain title bar is painted above it:
//   HEADLY_SCREENSHOT_DIR=out headly_qt_tests --gtest_also_run_disabled_tests
//       --gtest_filter='Screenshots.*'
#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTranslator>

#include "app/ui_adapters.h"
#include "output/layout_fixture.h"
#include "output/preview.h"
#include "qt/qt_fixture.h"
#include "text/encoding.h"
#include "ui/qt/japanese_font.h"

namespace headly::test {
namespace {

class Screenshots : public QtWindows {
 protected:
  // Qt's own texts of the file dialog in Japanese, as the program has them.
  Screenshots() {
    if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QApplication::installTranslator(&qtTexts);
  }
  ~Screenshots() override { QApplication::removeTranslator(&qtTexts); }

  // The window as the screen shows it, with the window manager's frame, once
  // the frame is there; otherwise its client area under a plain title bar.
  void save(QWidget& window, const QString& name) {
    const QImage picture = framed(window);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    EXPECT_TRUE(picture.save(path)) << path.toStdString();
  }

  static QImage framed(QWidget& window) {
    if (QGuiApplication::platformName() == QStringLiteral("xcb") && QTest::qWaitForWindowExposed(&window)) {
      // A window manager that draws no frame only costs the wait.
      (void)QTest::qWaitFor([&window] { return window.frameGeometry() != window.geometry(); }, 1000);
      QTest::qWait(200);  // the window manager draws its frame
      const QRect frame = window.frameGeometry();
      if (frame != window.geometry())
        return window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).toImage();
    }
    const QPixmap client = window.grab();
    constexpr int kTitle = 22;
    QImage picture(client.width(), client.height() + kTitle, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.fillRect(0, 0, picture.width(), kTitle, QColor(0, 0, 128));
    painter.setPen(Qt::white);
    painter.setFont(dialogFont());
    painter.drawText(QRect(6, 0, picture.width() - 12, kTitle), Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    painter.drawPixmap(0, kTitle, client);
    painter.end();
    return picture;
  }

  // A part of a form three times enlarged, pixel for pixel.
  void saveEnlarged(QWidget& form, const QRect& part, const QString& name) {
    const QImage picture = form.grab(part).toImage();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    EXPECT_TRUE(picture.scaled(picture.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(path)) << path.toStdString();
  }

  void saveForm(const std::string& form) {
    ui.setVisible(form, true);
    QApplication::processEvents();
    save(*backend.widget(form), QString::fromStdString(form));
    ui.setVisible(form, false);
  }

  // A layout of three heading items and two body items, drawn by the real
  // preview at the first body item.
  void drawSamplePreview() {
    LayoutState state;
    const char* names[] = {"支店", "担当", "日付", "商品", "数量"};
    state.lastItemIndex = 4;
    state.cells.reset(1, 5);
    for (int j = 0; j < 5; ++j) state.cells.set(0, j, sjis(names[j]));
    state.layout.resize(6);
    const float indents[] = {0, 2, 4, 0, 2};
    const float widths[] = {8, 8, 10, 20, 6};
    for (int j = 0; j < 5; ++j) {
      ItemLayout& item = state.layout[size_t(j)];
      item.indent = indents[j];
      item.charsPerLine = widths[j];
      item.fullLines = 1;
      item.remainder = j == 3 ? 4 : 0;
    }
    state.layout[3].startColumn = 6;
    state.layout[4].startColumn = 26;
    state.layout[4].joinPrevious = 0;
    state.firstBodyItem = 3;
    state.fullWidth = 1;
    state.lineWidth = 34;
    UiDrawing drawing(ui);
    drawPreview(drawing, state.records(), state.settings(), 4);
  }

  QTranslator qtTexts;
  QString folder = qEnvironmentVariable("HEADLY_SCREENSHOT_DIR", QStringLiteral("screenshots"));
};

TEST_F(Screenshots, DISABLED_SaveEveryWindow) {
  ASSERT_TRUE(QDir().mkpath(folder));

  drawSamplePreview();
  QApplication::processEvents();
  save(*backend.widget("MAINFORM"), QStringLiteral("MAINFORM"));
  ui.showProgress(sjis("レイアウトの書き込み中　20480 / 40960件"), 20480, 40960);
  save(*backend.widget("MAINFORM"), QStringLiteral("MAINFORM_progress"));
  ui.showProgress({}, 0, -1);

  ui.setText("FORM2", sjis("項目「数量」の設定（全角モード）"));
  ui.setText("TEXT4", sjis("（偶数で）"));
  ui.setText("TEXT11", sjis("最大文字数 12字"));
  ui.setText("EDIT1", "2");
  ui.setText("EDIT2", sjis("［"));
  ui.setText("EDIT3", sjis("］"));
  ui.setText("EDIT6", "12");
  ui.setVisible("FORM2", true);
  saveEnlarged(*backend.widget("FORM2"), QRect(0, 16, 300, 140), QStringLiteral("FORM2_group_box"));
  ui.setVisible("FORM2", false);
  saveForm("FORM2");

  for (const char* item : {"日付", "金額"}) ui.listAdd("LIST1", sjis(item));
  for (const char* item : {"支店", "担当"}) ui.listAdd("LIST2", sjis(item));
  for (const char* item : {"商品", "数量"}) ui.listAdd("LIST3", sjis(item));
  ui.setEnabled("CHECK5", false);
  saveForm("FORM3");
  ui.setVisible("FORM3", true);
  QTest::qWait(300);
  EXPECT_TRUE(backend.widget("FORM3")->screen()->grabWindow(0).save(QDir(folder).filePath("screen_FORM3.png")));
  ui.setVisible("FORM3", false);

  ui.setText("FORM4", sjis("項目「支店」の段落数の設定（全角モード）"));
  ui.setText("TEXT8", sjis("字空ける（前の段落数より大きく偶数で設定）"));
  ui.setText("TEXT9", sjis("最大文字数 8字"));
  ui.setText("EDIT4", "2");
  ui.setText("EDIT5", "8");
  saveForm("FORM4");

  ui.listAdd("COMBO1", "[-c-]");
  ui.listAdd("COMBO1", "[-d-]");
  ui.setListIndex("COMBO1", 0);
  for (const char* folderName : {"[..]", "[data]", "[出力]", "[HEADLY]"}) ui.listAdd("LIST4", sjis(folderName));
  ui.setText("TEXT13", sjis("C:\\home\\user\\"));
  ui.setText("EDIT7", "HEADLY");
  saveForm("FORM5");

  backend.modals().queueAnswer([this](QDialog& box) {
    save(box, QStringLiteral("message_box"));
    box.reject();
  });
  ui.messageBox(sjis("レイアウト最終確認画面"), sjis("「いいえ」で全てやり直せます"), Buttons::YesNo, Icon::Question);

  backend.modals().queueAnswer([this](QDialog& box) {
    save(box, QStringLiteral("notice_box"));
    box.reject();
  });
  ui.messageBox(sjis("データの全角化のお知らせメッセージ"), sjis("文字データを全て全角化します。"), Buttons::Ok,
                Icon::Information);

  backend.modals().queueAnswer([this](QDialog& box) {
    save(box, QStringLiteral("message_box_three_buttons"));
    box.reject();
  });
  ui.messageBox(sjis("全角化の指定"), sjis("文字データを全角化しますか？"), Buttons::YesNoCancel, Icon::Question);

  backend.modals().queueAnswer([this](QDialog& box) {
    save(box, QStringLiteral("message_box_code_point"));
    box.reject();
  });
  ui.messageBox(sjis("文字コードの変換"),
                sjis("Shift-JISにない文字 1 個を〓に置き換えました（最初：2行目 2項目「U+20BB7」）"), Buttons::Ok,
                Icon::Information);

  backend.modals().queueAnswer([this](QDialog& box) {
    save(box, QStringLiteral("input_box"));
    box.reject();
  });
  ui.inputBox(sjis("レコード数の最大域は？"), sjis("最大レコード数より大きく設定"), "500");

  backend.modals().queueAnswer([this](QDialog& box) {
    save(box, QStringLiteral("file_dialog"));
    box.reject();
  });
  ui.openFileDialog(sjis("データファイルの読み込み"), drives.currentFolder() + "\\", sjis("ﾃｷｽﾄ形式(*.TXT,*.CSV)"));
}

}  // namespace
}  // namespace headly::test
