// The user interface as the layers below the stages see it: a display for
// the progress of long work and the drawing of the preview.
#pragma once

#include "output/drawing.h"
#include "session/work_progress.h"
#include "ui/toolkit.h"

namespace headly {

class UiProgress final : public ProgressDisplay {
 public:
  explicit UiProgress(Ui& ui) : ui_(ui) {}
  void keepAlive() override { ui_.pollMessages(); }
  void show(const SjisString& text, int64_t done, int64_t total) override { ui_.showProgress(text, done, total); }

 private:
  Ui& ui_;
};

class UiDrawing final : public Drawing {
 public:
  explicit UiDrawing(Ui& ui) : ui_(ui) {}
  void clear() override { ui_.clearWindow(); }
  void text(int x, int y, const SjisString& text, int magX, int magY, int colour) override {
    ui_.drawText(x, y, text, magX, magY, colour);
  }
  void box(int x1, int y1, int x2, int y2, int colour) override { ui_.drawBox(x1, y1, x2, y2, colour); }

 private:
  Ui& ui_;
};

}  // namespace headly
