#include "session_run.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "fuzz_check.h"
#include "main/batch_run.h"

namespace headly::fuzz {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The run folder lies three levels below a sandbox of its own, so that a
// name that climbs out of it with ".." leaves a trace the check can see.
struct Sandbox {
  Sandbox() {
    std::string pattern = (fs::temp_directory_path() / "headly-fuzz-XXXXXX").string();
    check(mkdtemp(pattern.data()) != nullptr, "a temporary folder can be made");
    root = pattern;
    run = root / "a" / "b" / "run";
  }
  ~Sandbox() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  // Nothing but the levels down to the run folder.
  bool onlyTheRunFolder() const {
    fs::path level = root;
    for (const char* name : {"a", "b", "run"}) {
      const auto entries = fs::directory_iterator(level);
      const auto count = std::distance(fs::begin(entries), fs::end(entries));
      if (count != 1 || !fs::is_directory(level / name)) return false;
      level /= name;
    }
    return true;
  }
  fs::path root, run;
};

}  // namespace

bool endsWithEndMark(const std::string& nativePath) {
  const std::string bytes = readFile(nativePath);
  return !bytes.empty() && bytes.back() == '\x1a';
}

void runSession(const uint8_t* data, size_t size, const std::string& script,
                const std::function<void(const SessionRun&)>& checkOutput) {
  static const Sandbox sandbox;
  fs::create_directories(sandbox.run);
  const std::string dataFile = (sandbox.run / "data.csv").string();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(dataFile, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
  }

  std::ostringstream transcript;
  const int exitCode = runBatch(replaceAll(script, "@DIR@", sandbox.run.string()), transcript, /*draw=*/true);
  const SessionRun run{exitCode, sandbox.run.string(), transcript.str()};
  check(exitCode >= 0 && exitCode <= 2, "a run ends with status 0, 1 or 2");
  check(exitCode != 1 || run.transcript.find("\nerror ") != std::string::npos, "status 1 follows an error report");
  check(exitCode != 2 || run.transcript.find("misfit ") != std::string::npos, "status 2 follows a misfit");
  check(readFile(dataFile) == bytes, "the data file is never changed");
  check(sandbox.onlyTheRunFolder(), "nothing is made outside the data file's folder");
  checkOutput(run);
  fs::remove_all(sandbox.run);
}

}  // namespace headly::fuzz
