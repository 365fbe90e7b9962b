// An event sink that keeps what a backend delivers, for tests that look at
// the events themselves rather than at the handlers they run.
#pragma once

#include <string>
#include <vector>

#include "ui/backend.h"

namespace headly::test {

class RecordingSink : public EventSink {
 public:
  std::vector<std::string> events;  // "CHECK1_ON"
  bool closed = false;

  void controlEvent(ControlEvent event) override { events.push_back(event.handlerName()); }
  void mainWindowClosed() override { closed = true; }
  void stopNotification(SjisString, SjisString) override { events.push_back("STOP_SUB"); }
};

}  // namespace headly::test
