// The time the windows take from the user's answer to the record-limit
// question to FORM3 on screen, for a data file: the real Qt program (as the
// Qt tests assemble it) with the open dialog and the record limit answered,
// timed from the press of OK to FORM3 shown and painted, when the program
// waits on it. Offscreen unless QT_QPA_PLATFORM names another platform (xcb
// under Xvfb). Usage: headly-bench-window FILE [REPEATS]; prints the fastest
// run's wall and CPU seconds.
#include <sys/resource.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "main/qt_program.h"
#include "text/encoding.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/input_dialog.h"

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Window {
  double wall = 0;
  double cpu = 0;
};

// One session: answers every dialog until FORM3 waits, then closes the main
// window, which ends the run. Empty when FORM3 never came.
std::optional<Window> timeOneRun(const QString& file) {
  headly::QtProgram program;
  headly::QtBackend& backend = program.backend();
  Clock::time_point answered;
  double cpuAtAnswer = 0;
  std::optional<Window> measured;
  std::function<void(QDialog&)> answer = [&](QDialog& dialog) {
    backend.modals().queueAnswer(answer);  // for the dialog after this one
    if (auto* files = dynamic_cast<headly::FileDialog*>(&dialog)) {
      files->propose(file);
      files->accept();
    } else if (auto* limit = dynamic_cast<headly::InputDialog*>(&dialog)) {
      limit->findChild<QLineEdit*>()->setText(QStringLiteral("99999999"));
      cpuAtAnswer = cpuSeconds();
      answered = Clock::now();
      limit->okButton()->click();
    } else {
      std::fprintf(stderr, "answered a dialog: %s\n", qPrintable(dialog.windowTitle()));
      const auto buttons = dialog.findChildren<QAbstractButton*>();
      if (buttons.isEmpty())
        dialog.reject();
      else
        buttons.front()->click();
    }
  };
  backend.modals().queueAnswer(answer);
  backend.onWait([&] {
    QWidget* form = backend.widget("FORM3");
    if (!form->isVisible() || measured) return;
    form->repaint();
    const std::chrono::duration<double> wall = Clock::now() - answered;
    measured = Window{wall.count(), cpuSeconds() - cpuAtAnswer};
    backend.widget("MAINFORM")->close();
  });
  program.run();
  return measured;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || (argc == 3 && std::atoi(argv[2]) < 1)) {
    std::fprintf(stderr, "usage: headly-bench-window FILE [REPEATS]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QString file = QString::fromLocal8Bit(std::filesystem::absolute(argv[1]).c_str());
  const int repeats = argc == 3 ? std::atoi(argv[2]) : 1;
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  headly::openConverters();
  std::optional<Window> fastest;
  for (int i = 0; i < repeats; ++i) {
    const std::optional<Window> run = timeOneRun(file);
    if (!run) {
      std::fprintf(stderr, "FORM3 was not reached\n");
      return 1;
    }
    if (!fastest || run->wall < fastest->wall) fastest = run;
  }
  std::printf("%.3f %.3f\n", fastest->wall, fastest->cpu);
  return 0;
}
