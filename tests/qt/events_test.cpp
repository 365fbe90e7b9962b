// Events of the real widgets: a user's click reaches its handler through the
// wait, the program's own changes raise nothing, and nothing thrown while Qt
// dispatches passes through Qt.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "qt/qt_fixture.h"
#include "qt/recording_sink.h"
#include "text/encoding.h"

namespace headly::test {
namespace {

using QtEvents = QtWindows;

TEST_F(QtEvents, ButtonClickedDuringTheWaitArrivesAsItsCode) {
  ui.setVisible("FORM4", true);
  QTimer::singleShot(0, [this] { QTest::mouseClick(find<QPushButton>("BUTTON9"), Qt::LeftButton); });
  EXPECT_EQ(ui.waitForEvent(), 9);
}

TEST_F(QtEvents, ActionsAtEachWaitDriveAWholeDialog) {
  ui.setVisible("FORM3", true);
  std::vector<std::string> presses{"BUTTON2", "BUTTON6"};
  backend.onWait([&] {
    if (presses.empty()) return;
    QTest::mouseClick(find<QPushButton>(presses.front()), Qt::LeftButton);
    presses.erase(presses.begin());
  });
  EXPECT_EQ(ui.waitForEvent(), 2);
  EXPECT_EQ(ui.waitForEvent(), 6);
  EXPECT_TRUE(presses.empty());
}

TEST_F(QtEvents, ClickBeforeTheWaitIsHandledByTheNextWait) {
  ui.setVisible("FORM2", true);
  QTest::mouseClick(find<QPushButton>("BUTTON13"), Qt::LeftButton);
  EXPECT_EQ(ui.eventCode, 0);
  EXPECT_EQ(ui.waitForEvent(), 13);
}

TEST_F(QtEvents, TestButtonOfForm4ShowsTheSetButton) {
  ui.setVisible("FORM4", true);
  ui.setVisible("BUTTON9", false);
  QTest::mouseClick(find<QPushButton>("BUTTON7"), Qt::LeftButton);
  EXPECT_EQ(ui.waitForEvent(), 7);
  EXPECT_TRUE(ui.isVisible("BUTTON9"));
}

TEST_F(QtEvents, ClicksOnAFormPutAwayAreDropped) {
  ui.setVisible("FORM4", true);
  QTest::mouseClick(find<QPushButton>("BUTTON9"), Qt::LeftButton);
  QTest::mouseClick(find<QPushButton>("BUTTON9"), Qt::LeftButton);
  EXPECT_EQ(ui.waitForEvent(), 9);
  ui.setVisible("FORM4", false);
  ui.setVisible("FORM4", true);
  QTimer::singleShot(0, [this] { QTest::mouseClick(find<QPushButton>("BUTTON8"), Qt::LeftButton); });
  EXPECT_EQ(ui.waitForEvent(), 8);
}

TEST_F(QtEvents, CheckBoxClicksKeepTheirDependantsConsistent) {
  ui.setVisible("FORM3", true);
  EXPECT_FALSE(ui.isEnabled("CHECK5"));
  QTest::mouseClick(find<QCheckBox>("CHECK3"), Qt::LeftButton);
  ui.pumpUntilEvent();
  EXPECT_EQ(ui.getCheck("CHECK3"), 1);
  EXPECT_TRUE(ui.isEnabled("CHECK5"));
  QTest::mouseClick(find<QCheckBox>("CHECK5"), Qt::LeftButton);
  QTest::mouseClick(find<QCheckBox>("CHECK1"), Qt::LeftButton);
  ui.pumpUntilEvent();
  EXPECT_EQ(ui.getCheck("CHECK1"), 0);
  EXPECT_EQ(ui.getCheck("CHECK3"), 0);
  EXPECT_EQ(ui.getCheck("CHECK5"), 0);
  EXPECT_FALSE(ui.isEnabled("CHECK3"));
  EXPECT_FALSE(ui.isEnabled("CHECK5"));
}

TEST_F(QtEvents, ClosingMainWindowEndsTheNextWait) {
  backend.widget("MAINFORM")->close();
  EXPECT_TRUE(ui.mainWindowIsClosed());
  EXPECT_THROW(ui.waitForEvent(), MainWindowClosed);
}

TEST_F(QtEvents, FormsIgnoreTheWindowManagersClose) {
  for (const char* form : {"FORM2", "FORM3", "FORM4", "FORM5"}) {
    ui.setVisible(form, true);
    EXPECT_FALSE(backend.widget(form)->close()) << form;
    EXPECT_TRUE(ui.isVisible(form)) << form;
    EXPECT_FALSE(backend.widget(form)->windowFlags() & Qt::WindowCloseButtonHint) << form;
  }
  EXPECT_FALSE(ui.mainWindowIsClosed());
}

// The backend alone, with a sink that records what arrives.
class QtEventSource : public ::testing::Test {
 protected:
  QtEventSource() {
    testApplication();
    backend.createWindows(sink);
  }
  template <typename W>
  W* find(const std::string& name) {
    return dynamic_cast<W*>(backend.widget(name));
  }
  void show(const std::string& form) {
    backend.setVisible(form, true);
    QApplication::processEvents();
  }

