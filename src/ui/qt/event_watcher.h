// Watches the events of one object (an application-wide watch when given the
// application) and hands each to a function; the function returns true to
// swallow the event. The watch ends when the watcher is deleted, by its owner
// or, without one, by whoever made it.
#pragma once

#include <QObject>
#include <functional>

namespace headly {

class EventWatcher : public QObject {
 public:
  using Watch = std::function<bool(QObject* target, QEvent* event)>;
  EventWatcher(QObject* watched, Watch watch, QObject* owner = nullptr);

 protected:
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  Watch watch_;
};

}  // namespace headly
