// The start of the program with windows, before the main sequence: the
// window system, and the application's name, version, desktop entry and
// window icon.
#pragma once

#include <memory>
#include <string>

class QApplication;
class QIcon;

namespace headly {

// The QApplication, with the program's name, version, desktop entry and
// window icon set. When no window system can be reached (no display in the
// environment, or a platform plugin that cannot start, where Qt would abort)
// the program ends instead with status 1, after a message in Japanese and
// English on standard error that names headly-batch.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

// The folder of all the program keeps between runs: $XDG_CONFIG_HOME/headly
// (~/.config/headly by default). It holds headly.conf, the folders of the
// last data files (see RecentFolders), and, sent there by startApplication,
// QtProject.conf, where Qt's file dialog keeps its own state (its view, the
// widths of its columns, the folders it visited).
std::string settingsFolder();

// The program's icon, built into it.
QIcon windowIcon();

}  // namespace headly
