// The start of the program with windows, before the main sequence: the
// command line's --version and --help, the window system, and the
// application's name, version, desktop entry and window icon.
#pragma once

#include <memory>
#include <optional>

class QApplication;
class QIcon;

namespace headly {

// The answer to --version or --help, written to standard output (status 0);
// nothing when neither is given. Every other argument is Qt's (such as
// -platform NAME).
std::optional<int> answerInfoOption(int argc, char** argv);

// The QApplication, with the program's name, version, desktop entry and
// window icon set. When no window system can be reached (no display in the
// environment, or a platform plugin that cannot start, where Qt would abort)
// the program ends instead with status 1, after a message in Japanese and
// English on standard error that names headly-batch.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

// The program's icon, built into it.
QIcon windowIcon();

}  // namespace headly
