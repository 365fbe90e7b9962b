// headly-batch [--draw] SCRIPT: runs the program headless; the transcript
// goes to standard output.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "main/batch_run.h"

int main(int argc, char** argv) {
  bool draw = false;
  const char* scriptPath = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
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
    std::cerr << "usage: headly-batch [--draw] SCRIPT\n";
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
