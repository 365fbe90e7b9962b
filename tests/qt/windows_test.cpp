// The windows as built from the catalogue: what is shown at start, captions
// in Japanese glyphs, list contents as the program put them (the sorted one
// without regard to case), names for screen readers, the drawing
// surface that keeps its picture, progress that leaves the caption alone,
// and the error report that waits for a key.
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "qt/qt_fixture.h"
#include "text/encoding.h"
#include "text/runtime_error.h"

namespace headly::test {
namespace {

using QtForms = QtWindows;

TEST_F(QtForms, OnlyTheMainWindowIsShownAtStart) {
  EXPECT_TRUE(ui.isVisible("MAINFORM"));
  EXPECT_EQ(backend.widget("MAINFORM")->windowTitle(), QStringLiteral("データ見出しツールＨＥＡＤＬＹ V４"));
  for (const char* form : {"FORM2", "FORM3", "FORM4", "FORM5"}) EXPECT_FALSE(ui.isVisible(form)) << form;
  EXPECT_EQ(ui.getText("FORM3"), sjis("項目の分類"));
  EXPECT_EQ(ui.getText("EDIT5"), "1");
  EXPECT_EQ(ui.getCheck("CHECK1"), 1);
  EXPECT_EQ(ui.getCheck("RADIO2"), 1);
  EXPECT_EQ(ui.getCheck("RADIO1"), 0);
}

TEST_F(QtForms, CaptionsAreDrawnWithJapaneseGlyphs) {
  for (const FormSpec& form : formCatalogue())
    for (const ControlSpec& control : form.controls) {
      const QString caption = QString::fromUtf8(control.caption);
      const QFontMetrics metrics(backend.widget(control.name)->font());
      for (QChar c : caption) EXPECT_TRUE(metrics.inFont(c)) << control.name << " lacks " << QString(c).toStdString();
    }
}

TEST_F(QtForms, CaptionsSetByTheProgramComeBackByteForByte) {
  const SjisString caption = sjis("項目「表示」の設定");  // 表 ends in the byte 0x5C
  ui.setText("FORM2", caption);
  EXPECT_EQ(ui.getText("FORM2"), caption);
  EXPECT_EQ(backend.widget("FORM2")->windowTitle(), QStringLiteral("項目「表示」の設定"));
  ui.setText("TEXT4", sjis("（偶数で）"));
  EXPECT_EQ(find<QLabel>("TEXT4")->text(), QStringLiteral("（偶数で）"));
  ui.setText("BUTTON1", sjis("決　定"));
  EXPECT_EQ(ui.getText("BUTTON1"), sjis("決　定"));
}

TEST_F(QtForms, ProgressLeavesTheCaptionAsTheProgramSetIt) {
  ui.showProgress(sjis("読み込み中 100"), 100, -1);
  EXPECT_TRUE(backend.widget("MAINFORM")->windowTitle().contains(QStringLiteral("読み込み中 100")));
  EXPECT_EQ(ui.getText("MAINFORM"), sjis("データ見出しツールＨＥＡＤＬＹ V４"));
  ui.showProgress("", 0, -1);
  EXPECT_EQ(backend.widget("MAINFORM")->windowTitle(), QStringLiteral("データ見出しツールＨＥＡＤＬＹ V４"));
}

TEST_F(QtForms, SortedListPlacesRowsWithoutRegardToCase) {
  for (const char* row : {"[lib32]", "[data]", "[..]", "[HEADLY]", "[出力]", "[lib]", "[Data]"})
    ui.listAdd("LIST4", sjis(row));
  ASSERT_EQ(ui.listCount("LIST4"), 7);
  const std::vector<std::string> expected{"[..]", "[Data]", "[data]", "[HEADLY]", "[lib]", "[lib32]", "[出力]"};
  auto* list = find<QListWidget>("LIST4");
  for (int row = 0; row < 7; ++row) {
    EXPECT_EQ(ui.listItem("LIST4", row), sjis(expected[size_t(row)])) << row;
    EXPECT_EQ(list->item(row)->text().toStdString(), expected[size_t(row)]) << row;
  }
  EXPECT_EQ(ui.listItem("LIST4", 7), "");
  ui.setListIndex("LIST4", 2);
  EXPECT_EQ(ui.listIndex("LIST4"), 2);
  ui.listClear("LIST4");
  EXPECT_EQ(ui.listCount("LIST4"), 0);
  EXPECT_EQ(ui.listIndex("LIST4"), -1);
}

TEST_F(QtForms, UnsortedListKeepsTheOrderRowsCameIn) {
  const SjisString soft = sjis("ソフト");  // ソ ends in the byte 0x5C
  ui.listAdd("LIST1", "b");
  ui.listAdd("LIST1", soft);
  ui.listAdd("LIST1", "a");
  EXPECT_EQ(ui.listItem("LIST1", 0), "b");
  EXPECT_EQ(ui.listItem("LIST1", 1), soft);
  EXPECT_EQ(ui.listItem("LIST1", 2), "a");
  // The caret of a multiple-selection list moves without selecting.
  ui.setListIndex("LIST1", 1);
  EXPECT_EQ(ui.listIndex("LIST1"), 1);
  EXPECT_FALSE(ui.listSelected("LIST1", 1));
}

TEST_F(QtForms, ControlsAreNamedForScreenReadersByTheirLabels) {
  for (const char* field : {"EDIT1", "EDIT2", "EDIT3", "EDIT4", "EDIT5", "EDIT6", "EDIT7", "LIST1", "LIST2", "LIST3",
                            "LIST4", "COMBO1"})
    EXPECT_FALSE(backend.widget(field)->accessibleName().isEmpty()) << field;
  EXPECT_EQ(backend.widget("EDIT1")->accessibleName(), QStringLiteral("前の項目との空白数"));
  EXPECT_EQ(backend.widget("LIST2")->accessibleName(), QStringLiteral("見出しになる項目"));
  EXPECT_EQ(backend.widget("RADIO2")->accessibleDescription(), QStringLiteral("前の項目と"));
  QStringList arrows;
  for (const char* button : {"BUTTON2", "BUTTON3", "BUTTON4", "BUTTON5"})
    arrows << backend.widget(button)->accessibleName();
  EXPECT_EQ(arrows, (QStringList{"見出しへ追加", "見出しから戻す", "見出し以外へ追加", "見出し以外から戻す"}));
  // Names and descriptions follow the labels as the stages change them.
  ui.setText("TEXT8", sjis("字空ける（前の段落数より大きく設定）"));
  ui.setText("TEXT9", sjis("最大文字数 12字"));
  EXPECT_EQ(backend.widget("EDIT4")->accessibleName(), QStringLiteral("字空ける（前の段落数より大きく設定）"));
  EXPECT_EQ(backend.widget("EDIT5")->accessibleDescription(), QStringLiteral("最大文字数 12字"));
}

TEST_F(QtForms, OptionButtonsAreSetOneByOneByTheProgram) {
  ui.setCheck("RADIO1", 1);
  ui.setCheck("RADIO2", 0);
  EXPECT_EQ(ui.getCheck("RADIO1"), 1);
  EXPECT_EQ(ui.getCheck("RADIO2"), 0);
  ui.setCheck("RADIO1", 0);
  EXPECT_EQ(ui.getCheck("RADIO1"), 0);
  EXPECT_EQ(ui.getCheck("RADIO2"), 0);
}

TEST_F(QtForms, IndeterminateCheckBoxTurnsCheckedOnAClick) {
  ui.setVisible("FORM3", true);
  ui.setCheck("CHECK2", 2);
  EXPECT_EQ(ui.getCheck("CHECK2"), 2);
  QTest::mouseClick(find<QCheckBox>("CHECK2"), Qt::LeftButton);
  EXPECT_EQ(ui.getCheck("CHECK2"), 1);
  QTest::mouseClick(find<QCheckBox>("CHECK2"), Qt::LeftButton);
  QTest::mouseClick(find<QCheckBox>("CHECK2"), Qt::LeftButton);
  EXPECT_EQ(ui.getCheck("CHECK2"), 1);
}

TEST_F(QtForms, DrawingKeepsFilledBoxesInThePaletteColours) {
  ui.drawBox(10, 10, 20, 20, 5);
  ui.drawBox(40, 12, 30, 14, 9);  // corners in any order
  const QImage picture = backend.drawing();
  EXPECT_EQ(picture.pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(picture.pixel(20, 20), qRgb(255, 0, 0));
  EXPECT_EQ(picture.pixel(21, 21), qRgb(0, 0, 0));
  EXPECT_EQ(picture.pixel(35, 13), qRgb(0, 255, 0));
  ui.clearWindow();
  EXPECT_EQ(backend.drawing().pixel(15, 15), qRgb(0, 0, 0));
}

TEST_F(QtForms, DrawnTextIsMagnifiedInItsColour) {
  const auto count = [](const QImage& picture, QRgb colour) {
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) n += picture.pixel(x, y) == colour;
    return n;
  };
  ui.drawText(0, 10, sjis("＜＜＜"), 1, 1, 7);
  const int single = count(backend.drawing(), qRgb(255, 0, 255));
  ui.clearWindow();
  ui.drawText(0, 10, sjis("＜＜＜"), 2, 2, 7);
  const int doubled = count(backend.drawing(), qRgb(255, 0, 255));
  EXPECT_GT(single, 0);
  EXPECT_GT(doubled, 3 * single);
  EXPECT_THROW(ui.drawText(0, 0, "x", 1, 1, 16), RuntimeError);
}

TEST_F(QtForms, ErrorReportWaitsForAKey) {
  ui.setVisible("FORM3", true);
  bool pressed = false;
  QTimer::singleShot(5, [&] {
    pressed = true;
    QTest::keyClick(backend.widget("MAINFORM"), Qt::Key_A);
  });
  ui.showErrorReport(55);
  EXPECT_TRUE(pressed);
  EXPECT_FALSE(ui.isVisible("FORM3"));
  const QImage picture = backend.drawing();
  int white = 0;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 20; ++y) white += picture.pixel(x, y) == qRgb(255, 255, 255);
  EXPECT_GT(white, 0);
}

TEST_F(QtForms, ErrorReportEndsWhenTheMainWindowCloses) {
  QTimer::singleShot(5, [this] { backend.widget("MAINFORM")->close(); });
  ui.showErrorReport(5);
  EXPECT_TRUE(ui.mainWindowIsClosed());
}

TEST_F(QtForms, EndReleasesEveryWindow) {
  QPointer<QWidget> form5 = backend.widget("FORM5");
  QPointer<QWidget> main = backend.widget("MAINFORM");
  ui.end();
  EXPECT_TRUE(form5.isNull());
  EXPECT_TRUE(main.isNull());
  EXPECT_EQ(backend.widget("FORM5"), nullptr);
}

}  // namespace
}  // namespace headly::test
