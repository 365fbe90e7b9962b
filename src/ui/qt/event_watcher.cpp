#include "ui/qt/event_watcher.h"

namespace headly {

EventWatcher::EventWatcher(QObject* watched, Watch watch, QObject* owner) : QObject(owner), watch_(std::move(watch)) {
  watched->installEventFilter(this);
}

bool EventWatcher::eventFilter(QObject* target, QEvent* event) { return watch_(target, event); }

}  // namespace headly
