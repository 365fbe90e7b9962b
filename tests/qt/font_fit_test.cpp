// Every caption and text of the five forms, filled as the stages fill them,
// and of the message boxes the program shows fits inside its control in the
// font it is drawn with: nothing is cut at the bottom or at the right, and
// the Japanese faces made with the metrics of the forms' faces (IPA P Gothic,
// IPA Gothic) are the ones drawn. It runs offscreen and, as the test
// "font_fit_on_x", on a virtual X display.
#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <cmath>

#include "qt/qt_fixture.h"
#include "text/encoding.h"
#include "ui/qt/message_dialog.h"

namespace headly::test {
namespace {

std::string utf8(const QString& text) { return text.toStdString(); }

// The rectangle a control draws its caption or text into, in its own
// coordinates, as its style lays it out.
QRect textRoom(QWidget* widget, ControlKind kind) {
  QStyle* style = widget->style();
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::Check:
    case ControlKind::Radio: {
      QStyleOptionButton option;
      option.initFrom(widget);
      option.text = static_cast<QAbstractButton*>(widget)->text();
      const QStyle::SubElement element = kind == ControlKind::Button  ? QStyle::SE_PushButtonContents
                                         : kind == ControlKind::Check ? QStyle::SE_CheckBoxContents
                                                                      : QStyle::SE_RadioButtonContents;
      return style->subElementRect(element, &option, widget);
    }
    case ControlKind::Group: {
      auto* group = static_cast<QGroupBox*>(widget);
      QStyleOptionGroupBox option;
      option.initFrom(widget);
      option.text = group->title();
      option.lineWidth = 1;
      option.textAlignment = group->alignment();
      option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
      return style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, widget);
    }
    case ControlKind::Edit: {
      // The line edit clips its text to its contents less its text margins.
      auto* edit = static_cast<QLineEdit*>(widget);
      QStyleOptionFrame option;
      option.initFrom(widget);
      option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, widget) : 0;
      return style->subElementRect(QStyle::SE_LineEditContents, &option, widget).marginsRemoved(edit->textMargins());
    }
    case ControlKind::List:
      return static_cast<QListWidget*>(widget)->viewport()->rect();
    case ControlKind::Combo: {
      QStyleOptionComboBox option;
      option.initFrom(widget);
      option.editable = false;
      return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, widget);
    }
    case ControlKind::Label:
      break;
  }
  return widget->contentsRect();
}

QString shownText(QWidget* widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::Check:
    case ControlKind::Radio:
      return static_cast<QAbstractButton*>(widget)->text();
    case ControlKind::Group:
      return static_cast<QGroupBox*>(widget)->title();
    case ControlKind::Edit:
      return static_cast<QLineEdit*>(widget)->text();
    case ControlKind::Label:
      return static_cast<QLabel*>(widget)->text();
    case ControlKind::List: {
      auto* list = static_cast<QListWidget*>(widget);
      return list->count() > 0 ? list->item(0)->text() : QStringLiteral("項目");
    }
    case ControlKind::Combo:
      return static_cast<QComboBox*>(widget)->currentText();
  }
  return {};
}

class FontFit : public QtWindows {
 protected:
  // The texts the stages put in, at their longest.
  void fillAsTheStages() {
    ui.setText("TEXT4", sjis("（偶数で）"));
    ui.setText("TEXT11", sjis("最大文字数 999字"));
    ui.setText("TEXT9", sjis("最大文字数 999字"));
    ui.setText("TEXT8", sjis("字空ける（前の段落数より大きく偶数で設定）"));
    for (const char* edit : {"EDIT1", "EDIT4"}) ui.setText(edit, "88");
    for (const char* edit : {"EDIT5", "EDIT6"}) ui.setText(edit, "888");
    for (const char* edit : {"EDIT2", "EDIT3"}) ui.setText(edit, sjis("【】"));
    ui.setText("EDIT7", "HEADLY");
    for (const char* item : {"支店", "担当"}) ui.listAdd("LIST1", sjis(item));
    ui.listAdd("LIST2", sjis("商品"));
    ui.listAdd("LIST3", sjis("数量"));
    ui.listAdd("COMBO1", "[-c-]");
    ui.setListIndex("COMBO1", 0);
    ui.listAdd("LIST4", "[..]");
    ui.setText("TEXT13", sjis("C:\\home\\user\\"));
  }

