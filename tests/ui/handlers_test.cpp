// Start-up and the form handlers, driven through the script driver.
#include <gtest/gtest.h>

#include <map>

#include "support/recording_backend.h"
#include "text/encoding.h"
#include "ui/script_fixture.h"
#include "ui/startup.h"

namespace headly {
namespace {

using test::ScriptedUi;

TEST(StartUp, OnlyTheMainWindowIsShownAndCheck5IsDisabled) {
  ScriptedUi s("");
  EXPECT_TRUE(s.ui.isVisible("MAINFORM"));
  for (const char* form : {"FORM2", "FORM3", "FORM4", "FORM5"}) EXPECT_FALSE(s.ui.isVisible(form)) << form;
  EXPECT_FALSE(s.ui.isEnabled("CHECK5"));
  EXPECT_TRUE(s.ui.isEnabled("CHECK3"));
  EXPECT_EQ(s.ui.getCheck("CHECK1"), 1);
  EXPECT_EQ(s.ui.getCheck("CHECK2"), 1);
  EXPECT_EQ(s.ui.getCheck("CHECK3"), 0);
  EXPECT_EQ(s.ui.getCheck("CHECK5"), 0);
  EXPECT_EQ(s.ui.getCheck("RADIO2"), 1);
  EXPECT_EQ(s.ui.getText("EDIT5"), "1");
  EXPECT_EQ(s.ui.getText("FORM3"), sjis("項目の分類"));
}

class FontRecorder : public test::RecordingBackend {
 public:
  void setFontSize(const std::string& name, float points) override { sizes[name] = points; }
  void setFontName(const std::string& name, const SjisString& face) override { faces[name] = toUtf8(face); }
  std::map<std::string, float> sizes;
  std::map<std::string, std::string> faces;
};

TEST(StartUp, SetsTheStartUpFonts) {
  FontRecorder windows;
  Ui ui(windows);
  ui.createWindows();
  startUp(ui);
  EXPECT_EQ(windows.sizes.at("MAINFORM"), 18);
  EXPECT_EQ(windows.sizes.at("FORM2"), 12);
  EXPECT_EQ(windows.sizes.at("FORM3"), 12);
  EXPECT_EQ(windows.sizes.at("FORM4"), 14);
  EXPECT_FALSE(windows.sizes.count("FORM5"));
  EXPECT_EQ(windows.sizes.at("LIST1"), 14);
  EXPECT_EQ(windows.sizes.at("TEXT4"), 20);
  EXPECT_EQ(windows.sizes.at("TEXT5"), 17);
  EXPECT_EQ(windows.sizes.at("BUTTON2"), 20);
  EXPECT_EQ(windows.sizes.at("EDIT7"), 16);
  EXPECT_EQ(windows.sizes.at("GROUP1"), 14);
  const std::map<std::string, std::string> gothic = {{"EDIT7", "ＭＳ ゴシック"},
                                                     {"TEXT13", "ＭＳ ゴシック"},
                                                     {"TEXT14", "ＭＳ ゴシック"},
                                                     {"LIST4", "ＭＳ ゴシック"},
                                                     {"COMBO1", "ＭＳ ゴシック"}};
  EXPECT_EQ(windows.faces, gothic);
}

TEST(Handlers, EveryPushButtonStoresItsNumber) {
  for (int n = 1; n <= 15; ++n) {
    if (n == 14) continue;  // the folder dialog's own handler
    const std::string button = "BUTTON" + std::to_string(n);
    ScriptedUi s("press " + button + "\n");
    const FormSpec* form = nullptr;
    findControl(button, &form);
    s.ui.setVisible(form->name, true);
    EXPECT_EQ(s.ui.waitForEvent(), n) << button;
  }
}

TEST(Handlers, TestButtonOfForm4ShowsTheAcceptButton) {
  ScriptedUi s("press BUTTON7\n");
  s.ui.setVisible("FORM4", true);
  s.ui.setVisible("BUTTON9", false);
  EXPECT_EQ(s.ui.waitForEvent(), 7);
  EXPECT_TRUE(s.ui.isVisible("BUTTON9"));
}

TEST(Handlers, FolderModeNeedsHeadingsAndNumberingNeedsFolders) {
  ScriptedUi s(
      "check CHECK3\nshow CHECK5\ncheck CHECK5\nshow CHECK5\n"
      "check CHECK1\nshow CHECK3\nshow CHECK5\n"
      "check CHECK1\nshow CHECK3\nshow CHECK5\npress BUTTON6\n");
  s.ui.setVisible("FORM3", true);
  s.out.str("");
  EXPECT_EQ(s.ui.waitForEvent(), 6);
  EXPECT_EQ(s.lines(), (std::vector<std::string>{
                           "show CHECK5 | unchecked | enabled",
                           "show CHECK5 | checked | enabled",
                           "show CHECK3 | unchecked | disabled",
                           "show CHECK5 | unchecked | disabled",
                           "show CHECK3 | unchecked | enabled",
                           "show CHECK5 | unchecked | disabled",
                       }));
}

TEST(Handlers, UncheckingFolderModeSwitchesNumberingOff) {
  ScriptedUi s("check CHECK3\ncheck CHECK5\ncheck CHECK3\npress BUTTON6\n");
  s.ui.setVisible("FORM3", true);
  s.ui.waitForEvent();
  EXPECT_EQ(s.ui.getCheck("CHECK5"), 0);
  EXPECT_FALSE(s.ui.isEnabled("CHECK5"));
  EXPECT_EQ(s.ui.getCheck("CHECK1"), 1);
}

TEST(Handlers, CsvAndNumberingBoxesOnlyChangeTheirOwnState) {
  ScriptedUi s("check CHECK2\ncheck CHECK3\ncheck CHECK5\ncheck CHECK5\npress BUTTON6\n");
  s.ui.setVisible("FORM3", true);
  EXPECT_EQ(s.ui.waitForEvent(), 6);
  EXPECT_EQ(s.ui.getCheck("CHECK2"), 0);
  EXPECT_EQ(s.ui.getCheck("CHECK5"), 0);
  EXPECT_EQ(s.ui.getCheck("CHECK3"), 1);
  EXPECT_EQ(s.ui.getCheck("CHECK1"), 1);
}

TEST(Handlers, StopNotificationShowsItsMessageAtTheNextWait) {
  ScriptedUi s("stop 中断 \"処理を 中断します\"\nanswer OK\npress BUTTON6\n");
  s.ui.setVisible("FORM3", true);
  s.out.str("");
  EXPECT_EQ(s.ui.waitForEvent(), 6);
  EXPECT_EQ(s.lines(), (std::vector<std::string>{"message 中断 | 処理を 中断します | OK | Exclamation -> OK"}));
}

}  // namespace
}  // namespace headly
