// headly-batch [--draw] SCRIPT: runs the program headless; the transcript
// goes to standard output. --version and --help answer on standard output.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "headly_identity.h"
#include "main/batch_run.h"

namespace {
constexpr char kUsage[] = "usage: headly-batch [--draw] SCRIPT\n";
constexpr char kHelp[] =
    "Runs HEADLY without a window: every dialog is answered by the next line of SCRIPT and\n"
    "the transcript goes to standard output (--draw adds the layout preview's drawing).\n"
    "The script language: headly-batch(1) and /usr/share/doc/headly/.\n";
}  // namespace

int main(int argc, char** argv) {
  bool draw = false;
  const char* scriptPath = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--version" || arg == "--help") {
      if (arg == "--version")
        std::cout << "headly-batch " HEADLY_VERSION "\n";
      else
        std::cout << kUsage << kHelp;
      return 0;
    }
    if (arg == "--draw" && !draw) {
      draw = true;
    } else if (!scriptPath && arg.rfind("--", 0) != 0) {
      scriptPath = argv[i];
    } else {
      scriptPath = nullptr;
      break;
    }
  }
  if (!scriptPath) {
    std::cerr << kUsage;
    return 2;
  }
  std::ifstream file(scriptPath, std::ios::binary);
  if (!file) {
    std::cerr << "headly-batch: cannot read " << scriptPath << '\n';
    return 2;
  }
  std::ostringstream script;
  script << file.rdbuf();
  const int status = headly::runBatch(script.str(), std::cout, draw);
  std::cout.flush();
  return status;
}