  void expectFits(const ControlSpec& control) {
    QWidget* widget = backend.widget(control.name);
    const QString text = shownText(widget, control.kind);
    if (text.isEmpty()) return;
    const QFontMetrics metrics(widget->font());
    const QRect room = textRoom(widget, control.kind);
    EXPECT_LE(metrics.height(), room.height()) << control.name << " cuts \"" << utf8(text) << "\" at the bottom";
    // A path and a row are as long as they come; captions must fit whole.
    if (control.kind != ControlKind::List && std::string_view(control.name) != "TEXT13") {
      EXPECT_LE(metrics.horizontalAdvance(text), room.width()) << control.name << " cuts \"" << utf8(text) << "\"";
    }
    EXPECT_TRUE(widget->rect().contains(room)) << control.name;
  }
};

TEST_F(FontFit, FormsAreDrawnInTheMetricCompatibleFaces) {
  for (const FormSpec& form : formCatalogue())
    for (const ControlSpec& control : form.controls) {
      const QString family = QFontInfo(backend.widget(control.name)->font()).family();
      const bool fixed = std::string_view(control.startFont.face) == "ＭＳ ゴシック";
      EXPECT_EQ(family, fixed ? QStringLiteral("IPAGothic") : QStringLiteral("IPAPGothic")) << control.name;
    }
}

TEST_F(FontFit, EveryCaptionAndTextFitsItsControl) {
  fillAsTheStages();
  ui.setEnabled("CHECK5", true);
  for (const FormSpec& form : formCatalogue()) {
    if (std::string_view(form.name) != "MAINFORM") ui.setVisible(form.name, true);
    for (const ControlSpec& control : form.controls) expectFits(control);
  }
}

// No caption is made smaller to fit: each is drawn at the size start-up
// gives its control, as its neighbours are.
TEST_F(FontFit, CaptionsKeepTheSizeStartUpGivesThem) {
  for (const FormSpec& form : formCatalogue())
    for (const ControlSpec& control : form.controls) {
      if (control.kind == ControlKind::Edit || control.kind == ControlKind::List || control.kind == ControlKind::Combo)
        continue;
      EXPECT_EQ(QFontInfo(backend.widget(control.name)->font()).pixelSize(), std::lround(control.startFont.size))
          << control.name;
    }
}

// FORM2's group box: its title stands on the frame's top line, clear of the
// radio buttons placed just below it, and both buttons lie inside the frame.
TEST_F(FontFit, GroupTitleStaysClearOfTheRadioButtonsInsideItsFrame) {
  ui.setVisible("FORM2", true);
  auto* group = find<QGroupBox>("GROUP1");
  QStyleOptionGroupBox option;
  option.initFrom(group);
  option.text = group->title();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  const auto onForm = [group](QRect r) { return r.translated(group->pos()); };
  const QRect title = onForm(group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group));
  const QRect frame = onForm(group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, group));
  EXPECT_GE(title.height(), QFontMetrics(group->font()).height());
  EXPECT_LT(frame.top(), title.bottom()) << "the title sits on the top line";
  for (const char* name : {"RADIO1", "RADIO2"}) {
    const QRect radio = backend.widget(name)->geometry();
    EXPECT_FALSE(title.intersects(radio)) << name;
    EXPECT_TRUE(frame.adjusted(1, 1, -1, -1).contains(radio)) << name;
  }
}

// Pixel rows of a picture's part with ink in them (darker than mid-grey).
int inkedRows(const QImage& picture, const QRect& part) {
  int rows = 0;
  for (int y = part.top(); y <= part.bottom(); ++y)
    for (int x = part.left(); x <= part.right(); ++x)
      if (qGray(picture.pixel(x, y)) < 128) {
        ++rows;
        break;
      }
  return rows;
}

