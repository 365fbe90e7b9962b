// A window system without windows for unit tests: it keeps the texts, check
// states and visibility that the program sets, and records every drawing
// call so that a test can look at the picture as a list of calls.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/backend.h"

namespace headly::test {

struct DrawCall {
  enum Kind { Clear, Text, Box } kind;
  int x = 0, y = 0, x2 = 0, y2 = 0;
  int magX = 0, magY = 0;
  int colour = 0;
  SjisString text;
};

class RecordingBackend : public Backend {
 public:
  std::vector<DrawCall> draws;
  std::map<std::string, SjisString> texts;
  std::map<std::string, int> checks;
  std::map<std::string, bool> visible;
  std::map<std::string, int> imeModes;

  void createWindows(EventSink&) override {}
  int messageBox(const SjisString&, const SjisString&, Buttons, Icon) override { return kAnswerOk; }
  SjisString inputBox(const SjisString&, const SjisString&, const SjisString&) override { return kEscMarker; }
  SjisString fileDialog(const FileDialogRequest&) override { return kEscMarker; }

  void setVisible(const std::string& name, bool v) override { visible[name] = v; }
  bool isVisible(const std::string& name) override { return visible[name]; }
  void setEnabled(const std::string&, bool) override {}
  bool isEnabled(const std::string&) override { return true; }
  void setTopMost(const std::string&, bool) override {}
  SjisString getText(const std::string& name) override { return texts[name]; }
  void setText(const std::string& name, const SjisString& text) override { texts[name] = text; }
  int getCheck(const std::string& name) override { return checks[name]; }
  void setCheck(const std::string& name, int state) override { checks[name] = state; }
  int listCount(const std::string&) override { return 0; }
  bool listSelected(const std::string&, int) override { return false; }
  int listIndex(const std::string&) override { return -1; }
  void setListIndex(const std::string&, int) override {}
  SjisString listItem(const std::string&, int) override { return {}; }
  void listAdd(const std::string&, const SjisString&) override {}
  void listClear(const std::string&) override {}
  void setImeMode(const std::string& name, int mode) override { imeModes[name] = mode; }
  void setFontSize(const std::string&, float) override {}
  void setFontName(const std::string&, const SjisString&) override {}

  void clearWindow() override { draws.push_back({DrawCall::Clear, 0, 0, 0, 0, 0, 0, 0, {}}); }
  void drawText(int x, int y, const SjisString& text, int magX, int magY, int colour) override {
    draws.push_back({DrawCall::Text, x, y, 0, 0, magX, magY, colour, text});
  }
  void drawBox(int x1, int y1, int x2, int y2, int colour) override {
    draws.push_back({DrawCall::Box, x1, y1, x2, y2, 0, 0, colour, {}});
  }

  void processEvents(bool) override {}
  void showProgress(const SjisString&, int64_t, int64_t) override {}
  void showErrorReport(const std::vector<SjisString>&) override {}
  void end() override {}
};

}  // namespace headly::test
