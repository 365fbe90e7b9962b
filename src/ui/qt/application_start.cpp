#include "ui/qt/application_start.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "headly_identity.h"

// The icon's resource lives in this static library: it is brought in by name.
static void loadIconResource() { Q_INIT_RESOURCE(headly_icon); }

namespace headly {
namespace {

constexpr char kNoWindowSystem[] =
    "headly: 画面（ウィンドウシステム）に接続できないため、ウィンドウを開けません。\n"
    "        画面のない環境では、スクリプトで動かす headly-batch を使ってください（man headly-batch）。\n"
    "headly: cannot open a window: no display (window system) can be reached.\n"
    "        Without a display, run HEADLY from a script with headly-batch (see man headly-batch).\n";

// A display in the environment, or a platform chosen for Qt.
bool windowSystemNamed(int argc, char** argv) {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
  return false;
}

[[noreturn]] void reportNoWindowSystem() {
  std::fputs(kNoWindowSystem, stderr);
  std::_Exit(1);
}

QtMessageHandler qtMessages = nullptr;

// While the QApplication is made, Qt's fatal message (no platform plugin
// could start) gives way to the report; every other message goes on to Qt.
void startMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) reportNoWindowSystem();
  qtMessages(type, context, text);
}

}  // namespace

std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
  if (!windowSystemNamed(argc, argv)) reportNoWindowSystem();
  QApplication::setApplicationName(QStringLiteral("headly"));
  QApplication::setApplicationVersion(QStringLiteral(HEADLY_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral(HEADLY_APP_ID));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsFolder()));
  qtMessages = qInstallMessageHandler(startMessages);
  auto app = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(qtMessages);
  QApplication::setWindowIcon(windowIcon());
  return app;
}

std::string settingsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() + "/headly";
}

QIcon windowIcon() {
  loadIconResource();
  return QIcon(QStringLiteral(":/headly/icon-48.png"));
}

}  // namespace headly
