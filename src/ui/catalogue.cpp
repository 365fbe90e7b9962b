#include "ui/catalogue.h"

#include "text/runtime_error.h"

namespace headly {
namespace {

constexpr const char* kPGothic = "ＭＳ Ｐゴシック";
constexpr const char* kGothic = "ＭＳ ゴシック";
constexpr const char* kFixedSys = "FixedSys";

using enum ControlKind;

std::vector<FormSpec> buildCatalogue() {
  std::vector<FormSpec> forms;
  forms.push_back({"MAINFORM", "データ見出しツールＨＥＡＤＬＹ V４", {151, 145, 648, 459}, FrameStyle::Main,
                   {kFixedSys, 18}, 18, {}});

  forms.push_back({"FORM2", "FORM2", {329, 163, 436, 267}, FrameStyle::SizingNoMenu, {kFixedSys, 12}, 12, {
      {.name = "RADIO1", .kind = Radio, .caption = "接続", .geometry = {16, 56, 64, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .describedBy = "GROUP1"},
      {.name = "RADIO2", .kind = Radio, .caption = "接続しない", .geometry = {16, 40, 80, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .checked = true, .describedBy = "GROUP1"},
      {.name = "GROUP1", .kind = Group, .caption = "前の項目と", .geometry = {8, 24, 96, 64},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "EDIT1", .kind = Edit, .caption = "", .geometry = {120, 56, 32, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .maxBytes = 2, .digitsOnly = true,
       .labelledBy = "TEXT1", .describedBy = "TEXT4"},
      {.name = "TEXT1", .kind = Label, .caption = "前の項目との空白数", .geometry = {160, 64, 128, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "TEXT2", .kind = Label, .caption = "区切り記号［前］", .geometry = {24, 112, 96, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "TEXT3", .kind = Label, .caption = "区切り記号［後］", .geometry = {264, 112, 96, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "TEXT4", .kind = Label, .caption = "TEXT4", .geometry = {304, 64, 88, 24},
       .designFont = {kPGothic, 15}, .startFont = {kPGothic, 20}, .centred = true},
      {.name = "EDIT2", .kind = Edit, .caption = "", .geometry = {128, 104, 40, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .maxBytes = 4, .labelledBy = "TEXT2"},
      {.name = "EDIT3", .kind = Edit, .caption = "", .geometry = {208, 104, 40, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .maxBytes = 4, .labelledBy = "TEXT3"},
      {.name = "BUTTON1", .kind = Button, .caption = "設　定", .geometry = {240, 192, 136, 32},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "TEXT11", .kind = Label, .caption = "最大文字数", .geometry = {32, 144, 112, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "TEXT12", .kind = Label, .caption = "一行当りの文字数", .geometry = {32, 168, 128, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "EDIT6", .kind = Edit, .caption = "", .geometry = {176, 168, 40, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .maxBytes = 3, .digitsOnly = true,
       .scrollsHorizontally = true, .labelledBy = "TEXT12", .describedBy = "TEXT11"},
      {.name = "BUTTON11", .kind = Button, .caption = "テスト", .geometry = {256, 160, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "BUTTON12", .kind = Button, .caption = "戻る", .geometry = {136, 200, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "BUTTON13", .kind = Button, .caption = "キャンセル", .geometry = {24, 200, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
  }, "BUTTON1"});

  forms.push_back({"FORM3", "項目の分類", {365, 190, 481, 400}, FrameStyle::DialogNoMenu, {kFixedSys, 18}, 12, {
      {.name = "LIST1", .kind = List, .caption = "", .geometry = {16, 40, 168, 254},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .multiSelect = true, .labelledBy = "TEXT5"},
      {.name = "LIST2", .kind = List, .caption = "", .geometry = {296, 40, 160, 86},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .multiSelect = true, .labelledBy = "TEXT6"},
      {.name = "LIST3", .kind = List, .caption = "", .geometry = {296, 176, 160, 114},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .multiSelect = true, .labelledBy = "TEXT7"},
      {.name = "BUTTON2", .kind = Button, .caption = "→", .geometry = {200, 56, 80, 24},
       .designFont = {kPGothic, 15}, .startFont = {kPGothic, 20}, .spokenName = "見出しへ追加"},
      {.name = "BUTTON3", .kind = Button, .caption = "←", .geometry = {200, 88, 80, 24},
       .designFont = {kPGothic, 15}, .startFont = {kPGothic, 20}, .spokenName = "見出しから戻す"},
      {.name = "BUTTON4", .kind = Button, .caption = "→", .geometry = {200, 200, 80, 24},
       .designFont = {kPGothic, 15}, .startFont = {kPGothic, 20}, .spokenName = "見出し以外へ追加"},
      {.name = "BUTTON5", .kind = Button, .caption = "←", .geometry = {200, 232, 80, 24},
       .designFont = {kPGothic, 15}, .startFont = {kPGothic, 20}, .spokenName = "見出し以外から戻す"},
      {.name = "TEXT5", .kind = Label, .caption = "元のデータの項目", .geometry = {24, 16, 144, 24},
       .designFont = {kPGothic, 13}, .startFont = {kPGothic, 17}},
      {.name = "TEXT6", .kind = Label, .caption = "見出しになる項目", .geometry = {304, 16, 136, 24},
       .designFont = {kPGothic, 13}, .startFont = {kPGothic, 17}},
      {.name = "TEXT7", .kind = Label, .caption = "見出し以外の項目", .geometry = {304, 152, 144, 24},
       .designFont = {kPGothic, 13}, .startFont = {kPGothic, 17}},
      {.name = "BUTTON6", .kind = Button, .caption = "終了", .geometry = {200, 144, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "CHECK1", .kind = Check, .caption = "見出し化します", .geometry = {32, 296, 112, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .checked = true},
      {.name = "CHECK2", .kind = Check, .caption = "ＣＳＶ出力します", .geometry = {312, 320, 112, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .checked = true},
      {.name = "CHECK3", .kind = Check, .caption = "見出しのフォルダ化", .geometry = {32, 320, 144, 16},
       .designFont = {kPGothic, 11}, .startFont = {kPGothic, 14}},
      {.name = "CHECK5", .kind = Check, .caption = "見出しの先頭に番号を付けます", .geometry = {32, 344, 232, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
  }, "BUTTON6"});

  forms.push_back({"FORM4", "FORM4", {391, 265, 356, 187}, FrameStyle::SizingNoMenu, {kFixedSys, 18}, 14, {
      {.name = "EDIT4", .kind = Edit, .caption = "", .geometry = {16, 16, 40, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .maxBytes = 2, .digitsOnly = true,
       .labelledBy = "TEXT8"},
      {.name = "EDIT5", .kind = Edit, .caption = "1", .geometry = {152, 96, 40, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}, .maxBytes = 3, .digitsOnly = true,
       .scrollsHorizontally = true, .labelledBy = "TEXT10", .describedBy = "TEXT9"},
      {.name = "TEXT8", .kind = Label, .caption = "字空ける（前の段落数より大きく偶数で設定）",
       .geometry = {64, 24, 264, 16}, .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "TEXT9", .kind = Label, .caption = "最大文字数", .geometry = {24, 64, 128, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "TEXT10", .kind = Label, .caption = "一行当りの文字数", .geometry = {24, 96, 120, 16},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "BUTTON7", .kind = Button, .caption = "テスト", .geometry = {216, 88, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "BUTTON8", .kind = Button, .caption = "戻る", .geometry = {120, 128, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "BUTTON9", .kind = Button, .caption = "設定", .geometry = {216, 128, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "BUTTON10", .kind = Button, .caption = "キャンセル", .geometry = {16, 128, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
  }, "BUTTON9"});

  forms.push_back({"FORM5", "フォルダの作成", {305, 215, 440, 464}, FrameStyle::DialogNoMenu, {kFixedSys, 18}, 0, {
      {.name = "COMBO1", .kind = Combo, .caption = "", .geometry = {24, 16, 112, 248},
       .designFont = {kPGothic, 10}, .startFont = {kGothic, 14}, .spokenName = "ドライブ"},
      {.name = "LIST4", .kind = List, .caption = "", .geometry = {24, 64, 384, 268},
       .designFont = {kPGothic, 10}, .startFont = {kGothic, 14}, .sorted = true,
       .describedBy = "TEXT13", .spokenName = "フォルダ"},
      {.name = "TEXT13", .kind = Label, .caption = "TEXT13", .geometry = {32, 328, 376, 16},
       .designFont = {kPGothic, 10}, .startFont = {kGothic, 14}},
      {.name = "EDIT7", .kind = Edit, .caption = "", .geometry = {176, 352, 224, 24},
       .designFont = {kPGothic, 10}, .startFont = {kGothic, 16}, .maxBytes = 32767, .scrollsHorizontally = true,
       .labelledBy = "TEXT14"},
      {.name = "TEXT14", .kind = Label, .caption = "作成するフォルダ名", .geometry = {32, 360, 136, 24},
       .designFont = {kPGothic, 10}, .startFont = {kGothic, 14}},
      {.name = "BUTTON14", .kind = Button, .caption = "決定", .geometry = {176, 392, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "BUTTON15", .kind = Button, .caption = "キャンセル", .geometry = {320, 392, 80, 24},
       .designFont = {kPGothic, 10}, .startFont = {kPGothic, 14}},
      {.name = "CHECK4", .kind = Check, .caption = "フォルダ名の転用取得", .geometry = {224, 24, 184, 16},
       .designFont = {kPGothic, 11}, .startFont = {kPGothic, 14}},
  }});
  return forms;
}

}  // namespace

const std::vector<FormSpec>& formCatalogue() {
  static const std::vector<FormSpec> forms = buildCatalogue();
  return forms;
}

const FormSpec* findForm(std::string_view name) {
  for (const FormSpec& form : formCatalogue())
    if (name == form.name) return &form;
  return nullptr;
}

const ControlSpec* findControl(std::string_view name, const FormSpec** form) {
  for (const FormSpec& f : formCatalogue())
    for (const ControlSpec& control : f.controls)
      if (name == control.name) {
        if (form) *form = &f;
        return &control;
      }
  return nullptr;
}

unsigned paletteColour(int index) {
  static constexpr unsigned kPalette[16] = {
      0x000000, 0x808080, 0x000080, 0x0000FF, 0x800000, 0xFF0000, 0x800080, 0xFF00FF,
      0x008000, 0x00FF00, 0x008080, 0x00FFFF, 0x808000, 0xFFFF00, 0xC0C0C0, 0xFFFFFF,
  };
  if (index < 0 || index > 15) raise(err::kBadArgument);
  return kPalette[index];
}

}  // namespace headly
