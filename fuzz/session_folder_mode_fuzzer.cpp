// A whole headless run in folder mode on an arbitrary data file: items 0 and
// 1 become numbered heading levels and item 2 the other item, wrapping at 4
// bytes a line; the folder dialog makes the base folder HEADLY beside the
// data file and the heading folders and files go below it, unless a heading
// name cannot be made.
#include <filesystem>
#include <string>

#include "fuzz_check.h"
#include "session_run.h"

namespace {

const std::string kScript = R"(cwd @DIR@
file data.csv
input 500
select LIST1 0 1
press BUTTON2
select LIST1 0
press BUTTON4
check CHECK2
check CHECK3
check CHECK5
press BUTTON6
answer OK
type EDIT5 4
press BUTTON9
answer Yes
answer Yes
press BUTTON14
)";

void checkOutput(const headly::fuzz::SessionRun& run) {
  using headly::fuzz::check;
  namespace fs = std::filesystem;
  for (const fs::directory_entry& e : fs::directory_iterator(run.folder)) {
    const std::string name = e.path().filename().string();
    check(name == "data.csv" || (name.rfind("HEADLY", 0) == 0 && e.is_directory()),
          "beside the data there is only the base folder");
  }
  // A heading name that cannot be made is reported before any heading
  // folder is: the base folder stays empty.
  if (run.transcript.find("message 処理エラー | 見出し「") != std::string::npos)
    check(fs::is_empty(run.folder + "/HEADLY"), "a refused heading name leaves the base folder empty");
  if (run.exitCode != 0) return;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(run.folder + "/HEADLY")) {
    if (e.is_directory()) continue;
    check(e.is_regular_file() && e.path().extension() == ".TXT", "heading files are regular .TXT files");
    check(headly::fuzz::endsWithEndMark(e.path().string()), "every heading file ends with 0x1A");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  headly::fuzz::runSession(data, size, kScript, checkOutput);
  return 0;
}
