// The event-queue rules of the toolkit, with a backend whose "user" acts
// whenever window messages are processed, as real windows do.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "support/recording_backend.h"
#include "text/runtime_error.h"
#include "ui/toolkit.h"

namespace headly {
namespace {

class ActingWindows : public test::RecordingBackend {
 public:
  void createWindows(EventSink& sink) override { sink_ = &sink; }
  // The user's next action happens at the next message processing, blocking or not.
  void later(std::function<void(EventSink&)> action) { actions_.push_back(std::move(action)); }
  void press(const std::string& button) {
    later([button](EventSink& sink) { sink.controlEvent({button, "ON"}); });
  }
  void processEvents(bool block) override {
    ++processed;
    if (actions_.empty()) {
      if (block) throw std::logic_error("the program waits and the user has nothing left to do");
      return;
    }
    auto action = std::move(actions_.front());
    actions_.pop_front();
    action(*sink_);
  }
  int processed = 0;

 private:
  EventSink* sink_ = nullptr;
  std::deque<std::function<void(EventSink&)>> actions_;
};

class EventQueueTest : public ::testing::Test {
 protected:
  EventQueueTest() { ui.createWindows(); }
  void logPresses(const std::string& button, int code) {
    ui.setHandler(button + "_ON", [this, button, code] {
      log.push_back(button);
      ui.eventCode = int16_t(code);
    });
  }
  ActingWindows windows;
  Ui ui{windows};
  std::vector<std::string> log;
};

TEST_F(EventQueueTest, PollMessagesQueuesEventsThatRunOldestFirstAtTheNextWait) {
  logPresses("BUTTON2", 2);
  logPresses("BUTTON3", 3);
  windows.press("BUTTON3");
  windows.press("BUTTON2");
  ui.pollMessages();
  ui.pollMessages();
  EXPECT_TRUE(log.empty()) << "no handler may run outside a wait";
  EXPECT_EQ(ui.waitForEvent(), 3);
  EXPECT_EQ(ui.waitForEvent(), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"BUTTON3", "BUTTON2"}));
}

TEST_F(EventQueueTest, OneWaitRunsOneHandlerAndKeepsTheRestQueued) {
  logPresses("BUTTON2", 2);
  windows.press("BUTTON2");
  windows.press("BUTTON2");
  ui.pollMessages();
  ui.pollMessages();
  ui.waitForEvent();
  EXPECT_EQ(log.size(), 1u);
  const int processedBefore = windows.processed;
  ui.waitForEvent();
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(windows.processed, processedBefore) << "a queued event needs no new message";
}

TEST_F(EventQueueTest, SecondPressWhileItsHandlerRunsIsDeliveredAfterItReturns) {
  int depth = 0;
  ui.setHandler("BUTTON14_ON", [&] {
    ++depth;
    log.push_back("start " + std::to_string(depth));
    ui.eventCode = 14;
    windows.press("BUTTON14");  // a quick second click while the folder is made
    ui.pollMessages();
    log.push_back("return");
    --depth;
  });
  windows.press("BUTTON14");
  ui.waitForEvent();
  EXPECT_EQ(log, (std::vector<std::string>{"start 1", "return"}));
  ui.setHandler("BUTTON14_ON", [&] { log.push_back("second"); ui.eventCode = 14; });
  ui.waitForEvent();
  EXPECT_EQ(log.back(), "second");
}

TEST_F(EventQueueTest, NestedWaitInAHandlerRunsOtherHandlersButNeverItself) {
  logPresses("BUTTON15", 15);
  ui.setHandler("BUTTON14_ON", [&] {
    log.push_back("BUTTON14 start");
    windows.press("BUTTON14");
    windows.press("BUTTON15");
    ui.pumpUntilEvent();
    log.push_back("BUTTON14 return");
    ui.eventCode = 14;
  });
  windows.press("BUTTON14");
  EXPECT_EQ(ui.waitForEvent(), 14);
  EXPECT_EQ(log, (std::vector<std::string>{"BUTTON14 start", "BUTTON15", "BUTTON14 return"}));
  log.clear();
  ui.setHandler("BUTTON14_ON", [&] { log.push_back("BUTTON14 again"); ui.eventCode = 14; });
  EXPECT_EQ(ui.waitForEvent(), 14);
  EXPECT_EQ(log, (std::vector<std::string>{"BUTTON14 again"}));
}

