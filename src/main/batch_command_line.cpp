#include "main/batch_command_line.h"

#include <getopt.h>

namespace headly {

BatchCommandLine parseBatchCommandLine(int argc, char** argv) {
  static const option kOptions[] = {
      {"draw", no_argument, nullptr, 'd'},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {nullptr, 0, nullptr, 0},
  };
  BatchCommandLine line;
  optind = 0;  // a fresh scan, also when called more than once in a process
  opterr = 0;
  // "+": the first word that is no option is the script; the rest is its own.
  for (int option; (option = getopt_long(argc, argv, "+hV", kOptions, nullptr)) != -1;) {
    switch (option) {
      case 'd':
        line.draw = true;
        break;
      case 'h':
        line.action = BatchCommandLine::Action::Help;
        return line;
      case 'V':
        line.action = BatchCommandLine::Action::Version;
        return line;
      default:
        line.fault = std::string("unknown option ") + argv[optind - 1];
        return line;
    }
  }
  if (optind == argc) {
    line.fault = "no script given";
    return line;
  }
  line.scriptPath = argv[optind];
  line.arguments.assign(argv + optind + 1, argv + argc);
  line.action = BatchCommandLine::Action::Run;
  return line;
}

const char* batchUsage() {
  return "usage: headly-batch [--draw] SCRIPT [ARG...]\n"
         "       headly-batch --help | --version\n";
}

const char* batchHelp() {
  return "usage: headly-batch [--draw] SCRIPT [ARG...]\n"
         "       headly-batch --help | --version\n"
         "Runs HEADLY without windows, answering its dialogs and acting on its forms as the\n"
         "script says, and writes the transcript to standard output.\n"
         "ウィンドウを開かずにスクリプトのとおりにＨＥＡＤＬＹを実行し、経過を標準出力に書きます。\n"
         "\n"
         "  SCRIPT         the script (UTF-8); - reads it from standard input\n"
         "  ARG...         the script's $1, $2... (for example the data file: file \"$1\")\n"
         "  --draw         also write every drawing on the main window to the transcript\n"
         "  -h, --help     show this help and exit\n"
         "  -V, --version  show the version and exit\n"
         "\n"
         "Exit status: 0 the run reached its end, 1 an error report ended it, 2 the script is\n"
         "malformed or does not fit what the program asks (misfit), or the command line or the\n"
         "script file is wrong. Misfit and error lines also go to standard error.\n"
         "The script language: headly-batch(1) and /usr/share/doc/headly/scripting.md\n"
         "(docs/scripting.md in the source).\n";
}

}  // namespace headly
