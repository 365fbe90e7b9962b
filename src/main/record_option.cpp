#include "main/record_option.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "text/encoding.h"
#include "ui/backend.h"

namespace headly {
namespace {

void openRecordFile(RecordOption& option) {
  option.file = std::make_unique<std::ofstream>(option.path, std::ios::binary | std::ios::trunc);
  if (!*option.file)
    option.fault = "headly: " + option.path + ": 記録するファイルを書けません (cannot write: " +
                   std::strerror(errno) + ")";
}

}  // namespace

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
  std::error_code ignored;
  option.replaces = std::filesystem::is_regular_file(option.path, ignored);
  if (!option.replaces) openRecordFile(option);
  return option;
}

bool confirmRecordFile(RecordOption& option, Backend& windows) {
  if (option.file) return true;
  const int answer = windows.messageBox(
      sjis("操作の記録"),
      sjis("記録するファイル ") + toShiftJisReplacing(option.path, UnicodeForm::Utf8).text + sjis(" は既にあります。上書きしますか？"),
      Buttons::YesNo, Icon::Question);
  if (answer != kAnswerYes) return false;
  openRecordFile(option);
  return option.fault.empty();
}

}  // namespace headly