  std::unique_ptr<FileSystem> fs = makePosixFileSystem();
  Drives drives{*fs};
  QtBackend backend{drives};
  RecordingSink sink;
};

TEST_F(QtEventSource, ProgramChangesRaiseNoEvents) {
  show("FORM3");
  show("FORM5");
  backend.setCheck("CHECK1", 0);
  backend.setCheck("CHECK2", 2);
  backend.setCheck("RADIO1", 1);
  backend.listAdd("LIST1", "a");
  backend.listAdd("LIST1", "b");
  backend.setListIndex("LIST1", 1);
  backend.listClear("LIST1");
  backend.listAdd("LIST4", "[x]");
  backend.setListIndex("LIST4", 0);
  backend.listAdd("COMBO1", "[-c-]");
  backend.listAdd("COMBO1", "[-d-]");
  backend.setListIndex("COMBO1", 1);
  backend.setText("COMBO1", "[-c-]");
  backend.setText("EDIT7", "HEADLY");
  backend.setText("EDIT4", "12");
  backend.processEvents(true);
  EXPECT_TRUE(sink.events.empty());
  EXPECT_EQ(backend.listIndex("COMBO1"), 0);
  EXPECT_EQ(backend.getCheck("CHECK2"), 2);
}

TEST_F(QtEventSource, UserActionsRaiseTheirEvents) {
  show("FORM3");
  show("FORM5");
  QTest::mouseClick(find<QCheckBox>("CHECK2"), Qt::LeftButton);
  QTest::keyClicks(find<QLineEdit>("EDIT7"), "ab");
  backend.listAdd("COMBO1", "[-c-]");
  backend.listAdd("COMBO1", "[-d-]");
  backend.setListIndex("COMBO1", 0);
  QTest::keyClick(find<QComboBox>("COMBO1"), Qt::Key_Down);
  backend.listAdd("LIST1", "a");
  backend.listAdd("LIST1", "b");
  QListWidget* list = find<QListWidget>("LIST1");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
  QTest::mouseClick(find<QPushButton>("BUTTON14"), Qt::LeftButton);
  EXPECT_EQ(sink.events, (std::vector<std::string>{"CHECK2_ON", "EDIT7_CHANGE", "EDIT7_CHANGE", "COMBO1_CHANGE",
                                                   "LIST1_CLICK", "BUTTON14_ON"}));
  EXPECT_EQ(backend.listIndex("COMBO1"), 1);
  EXPECT_EQ(backend.getText("COMBO1"), "[-d-]");
  EXPECT_TRUE(backend.listSelected("LIST1", 1));
  EXPECT_FALSE(backend.listSelected("LIST1", 0));
}

TEST_F(QtEventSource, ClickTogglesRowsOfMultipleSelectionLists) {
  show("FORM3");
  for (const char* row : {"a", "b", "c"}) backend.listAdd("LIST2", row);
  QListWidget* list = find<QListWidget>("LIST2");
  const auto click = [list](int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
  };
  click(0);
  click(2);
  click(0);
  EXPECT_FALSE(backend.listSelected("LIST2", 0));
  EXPECT_FALSE(backend.listSelected("LIST2", 1));
  EXPECT_TRUE(backend.listSelected("LIST2", 2));
  EXPECT_EQ(sink.events.size(), 3u);
}

TEST_F(QtEventSource, ClickBelowTheLastFolderLeavesNoneSelected) {
  show("FORM5");
  backend.listAdd("LIST4", "[..]");
  backend.listAdd("LIST4", "[data]");
  QListWidget* list = find<QListWidget>("LIST4");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
  EXPECT_EQ(backend.listIndex("LIST4"), 1);
  EXPECT_EQ(backend.getText("LIST4"), "[data]");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 3));
  EXPECT_EQ(backend.listIndex("LIST4"), -1);
  EXPECT_EQ(sink.events, (std::vector<std::string>{"LIST4_CLICK", "LIST4_CLICK"}));
}

// What a window system delivers for a double click: the second press is
// followed by the double click, then the release.
TEST_F(QtEventSource, DoubleClickIsOneClickAndADoubleClick) {
  show("FORM5");
  backend.listAdd("LIST4", "[data]");
  QListWidget* list = find<QListWidget>("LIST4");
  const QPointF row = list->visualItemRect(list->item(0)).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, row, list->viewport()->mapToGlobal(row), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
  }
  EXPECT_EQ(sink.events, (std::vector<std::string>{"LIST4_CLICK", "LIST4_DBLCLICK"}));
}

// A sink that fails: what it throws must come out of processEvents, after Qt
// has finished dispatching, and never out of Qt's own event handling.
class FailingSink : public RecordingSink {
 public:
  void controlEvent(ControlEvent) override { throw std::runtime_error("queue full"); }
};

TEST(QtEventFailure, ErrorInADeliveryComesOutOfProcessEvents) {
  testApplication();
  auto fs = makePosixFileSystem();
  Drives drives(*fs);
  QtBackend backend(drives);
  FailingSink sink;
  backend.createWindows(sink);
  backend.setVisible("FORM2", true);
  QTest::mouseClick(dynamic_cast<QPushButton*>(backend.widget("BUTTON1")), Qt::LeftButton);
  EXPECT_THROW(backend.processEvents(true), std::runtime_error);
  EXPECT_NO_THROW(backend.processEvents(true));
}

}  // namespace
}  // namespace headly::test