// A list row shows its text whole: as many pixel rows carry ink as when the
// same text is drawn with room all around it. FORM5's folder rows begin with
// a bracket as tall as the font.
TEST_F(FontFit, ListRowsShowTheirTextWhole) {
  for (const char* row : {"[..]", "[data]"}) ui.listAdd("LIST4", row);
  ui.setVisible("FORM5", true);
  QListWidget* list = find<QListWidget>("LIST4");
  list->clearFocus();
  QApplication::processEvents();
  const QImage shown = list->viewport()->grab().toImage();
  const QFontMetrics metrics(list->font());
  for (int i = 0; i < list->count(); ++i) {
    const QString text = list->item(i)->text();
    QImage free(metrics.horizontalAdvance(text) + 8, 3 * metrics.height(), QImage::Format_RGB32);
    free.fill(Qt::white);
    QPainter painter(&free);
    painter.setFont(list->font());
    painter.setPen(Qt::black);
    painter.drawText(4, metrics.height() + metrics.ascent(), text);
    painter.end();
    EXPECT_EQ(inkedRows(shown, list->visualItemRect(list->item(i))), inkedRows(free, free.rect())) << utf8(text);
  }
}

// The message boxes of a run, with their longest texts.
struct Message {
  const char* caption;
  const char* text;
  Buttons buttons;
  Icon icon;
};
const Message kMessages[] = {
    {"処理エラー", "データファイルにデータがありません", Buttons::Ok, Icon::Stop},
    {"処理エラー", "レコード数が最大域を超えました", Buttons::Ok, Icon::Stop},
    {"データの警告", "項目数を超えるデータは無視します（2147483647行）", Buttons::Ok, Icon::Exclamation},
    {"強制終了", "見出しになる項目が無いので終了します。", Buttons::Ok, Icon::Stop},
    {"強制終了", "見出し以外の項目が無いので終了します。", Buttons::Ok, Icon::Stop},
    {"データの全角化のお知らせメッセージ", "文字データを全て全角化します。", Buttons::Ok, Icon::Information},
    {"全角化の指定", "文字データを全角化しますか？", Buttons::YesNoCancel, Icon::Question},
    {"確認してください", "項目「担当者の所属する営業所」の設定はこれでいいですか？", Buttons::YesNo, Icon::Question},
    {"レイアウト最終確認画面", "「いいえ」で全てやり直せます", Buttons::YesNo, Icon::Question},
    {"指定したフォルダは既に存在しています。", "作成フォルダーの末尾に数字を付けて作成しますか？", Buttons::YesNo,
     Icon::Exclamation},
    {"", "ドライブの準備ができていません", Buttons::Ok, Icon::Stop},
    {"処理エラー", "見出し「東京営業所」のフォルダ・ファイルのパスが260バイトを超えるため出力できません", Buttons::Ok,
     Icon::Stop},
};

TEST_F(FontFit, MessageBoxesShowTheirCaptionTextAndButtonsWhole) {
  for (const Message& m : kMessages) {
    backend.modals().queueAnswer([&m](QDialog& box) {
      const QString caption = QString::fromUtf8(m.caption);
      EXPECT_GE(box.width(), MessageDialog::captionWidth(caption)) << m.caption;
      for (const QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->contentsRect().width()) << m.text;
        EXPECT_LE(QFontMetrics(label->font()).height(), label->contentsRect().height()) << m.text;
      }
      for (QPushButton* button : box.findChildren<QPushButton*>()) {
        const QRect room = textRoom(button, ControlKind::Button);
        const QFontMetrics metrics(button->font());
        EXPECT_LE(metrics.horizontalAdvance(button->text().remove(QLatin1Char('&'))), room.width()) << m.caption;
        EXPECT_LE(metrics.height(), room.height()) << m.caption;
      }
      box.reject();
    });
    ui.messageBox(sjis(m.caption), sjis(m.text), m.buttons, m.icon);
  }
}

}  // namespace
}  // namespace headly::test
