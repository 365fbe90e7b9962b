// A whole headless run in file mode on an arbitrary data file: item 0 becomes
// the heading item and items 1 and 2 the other items, the records are also
// written as a CSV file, the data goes to full width, the body items wrap at
// 4 bytes a line with delimiters around the last one, and the layout is
// written to HEADLY.TXT.
#include <filesystem>
#include <set>
#include <string>

#include "fuzz_check.h"
#include "session_run.h"

namespace {

const std::string kScript = R"(cwd @DIR@
file data.csv
input 500
select LIST1 0
press BUTTON2
select LIST1 0 1
press BUTTON4
press BUTTON6
file SALES.TXT
answer Yes
press BUTTON9
answer Yes
type EDIT5 4
press BUTTON9
answer Yes
type EDIT6 4
type EDIT2 [
type EDIT3 ]
press BUTTON11
press BUTTON1
answer Yes
answer Yes
file HEADLY.TXT
)";

void checkOutput(const headly::fuzz::SessionRun& run) {
  using headly::fuzz::check;
  namespace fs = std::filesystem;
  const std::set<std::string> known = {"data.csv", "SALES.TXT", "HEADLY.TXT"};
  for (const fs::directory_entry& e : fs::directory_iterator(run.folder))
    check(known.count(e.path().filename().string()) == 1, "no file is left besides the data and the outputs");
  if (run.exitCode != 0) return;
  check(headly::fuzz::endsWithEndMark(run.folder + "/SALES.TXT"), "a complete CSV file ends with 0x1A");
  check(headly::fuzz::endsWithEndMark(run.folder + "/HEADLY.TXT"), "a complete layout file ends with 0x1A");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  headly::fuzz::runSession(data, size, kScript, checkOutput);
  return 0;
}