TEST_F(EventQueueTest, HidingAFormDropsItsQueuedEventsOnly) {
  logPresses("BUTTON9", 9);
  logPresses("BUTTON2", 2);
  windows.press("BUTTON9");
  windows.press("BUTTON9");  // double click on 設定
  windows.press("BUTTON2");
  for (int i = 0; i < 3; ++i) ui.pollMessages();
  EXPECT_EQ(ui.waitForEvent(), 9);
  ui.setVisible("FORM4", false);
  EXPECT_EQ(ui.waitForEvent(), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"BUTTON9", "BUTTON2"}));
}

TEST_F(EventQueueTest, HidingAControlKeepsTheQueue) {
  logPresses("BUTTON9", 9);
  windows.press("BUTTON9");
  ui.pollMessages();
  ui.setVisible("BUTTON9", false);
  EXPECT_EQ(ui.waitForEvent(), 9);
}

TEST_F(EventQueueTest, EventsWithoutHandlerDoNothingAndTheWaitGoesOn) {
  logPresses("BUTTON6", 6);
  windows.press("CHECK2");
  windows.later([](EventSink& sink) { sink.controlEvent({"LIST1", "CLICK"}); });
  windows.press("BUTTON6");
  EXPECT_EQ(ui.waitForEvent(), 6);
  EXPECT_EQ(log, (std::vector<std::string>{"BUTTON6"}));
}

TEST_F(EventQueueTest, HandlerThatLeavesTheCodeAtZeroKeepsTheWaitGoing) {
  int checks = 0;
  ui.setHandler("CHECK1_ON", [&] { ++checks; });
  logPresses("BUTTON6", 6);
  windows.press("CHECK1");
  windows.press("CHECK1");
  windows.press("BUTTON6");
  EXPECT_EQ(ui.waitForEvent(), 6);
  EXPECT_EQ(checks, 2);
}

TEST_F(EventQueueTest, ErrorInAHandlerLeavesItIdle) {
  int calls = 0;
  ui.setHandler("BUTTON1_ON", [&] {
    if (++calls == 1) raise(55);
    ui.eventCode = 1;
  });
  windows.press("BUTTON1");
  EXPECT_THROW(ui.waitForEvent(), RuntimeError);
  windows.press("BUTTON1");
  EXPECT_EQ(ui.waitForEvent(), 1);
}

TEST_F(EventQueueTest, MainWindowCloseNoticedByPollingEndsTheNextWait) {
  logPresses("BUTTON6", 6);
  windows.press("BUTTON6");
  windows.later([](EventSink& sink) { sink.mainWindowClosed(); });
  ui.pollMessages();
  ui.pollMessages();  // the program goes on with its step
  EXPECT_TRUE(ui.mainWindowIsClosed());
  EXPECT_THROW(ui.waitForEvent(), MainWindowClosed);
  EXPECT_THROW(ui.messageBox("a", "b", Buttons::Ok, Icon::None), MainWindowClosed);
  EXPECT_THROW(ui.inputBox("a", "b", "c"), MainWindowClosed);
  EXPECT_TRUE(log.empty());
}

TEST_F(EventQueueTest, StopNotificationRunsStopSubWithItsTexts) {
  std::vector<std::string> seen;
  ui.setHandler("STOP_SUB", [&] { seen.push_back(ui.stopCaption() + "|" + ui.stopText()); });
  logPresses("BUTTON6", 6);
  windows.later([](EventSink& sink) { sink.stopNotification("cap", "text"); });
  windows.press("BUTTON6");
  EXPECT_EQ(ui.waitForEvent(), 6);
  EXPECT_EQ(seen, (std::vector<std::string>{"cap|text"}));
}

}  // namespace
}  // namespace headly
