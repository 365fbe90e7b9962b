#include "main/record_option.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace headly {

RecordOption takeRecordOption(int& argc, char** argv) {
  RecordOption option;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    int taken = 0;
    if (arg == "--record") {
      if (i + 1 == argc) {
        option.fault = "headly: --record には記録するファイルを指定します (--record needs a FILE)";
        return option;
      }
      option.path = argv[i + 1];
      taken = 2;
    } else if (arg.starts_with("--record=")) {
      option.path = arg.substr(std::strlen("--record="));
      taken = 1;
    } else {
      continue;
    }
    for (int j = i; j + taken <= argc; ++j) argv[j] = argv[j + taken];  // argv[argc] is the null pointer
    argc -= taken;
    break;
  }
  if (option.path.empty()) return option;
  option.file = std::make_unique<std::ofstream>(option.path, std::ios::binary | std::ios::trunc);
  if (!*option.file)
    option.fault = "headly: " + option.path + ": 記録するファイルを書けません (cannot write: " +
                   std::strerror(errno) + ")";
  return option;
}

}  // namespace headly
