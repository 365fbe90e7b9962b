#include "ui/qt/command_line.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringList>
#include <cstdio>

#include "headly_identity.h"

namespace headly {
namespace {

constexpr char kUsage[] =
    "usage: headly [--record SCRIPT] [FILE]\n"
    "       headly [-V | --version | -h | --help]\n"
    "HEADLY (データ見出しツール) turns a Shift-JIS CSV file into a stepped text layout;\n"
    "every choice is made in its windows.\n"
    "  FILE             the data file (a path or a file: URL), offered in the open dialog\n"
    "  --record SCRIPT  write what you do as a script to replay with headly-batch SCRIPT FILE\n"
    "  -V, --version    print the version and exit\n"
    "  -h, --help       print this text and exit\n"
    "Qt's own options (such as -platform NAME) are Qt's.\n"
    "Without a display, run a session from a script: headly-batch SCRIPT (see headly-batch(1)).\n";

// Qt's own options, as QGuiApplication, QApplication and the X11 platform
// read them: those that take a value, then the switches.
constexpr const char* kQtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                           "display", "geometry", "title", "icon", "name", "style",
                                           "stylesheet", "qmljsdebugger", "visual"};
constexpr const char* kQtSwitches[] = {"reverse", "widgetcount", "testability", "nograb", "dograb", "sync"};

void addQtOptions(QCommandLineParser& parser) {
  for (const char* name : kQtValueOptions) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : kQtSwitches) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

// The argument that named an option, as the user spelled it.
QString spelling(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments) {
    const QString bare = argument.section(QLatin1Char('='), 0, 0);
    if (bare == QLatin1Char('-') + name || bare == QStringLiteral("--") + name) return bare;
  }
  return name;
}

int refuse(const QString& fault) {
  std::fprintf(stderr,
               "headly: コマンドラインが正しくありません: %s\n"
               "        使い方は headly --help で表示します (usage: headly --help)\n",
               fault.toLocal8Bit().constData());
  return 2;
}

}  // namespace

CommandLine readCommandLine(int argc, char** argv) {
  QCommandLineParser parser;
  // -platform, as Qt spells its options, is one option, not eight letters.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("V"), QStringLiteral("version")});
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(QCommandLineOption(QStringLiteral("record"), QString(), QStringLiteral("SCRIPT")));
  addQtOptions(parser);

  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QFile::decodeName(argv[i]);
  CommandLine line;
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    line.exitStatus = refuse(unknown.isEmpty() ? parser.errorText()
                                               : QStringLiteral("不明なオプション (unknown option) ") +
                                                     spelling(arguments, unknown.first()));
  } else if (parser.isSet(version)) {
    std::fputs("headly " HEADLY_VERSION "\n", stdout);
    line.exitStatus = 0;
  } else if (parser.isSet(help)) {
    std::fputs(kUsage, stdout);
    line.exitStatus = 0;
  } else if (parser.positionalArguments().size() > 1) {
    line.exitStatus = refuse(QStringLiteral("開けるデータファイルは一つです (one FILE at most)"));
  } else if (!parser.positionalArguments().isEmpty()) {
    line.file = QFile::encodeName(parser.positionalArguments().first()).toStdString();
  }
  return line;
}

}  // namespace headly
