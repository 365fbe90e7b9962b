// A window system without windows that plays the user's part in unit tests
// of stages with forms: lists and combo boxes keep their entries and
// selection, message boxes and file dialogs take their answers from queues
// and record what they were asked, and whenever the program waits the next
// queued user action happens, with the event a person's action raises.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/recording_backend.h"
#include "text/encoding.h"

namespace headly::test {

class ActingBackend : public RecordingBackend {
 public:
  std::deque<int> answers;                // message boxes, in order
  std::vector<std::string> messages;      // "CAPTION | TEXT" of each, UTF-8
  std::deque<SjisString> chosenFiles;     // file dialogs, in order
  std::vector<FileDialogRequest> fileRequests;
  std::map<std::string, std::vector<SjisString>> lists;
  std::map<std::string, int> selection;

  // User actions, performed one at each wait of the program.
  void press(const std::string& button) { act(button, "ON", [] {}); }
  void toggle(const std::string& box) {
    act(box, "ON", [this, box] { checks[box] = checks[box] == 1 ? 0 : 1; });
  }
  void type(const std::string& edit, const std::string& utf8) {
    meanwhile([this, edit, utf8] { texts[edit] = sjis(utf8); });
  }
  // Something that changes outside the program between two user actions.
  void meanwhile(std::function<void()> change) { actions_.push_back(std::move(change)); }
  // Selects the entry of that text (UTF-8); an entry that is not there is a
  // click below the last entry.
  void choose(const std::string& list, const std::string& utf8) {
    act(list, list.rfind("COMBO", 0) == 0 ? "CHANGE" : "CLICK", [this, list, utf8] {
      const std::vector<SjisString>& entries = lists[list];
      int index = -1;
      for (size_t i = 0; i < entries.size(); ++i)
        if (toUtf8(entries[i]) == utf8) index = int(i);
      selection[list] = index;
    });
  }
  // True while some queued action has not happened yet.
  bool actionsLeft() const { return !actions_.empty(); }

  // The texts of a list's entries as UTF-8.
  std::vector<std::string> entries(const std::string& list) {
    std::vector<std::string> out;
    for (const SjisString& e : lists[list]) out.push_back(toUtf8(e));
    return out;
  }

  void createWindows(EventSink& sink) override { sink_ = &sink; }
  int messageBox(const SjisString& caption, const SjisString& text, Buttons, Icon) override {
    messages.push_back(toUtf8(caption) + " | " + toUtf8(text));
    if (answers.empty()) throw std::logic_error("a message box without an answer: " + messages.back());
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  SjisString fileDialog(const FileDialogRequest& request) override {
    fileRequests.push_back(request);
    if (chosenFiles.empty()) throw std::logic_error("a file dialog without an answer");
    SjisString path = chosenFiles.front();
    chosenFiles.pop_front();
    return path;
  }
  int listCount(const std::string& name) override { return int(lists[name].size()); }
  int listIndex(const std::string& name) override {
    auto it = selection.find(name);
    return it == selection.end() ? -1 : it->second;
  }
  void setListIndex(const std::string& name, int index) override { selection[name] = index; }
  SjisString listItem(const std::string& name, int index) override {
    const std::vector<SjisString>& entries = lists[name];
    return index >= 0 && size_t(index) < entries.size() ? entries[size_t(index)] : SjisString();
  }
  void listAdd(const std::string& name, const SjisString& text) override { lists[name].push_back(text); }
  void listClear(const std::string& name) override {
    lists[name].clear();
    selection[name] = -1;
  }
  void processEvents(bool block) override {
    if (!block) return;
    if (actions_.empty()) throw std::logic_error("the program waits, but the test has no action left");
    std::function<void()> next = std::move(actions_.front());
    actions_.pop_front();
    next();
  }

 private:
  void act(const std::string& control, const std::string& event, std::function<void()> change) {
    actions_.push_back([this, control, event, change] {
      change();
      sink_->controlEvent({control, event});
    });
  }

  EventSink* sink_ = nullptr;
  std::deque<std::function<void()>> actions_;
};

}  // namespace headly::test
